// The input-record seam on a Unix terminal: bytes read from the terminal are
// decoded into key records. An Escape is held back until the rest of its
// sequence arrives or its timeout passes.
#include <time.h>

#include <cstring>

#include "console/console_input_api.h"
#include "console/terminal_keys.h"
#include "console/terminal_tty.h"

namespace {

uint8_t g_bytes[256];
size_t g_length = 0;
int64_t g_waiting_since_ms = -1;  // when the held-back start of a sequence came
bool g_ended = false;

int64_t NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void TakeIn(int timeout_ms) {
  if (g_ended || g_length == sizeof g_bytes) return;
  int got = TerminalTtyRead(g_bytes + g_length, sizeof g_bytes - g_length, timeout_ms);
  if (got < 0) g_ended = true;
  if (got > 0) g_length += static_cast<size_t>(got);
}

void Drop(size_t used) {
  std::memmove(g_bytes, g_bytes + used, g_length - used);
  g_length -= used;
  g_waiting_since_ms = -1;
}

int EscapeTimeLeft() {
  if (g_waiting_since_ms < 0) g_waiting_since_ms = NowMs();
  int64_t left = g_waiting_since_ms + kEscapeTimeoutMs - NowMs();
  return left > 0 ? static_cast<int>(left) : 0;
}

// The first key among the bytes held, skipping bytes that give none; false
// when none is complete yet. wait: block until a key or the end of input.
bool Decode(ConsoleKeyRecord* record, bool take, bool wait) {
  for (;;) {
    bool timed_out = g_ended || (g_waiting_since_ms >= 0 && EscapeTimeLeft() == 0);
    TerminalKey key = DecodeTerminalKey(g_bytes, g_length, timed_out);
    if (key.status == TerminalKeyStatus::kKey) {
      *record = key.record;
      if (take) Drop(key.used);
      return true;
    }
    if (key.status == TerminalKeyStatus::kSkip) {
      Drop(key.used);
      continue;
    }
    if (g_ended) return false;
    size_t before = g_length;
    if (key.status == TerminalKeyStatus::kNeedMore) {
      int left = EscapeTimeLeft();
      TakeIn(wait ? left : 0);
      if (!wait && g_length == before && left > 0) return false;
    } else {
      TakeIn(wait ? -1 : 0);
      if (!wait && g_length == before) return false;
    }
  }
}

bool Peek(ConsoleKeyRecord* record) { return Decode(record, false, false); }
bool Read(ConsoleKeyRecord* record) { return Decode(record, true, true); }

// For the pacing of empty polls: sleeps in poll until the terminal has bytes
// or the time is up. Bytes already held (a sequence not yet complete) may make
// a key at any moment, so they end the wait at once.
bool Wait(int32_t ms) {
  if (g_length > 0 || g_ended) return true;
  TakeIn(ms);
  return g_length > 0;
}

}  // namespace

ConsoleInputApi g_console_input_api = {
    .peek = Peek,
    .read = Read,
    .wait = Wait,
    .ready = nullptr,  // peeking reads the terminal without blocking: as cheap
};
