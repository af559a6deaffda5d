// The clock, the random draw and its seeding, pauses that a key can cut short,
// the executable's name and the byte at a position of a string.
#include "console/services.h"

#include <cmath>

#include "console/console.h"
#include "console/random_lcg.h"
#include "console/services_api.h"

namespace {

enum TimerMode { kTimerUnchosen = 0, kTimerTicks = 1, kTimerCounter = 2 };

int32_t g_timer_mode = kTimerUnchosen;
double g_timer_scale = 0.0;  // seconds per performance count
double g_last_random = 0.0;

constexpr int32_t kSleepStep = 50;

int32_t TruncateToInt32(double value) {
  // Out of range and not-a-number give the integer indefinite, as the processor's
  // conversion does.
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

void TimerResetMode() {
  g_timer_mode = kTimerUnchosen;
  g_timer_scale = 0.0;
}

double TimerSeconds() {
  if (g_timer_mode == kTimerUnchosen) {
    int64_t frequency = 0;
    if (g_services_api.performance_frequency(&frequency) && frequency > 0) {
      g_timer_scale = 1.0 / static_cast<double>(frequency);
      g_timer_mode = kTimerCounter;
    } else {
      g_timer_mode = kTimerTicks;
    }
  }
  if (g_timer_mode == kTimerCounter) {
    return static_cast<double>(g_services_api.performance_counter()) * g_timer_scale;
  }
  return static_cast<double>(g_services_api.tick_count()) * 0.001;
}

double RandomNumber(int32_t n) {
  if (n == 0) return g_last_random;
  g_last_random = LcgNext() * (1.0 / 32768.0);
  return g_last_random;
}

void RandomSeed(double seed) {
  if (seed == -1.0 || std::isnan(seed)) seed = TimerSeconds();
  LcgSeed(static_cast<uint32_t>(TruncateToInt32(seed)));
  LcgNext();
}

void SleepMs(int32_t ms) {
  if (ms == -1) {
    while (KeyWaiting()) WaitKey();
    while (!KeyWaiting()) g_services_api.sleep(kSleepStep);
    return;
  }
  if (ms >= 100) {
    do {
      if (KeyWaiting()) return;
      ms -= kSleepStep;
      g_services_api.sleep(kSleepStep);
    } while (ms > kSleepStep);
  }
  if (ms > 0) g_services_api.sleep(static_cast<uint32_t>(ms));
}

char* ExeFileName(char* buffer, int32_t size) {
  if (!buffer) return nullptr;
  if (size <= 0) return buffer;
  uint32_t n = g_services_api.module_file_name(buffer, static_cast<uint32_t>(size));
  // The Windows call leaves a truncated path without its NUL on older systems.
  if (n >= static_cast<uint32_t>(size)) n = static_cast<uint32_t>(size) - 1;
  buffer[n] = 0;
  char* name = buffer;
  for (char* p = buffer; *p; ++p) {
    // A slash cannot be part of a file name either, and is Unix's separator.
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  return name;
}

int32_t CharCodeAt(RtString* s, int32_t pos) {
  int32_t code = 0;
  if (s && s->data && pos >= 1 && static_cast<uint32_t>(pos) <= RtLength(s)) {
    code = static_cast<uint8_t>(s->data[pos - 1]);
  }
  RtRelease(s);
  return code;
}
