// The graphics implementations of the sixteen console operations, installed all
// at once while a screen is open and removed all at once when it closes.
#include "console/console.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen_setup.h"
#include "gfx/text_internal.h"

namespace {

constexpr ConsoleHooks kGfxHooks = {
    .read_key = GfxReadKey,
    .wait_key = GfxWaitKey,
    .key_waiting = GfxKeyWaiting,
    .clear = GfxClear,
    .set_color = GfxSetColor,
    .locate = GfxLocate,
    .set_text_size = GfxSetTextSize,
    .cursor_column = GfxCursorColumn,
    .cursor_row = GfxCursorRow,
    .cursor_position = GfxCursorPosition,
    .text_size = GfxTextSize,
    .write_text = GfxWriteText,
    .read_line = GfxReadLine,
    .key_is_down = GfxKeyIsDown,
    .read_mouse = GfxReadMouse,
    .set_mouse = GfxSetMouse,
};

}  // namespace

void InstallGfxHooks() { g_console_hooks = kGfxHooks; }

void RemoveGfxHooks() { g_console_hooks = ConsoleHooks{}; }
