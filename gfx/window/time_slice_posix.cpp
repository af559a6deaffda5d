// Giving up the time slice, the key-queued signal and the idle update thread's
// wake-up (an eventfd) on the native build.
#include <sys/eventfd.h>
#include <unistd.h>

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

intptr_t IdleWakeHandle() {
  static const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  return fd;
}

void RaiseIdleWake() {
  const int fd = static_cast<int>(IdleWakeHandle());
  const uint64_t one = 1;
  if (fd >= 0 && write(fd, &one, sizeof one) < 0) {
    // Full (it cannot be, short of 2^64 raises) or gone: the wait's own
    // time-out ends it.
  }
}

void ClearIdleWake() {
  const int fd = static_cast<int>(IdleWakeHandle());
  uint64_t count;
  if (fd >= 0 && read(fd, &count, sizeof count) < 0) {
    // EAGAIN: nothing was raised.
  }
}
