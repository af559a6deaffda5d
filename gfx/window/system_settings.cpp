// The screen saver and timer settings an open screen holds, and their return on
// the first way out. One recursive mutex orders the take against a give-back
// from another thread (a console event runs on a thread of its own); recursive
// because a crash inside the take runs the crash filter on the same thread.
#include "gfx/window/system_settings.h"

#include <mutex>

namespace {

std::recursive_mutex g_mutex;
const SystemSettingsCalls* g_calls = nullptr;  // non-null while taken
bool g_handlers_installed = false;
bool g_saver_saved = false;  // the setting was read, so it is owed back
int32_t g_saved_saver = 0;
bool g_timer_held = false;

// Restores the screen saver and ends the timer period, each at most once.
void Restore() {
  if (g_saver_saved) {
    g_saver_saved = false;
    g_calls->set_screensaver(g_saved_saver);
  }
  if (g_timer_held) {
    g_timer_held = false;
    g_calls->end_timer_period();
  }
}

}  // namespace

void SystemSettingsTake(const SystemSettingsCalls* calls) {
  std::lock_guard<std::recursive_mutex> hold(g_mutex);
  if (g_calls || !calls) return;
  g_calls = calls;
  // Handlers first, so that no way out between the changes below is missed.
  calls->install_exit_handlers();
  g_handlers_installed = true;
  int32_t active = 0;
  if (calls->get_screensaver(&active)) {
    g_saved_saver = active;
    g_saver_saved = true;
    calls->set_screensaver(0);
  }
  g_timer_held = calls->begin_timer_period();
}

void SystemSettingsGiveBack() {
  std::lock_guard<std::recursive_mutex> hold(g_mutex);
  if (!g_calls) return;
  Restore();
  if (g_handlers_installed) {
    g_handlers_installed = false;
    g_calls->remove_exit_handlers();
  }
  g_calls = nullptr;
}

void SystemSettingsRestoreAtExit() {
  std::lock_guard<std::recursive_mutex> hold(g_mutex);
  if (g_calls) Restore();
}

bool SystemSettingsOnConsoleEvent(uint32_t event) {
  switch (event) {
    case 0:  // Ctrl+C
    case 1:  // Ctrl+Break
    case 2:  // the console window closed
    case 5:  // log-off
    case 6:  // shutdown
      SystemSettingsRestoreAtExit();
      break;
    default:
      break;
  }
  return false;
}

void SystemSettingsOnCrash() { SystemSettingsRestoreAtExit(); }
