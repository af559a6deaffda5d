// Keys, lines, clocks and sleeps of the tests' own, put behind the runtime's
// seams for the lifetime of the object and taken out again afterwards.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/console_input_api.h"
#include "console/services_api.h"

// A console input queue: records are read in the order they were added.
class FakeKeys {
 public:
  FakeKeys();
  ~FakeKeys();
  FakeKeys(const FakeKeys&) = delete;
  FakeKeys& operator=(const FakeKeys&) = delete;

  void Add(const ConsoleKeyRecord& record) { queue.push_back(record); }
  // A key-down and its key-up with the given character.
  void Type(uint8_t ch, uint16_t scan = 0);
  // An extended key pressed and released (enhanced: the grey cursor block).
  void Press(uint16_t scan, bool enhanced, uint32_t modifiers = 0);

  std::deque<ConsoleKeyRecord> queue;
  std::vector<int32_t> waits;      // the time-out of each wait for input
  int peeks = 0;                   // looks at the queue's head
  std::function<void()> on_wait;   // runs inside each wait (a key arriving, say)
  // The key-poll pacing's clock while this lives, in microseconds: a poll loop
  // that does not move it only waits.
  static int64_t poll_clock_us;

 private:
  static int64_t PollClock() { return poll_clock_us; }
  static bool Peek(ConsoleKeyRecord* record);
  static bool Read(ConsoleKeyRecord* record);
  static bool Wait(int32_t ms);
  static bool Ready() { return !current_->queue.empty(); }
  static FakeKeys* current_;
  ConsoleInputApi saved_;
};

ConsoleKeyRecord KeyRecord(bool down, uint16_t scan, uint8_t ch, uint32_t state);

// Keyboard lines served through the read_line hook with fgets semantics.
class FakeLines {
 public:
  explicit FakeLines(std::string text);
  ~FakeLines();
  FakeLines(const FakeLines&) = delete;
  FakeLines& operator=(const FakeLines&) = delete;

  std::string text;
  size_t position = 0;
  std::vector<int32_t> read_sizes;
  std::function<void()> on_read;  // runs after each read (a console's echo, say)

 private:
  static char* ReadLine(char* buffer, int32_t size);
  static FakeLines* current_;
  ConsoleHooks saved_;
};

// A clock and a sleep that only record; on_sleep runs after each recorded sleep.
class FakeServices {
 public:
  FakeServices();
  ~FakeServices();
  FakeServices(const FakeServices&) = delete;
  FakeServices& operator=(const FakeServices&) = delete;

  bool has_counter = true;
  int64_t frequency = 1000;
  int64_t counter = 0;
  uint32_t ticks = 0;
  int frequency_queries = 0;
  std::string module_path;
  std::vector<uint32_t> sleeps;
  std::function<void()> on_sleep;

 private:
  static bool Frequency(int64_t* counts);
  static int64_t Counter();
  static uint32_t Ticks();
  static void Sleep(uint32_t ms);
  static uint32_t ModuleFileName(char* buffer, uint32_t size);
  static FakeServices* current_;
  ServicesApi saved_;
};
