// What an open screen changes in the user's session beyond its own window: the
// screen saver is switched off and the system timer asked for 1 ms ticks (so
// that the 10 ms passes, the early passes after a key and the program's short
// waits last what they say, not a whole 15.6 ms tick). Both are given back once,
// on whichever way out comes first: the close of the screen, a failed open, a
// console event that ends the process (Ctrl+C, Ctrl+Break, the console window
// closed, log-off, shutdown) or a crash.
//
// The state is kept here, over a table of platform calls, so that the order and
// the once-only rule hold on every platform and can be tested with a fake.
#pragma once
#include <cstdint>

struct SystemSettingsCalls {
  // Reads whether the screen saver is active; false when it cannot be read
  // (then the setting is left alone).
  bool (*get_screensaver)(int32_t* active);
  void (*set_screensaver)(int32_t active);
  // Asks for 1 ms timer ticks; true when granted, and then exactly one
  // end_timer_period is owed.
  bool (*begin_timer_period)();
  void (*end_timer_period)();
  // Installs the handlers that call SystemSettingsOnConsoleEvent and
  // SystemSettingsOnCrash, and removes them again.
  void (*install_exit_handlers)();
  void (*remove_exit_handlers)();
};

// At a window's open, on the program's thread: remembers the screen saver
// setting and switches it off, asks for the 1 ms timer and installs the exit
// handlers, through calls (null: does nothing). A second take before the give-
// back changes nothing, so the setting remembered is always the user's own.
void SystemSettingsTake(const SystemSettingsCalls* calls);

// At the close, or when an open fails after the take: restores what the take
// changed (unless an exit handler did already) and removes the handlers.
// Does nothing when nothing is taken.
void SystemSettingsGiveBack();

// From an exit handler, on any thread, while the process is ending: restores
// the screen saver setting and ends the timer period, once; the handlers stay.
void SystemSettingsRestoreAtExit();

// The console control handler's decision for a Windows control event (0 Ctrl+C,
// 1 Ctrl+Break, 2 console closed, 5 log-off, 6 shutdown): every one of these
// ends the process unless another handler claims it, so the settings are
// restored first. Returns false: the next handler, and in the end the
// system's default handling, go on as if this one were not there.
bool SystemSettingsOnConsoleEvent(uint32_t event);

// The crash filter's share: restores the settings before the process dies.
void SystemSettingsOnCrash();
