// A test fixture that opens graphics screens on recording drivers instead of a
// window, and leaves no screen, hooks, driver list or KVGFX behind.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>

#include "console/console.h"
#include "gfx/screen.h"
#include "support/test_driver.h"
#include "gfx/window/display_driver.h"

// Sets (or, with null, removes) an environment variable in the C library's copy.
inline void SetTestEnv(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value ? value : "");
#else
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
#endif
}

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTestEnv("KVGFX", nullptr);
    directx_ = MakeTestDriver("DirectX", 0);
    gdi_ = MakeTestDriver("GDI", 0);
    opengl_ = MakeTestDriver("OpenGL", 0);
    UseDrivers({directx_, gdi_, opengl_});
    ScreenSetMode(0, 0, 0, 0, 0);
    SetTestDriverMouseResult(0);
    ClearDriverCalls();
  }
  void TearDown() override {
    SetTestDriverCallHook(nullptr);
    ScreenSetMode(0, 0, 0, 0, 0);
    RestoreDrivers();
    SetTestEnv("KVGFX", nullptr);
    SetTestDriverMouseResult(0);
    ClearDriverCalls();
  }
  // Opens a screen and forgets the calls the set-up made.
  void Open(int32_t mode, int32_t depth = 0, int32_t pages = 0, int32_t flags = 0) {
    ASSERT_EQ(ScreenSetMode(mode, depth, pages, flags, 0), 0);
    ClearDriverCalls();
  }
  static bool HooksEmpty() {
    const ConsoleHooks& h = g_console_hooks;
    return !h.read_key && !h.wait_key && !h.key_waiting && !h.clear && !h.set_color &&
           !h.locate && !h.set_text_size && !h.cursor_column && !h.cursor_row &&
           !h.cursor_position && !h.text_size && !h.write_text && !h.read_line &&
           !h.key_is_down && !h.read_mouse && !h.set_mouse;
  }
  static bool HooksFull() {
    const ConsoleHooks& h = g_console_hooks;
    return h.read_key && h.wait_key && h.key_waiting && h.clear && h.set_color && h.locate &&
           h.set_text_size && h.cursor_column && h.cursor_row && h.cursor_position &&
           h.text_size && h.write_text && h.read_line && h.key_is_down && h.read_mouse &&
           h.set_mouse;
  }

  const DisplayDriver* directx_ = nullptr;
  const DisplayDriver* gdi_ = nullptr;
  const DisplayDriver* opengl_ = nullptr;
};
