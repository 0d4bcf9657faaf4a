#pragma once

#include <cstdint>

namespace korvanta {

// Command IDs with which the main window learns that a data block is waiting in the link state.
inline constexpr uint32_t kCommandBlockReadyTwoStation = 32841;
inline constexpr uint32_t kCommandBlockReadyThreeStation = 32842;

// The comms thread's notices for the user-interface thread: the only things that travel that
// way besides the link state's result slots.
//
// Threads: both operations are called on the comms thread only. An implementation queues the
// notice for the user-interface thread (the window: a queued call; a host without windows:
// PostedCommandQueue) and returns at once. It must never wait for the user-interface thread,
// directly or through a blocking call into it: that thread may be waiting in CommsThread::Stop
// for the comms thread to end.
class IBlockReadyNotifier {
public:
    virtual ~IBlockReadyNotifier() = default;
    // A data block is waiting in the link state; the ID says which flow takes it.
    virtual void PostBlockReady(uint32_t commandId) = 0;
    // A message for the user (the start-sampling failure). The user-interface thread shows the
    // string-table text `id` with the icon flags `style` through its IMessageSink when it takes
    // the notice.
    virtual void PostShowMessage(uint32_t id, uint32_t style) = 0;
};

}  // namespace korvanta
