// The graphics implementations of the sixteen console operations, installed all
// at once while a screen is open and removed all at once when it closes.
#include "console/console.h"
#include "gfx/input/keys.h"
#include "gfx/screen_setup.h"

// The graphics text operations.
void GfxClear(int32_t mode);
int32_t GfxSetColor(int32_t foreground, int32_t background);
int32_t GfxLocate(int32_t row, int32_t column, int32_t visibility);
int32_t GfxSetTextSize(int32_t columns, int32_t rows);
int32_t GfxCursorColumn();
int32_t GfxCursorRow();
void GfxCursorPosition(int32_t* column, int32_t* row);
void GfxTextSize(int32_t* columns, int32_t* rows);
void GfxWriteText(const char* bytes, int32_t length, int32_t print_mode);
char* GfxReadLine(char* buffer, int32_t size);

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
