// The screen saver switch, the 1 ms timer period and the exit handlers on
// Windows. Since Windows 10 2004 each process gets the 15.6 ms default tick
// unless it asks for a finer one itself, so the update thread's Sleep(10) would
// last 15.6 ms and a 2 ms early pass a whole tick; the period is asked for only
// while a screen is open. The screen saver change is made without
// SPIF_UPDATEINIFILE: it lasts until the session ends and never reaches the
// user's profile, so only an ending process can leave it behind, which the
// handlers here prevent.
#include "gfx/window/system_settings_win32.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <mmsystem.h>

#if defined(_MSC_VER)
#pragma comment(lib, "winmm")
#endif

namespace {

bool GetScreenSaver(int32_t* active) {
  BOOL value = FALSE;
  if (!SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &value, 0)) return false;
  *active = value ? 1 : 0;
  return true;
}

// No change broadcast: a hung top-level window elsewhere must not stall us,
// least of all in a console handler with seconds left before the process ends.
void SetScreenSaver(int32_t active) {
  SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, 0);
}

bool BeginTimerPeriod() { return timeBeginPeriod(1) == TIMERR_NOERROR; }
void EndTimerPeriod() { timeEndPeriod(1); }

// Runs on a thread of its own that Windows starts for the event; after a
// closed console the process has about 5 s before Windows ends it, and ends as
// soon as the handlers return.
BOOL WINAPI OnConsoleControl(DWORD event) {
  return SystemSettingsOnConsoleEvent(event) ? TRUE : FALSE;
}

LPTOP_LEVEL_EXCEPTION_FILTER g_previous_filter = nullptr;
bool g_filter_in_chain = false;

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
  SystemSettingsOnCrash();
  return g_previous_filter ? g_previous_filter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

void InstallExitHandlers() {
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  if (g_filter_in_chain) return;
  g_previous_filter = SetUnhandledExceptionFilter(OnUnhandledException);
  g_filter_in_chain = true;
}

// A filter installed after ours chains to ours: it is put back, and ours stays
// in its chain (doing nothing while no screen is open).
void RemoveExitHandlers() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(g_previous_filter);
  if (current == OnUnhandledException) {
    g_filter_in_chain = false;
  } else {
    SetUnhandledExceptionFilter(current);
  }
}

const SystemSettingsCalls kWindowsCalls = {
    GetScreenSaver,    SetScreenSaver,      BeginTimerPeriod,
    EndTimerPeriod,    InstallExitHandlers, RemoveExitHandlers,
};

const SystemSettingsCalls* g_replacement = nullptr;

}  // namespace

const SystemSettingsCalls* WindowSystemCalls() {
  return g_replacement ? g_replacement : &kWindowsCalls;
}

const SystemSettingsCalls* ReplaceWindowSystemCalls(const SystemSettingsCalls* calls) {
  const SystemSettingsCalls* before = WindowSystemCalls();
  g_replacement = calls;
  return before;
}
