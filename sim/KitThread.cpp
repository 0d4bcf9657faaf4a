#include "sim/KitThread.h"

namespace korvanta::sim {

KitThread::KitThread(KitDevice& device, std::chrono::microseconds period)
    : thread_([&device, period](std::stop_token stop) {
          while (!stop.stop_requested()) {
              device.Poll();
              std::this_thread::sleep_for(period);
          }
      })
{
}

KitThread::~KitThread()
{
    Stop();
}

void KitThread::Stop()
{
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

}  // namespace korvanta::sim
