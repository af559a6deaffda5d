// Giving up the time slice and the key-queued signal on the native build.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "gfx/window/time_slice.h"

namespace {
std::mutex g_signal_mutex;
std::condition_variable g_signal_changed;
bool g_signalled = false;
}  // namespace

void YieldTimeSlice() { std::this_thread::yield(); }

void SignalKeyQueued() {
  {
    std::lock_guard<std::mutex> hold(g_signal_mutex);
    g_signalled = true;
  }
  g_signal_changed.notify_one();
}

bool WaitForKeyQueued(int32_t ms) {
  std::unique_lock<std::mutex> hold(g_signal_mutex);
  const bool raised =
      g_signal_changed.wait_for(hold, std::chrono::milliseconds(ms), [] { return g_signalled; });
  g_signalled = false;
  return raised;
}
