#include "sim/BlockTiming.h"

namespace korvanta::sim {

double BlockReadyTime(int blockNumber)
{
    return (blockNumber + 1) * kBlockSeconds;
}

}  // namespace korvanta::sim
