#pragma once

#include <cstdint>

namespace korvanta {

// Command IDs with which the main window learns that a data block is waiting in the link state.
inline constexpr uint32_t kCommandBlockReadyTwoStation = 32841;
inline constexpr uint32_t kCommandBlockReadyThreeStation = 32842;

// Called on the comms thread after each stored data block. The implementation must only queue
// the notice for its own thread and return at once: the comms thread never waits for the
// user interface.
class IBlockReadyNotifier {
public:
    virtual ~IBlockReadyNotifier() = default;
    virtual void PostBlockReady(uint32_t commandId) = 0;
};

}  // namespace korvanta
