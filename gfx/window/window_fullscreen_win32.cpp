// The switch between windowed and fullscreen display (Alt+Enter, maximise). A
// driver that cannot give the other mode gets its previous window back.
#include "gfx/screen.h"
#include "gfx/window/window_state_win32.h"

void WindowToggleFullscreen() {
  g_window.destroy_window();
  g_window.fullscreen = g_window.fullscreen ? 0 : kFlagSet;
  if (g_window.create_window() != 0) {
    g_window.destroy_window();
    g_window.fullscreen = g_window.fullscreen ? 0 : kFlagSet;
    g_window.create_window();
  }
  PaletteResend();
  WindowMarkAllRowsDirty();
  g_window.active = kFlagSet;
}
