// The tests' key queue, keyboard lines and clock.
#include "fake_input.h"

#include <algorithm>
#include <cstring>

#include "console/console_keys.h"
#include "console/key_poll_pacing.h"

FakeKeys* FakeKeys::current_ = nullptr;
FakeLines* FakeLines::current_ = nullptr;
FakeServices* FakeServices::current_ = nullptr;
int64_t FakeKeys::poll_clock_us = 0;

ConsoleKeyRecord KeyRecord(bool down, uint16_t scan, uint8_t ch, uint32_t state) {
  ConsoleKeyRecord r = {};
  r.is_key = true;
  r.key_down = down;
  r.scan_code = scan;
  r.char_code = ch;
  r.control_state = state;
  return r;
}

FakeKeys::FakeKeys() : saved_(g_console_input_api) {
  current_ = this;
  g_console_input_api = ConsoleInputApi{.peek = Peek, .read = Read, .wait = Wait, .ready = Ready};
  ConsoleForgetPendingKey();
  poll_clock_us = 0;
  ResetKeyPollPacing(PollClock);
}

FakeKeys::~FakeKeys() {
  g_console_input_api = saved_;
  current_ = nullptr;
  ConsoleForgetPendingKey();
  ResetKeyPollPacing();
}

void FakeKeys::Type(uint8_t ch, uint16_t scan) {
  Add(KeyRecord(true, scan, ch, 0));
  Add(KeyRecord(false, scan, ch, 0));
}

void FakeKeys::Press(uint16_t scan, bool enhanced, uint32_t modifiers) {
  uint32_t state = modifiers | (enhanced ? kKeyEnhanced : 0);
  Add(KeyRecord(true, scan, 0, state));
  Add(KeyRecord(false, scan, 0, state));
}

bool FakeKeys::Peek(ConsoleKeyRecord* record) {
  ++current_->peeks;
  if (current_->queue.empty()) return false;
  *record = current_->queue.front();
  return true;
}

bool FakeKeys::Read(ConsoleKeyRecord* record) {
  if (current_->queue.empty()) return false;  // a real console would wait here
  *record = current_->queue.front();
  current_->queue.pop_front();
  return true;
}

bool FakeKeys::Wait(int32_t ms) {
  current_->waits.push_back(ms);
  if (current_->on_wait) current_->on_wait();
  return !current_->queue.empty();
}

FakeLines::FakeLines(std::string t) : text(std::move(t)), saved_(g_console_hooks) {
  current_ = this;
  g_console_hooks.read_line = ReadLine;
}

FakeLines::~FakeLines() {
  g_console_hooks = saved_;
  current_ = nullptr;
}

char* FakeLines::ReadLine(char* buffer, int32_t size) {
  FakeLines& f = *current_;
  f.read_sizes.push_back(size);
  if (f.on_read) f.on_read();
  if (f.position >= f.text.size() || size < 2) return nullptr;
  size_t n = 0;
  while (n + 1 < static_cast<size_t>(size) && f.position < f.text.size()) {
    char c = f.text[f.position++];
    buffer[n++] = c;
    if (c == '\n') break;
  }
  buffer[n] = 0;
  return buffer;
}

FakeServices::FakeServices() : saved_(g_services_api) {
  current_ = this;
  g_services_api = ServicesApi{
      .performance_frequency = Frequency,
      .performance_counter = Counter,
      .tick_count = Ticks,
      .sleep = Sleep,
      .module_file_name = ModuleFileName,
  };
  TimerResetMode();
}

FakeServices::~FakeServices() {
  g_services_api = saved_;
  current_ = nullptr;
  TimerResetMode();
}

bool FakeServices::Frequency(int64_t* counts) {
  ++current_->frequency_queries;
  if (!current_->has_counter) return false;
  *counts = current_->frequency;
  return true;
}

int64_t FakeServices::Counter() { return current_->counter; }
uint32_t FakeServices::Ticks() { return current_->ticks; }

void FakeServices::Sleep(uint32_t ms) {
  current_->sleeps.push_back(ms);
  if (current_->on_sleep) current_->on_sleep();
}

// Like the Windows call on current systems: truncated paths keep a NUL and the
// result is then the size.
uint32_t FakeServices::ModuleFileName(char* buffer, uint32_t size) {
  const std::string& path = current_->module_path;
  if (size == 0) return 0;
  uint32_t n = std::min<uint32_t>(static_cast<uint32_t>(path.size()), size - 1);
  std::memcpy(buffer, path.data(), n);
  buffer[n] = 0;
  return path.size() < size ? n : size;
}
