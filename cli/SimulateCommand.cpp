#include "cli/CommandLine.h"
#include "cli/Commands.h"

namespace korvanta::cli {

int RunSimulate(const std::vector<std::string>&)
{
    throw UsageError("simulate: the generator is being built");
}

}  // namespace korvanta::cli
