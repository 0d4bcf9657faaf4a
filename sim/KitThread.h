#pragma once

#include <chrono>
#include <thread>

#include "sim/KitDevice.h"

namespace korvanta::sim {

// Runs a kit device on a thread of its own, polling it every `period` until stopped; for a line
// the program does not drive itself, such as a pseudo-terminal.
class KitThread {
public:
    static constexpr std::chrono::microseconds kDefaultPeriod{1000};

    // The device must outlive the thread.
    explicit KitThread(KitDevice& device, std::chrono::microseconds period = kDefaultPeriod);
    ~KitThread();

    KitThread(const KitThread&) = delete;
    KitThread& operator=(const KitThread&) = delete;

    // Ends the polling and joins the thread; the device is not touched afterwards.
    void Stop();

private:
    std::jthread thread_;
};

}  // namespace korvanta::sim
