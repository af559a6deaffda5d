// Reading a typed line in the graphics window, echoed at the text cursor behind a
// block-shaped cursor mark.
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/text_internal.h"

namespace {

constexpr int32_t kKeyBell = 7;
constexpr int32_t kKeyBackspace = 8;
constexpr int32_t kKeyEnter = 13;

// The mark is the block alone, or block then space right after a backspace, so
// that the block left behind on the erased cell is wiped.
struct CursorMark {
  char text[3] = {static_cast<char>(kCursorMarkGlyph), 0, 0};
  bool Wide() const { return text[1] != 0; }
  void SetWide(bool wide) { text[1] = wide ? ' ' : 0; }
};

void ShowMark(CursorMark* mark) {
  GfxWriteZ(mark->text);
  if (mark->Wide()) {
    mark->SetWide(false);
    TextCursorBack();
  }
  TextCursorBack();
}

void EraseLast(CursorMark* mark) {
  ScreenContext* s = g_screen;
  mark->SetWide(true);
  TextCursorBack();
  if (s->text_row < 0) {
    s->text_col = s->text_row = 0;
    mark->SetWide(false);
  }
}

void StoreKey(char* buffer, int32_t* n, int32_t key) {
  if (key == kKeyEnter) {
    GfxWriteZ(" ");
    TextCursorBack();
  }
  buffer[(*n)++] = static_cast<char>(key);
  const char echo[2] = {static_cast<char>(key), 0};
  GfxWriteZ(echo);
}

}  // namespace

void TextCursorBack() {
  ScreenContext* s = g_screen;
  s->text_col -= 1;
  if (s->text_col < 0) {
    s->text_col = s->text_cols - 1;
    s->text_row -= 1;
  }
}

char* GfxReadLine(char* buffer, int32_t size) {
  if (g_screen == nullptr) return nullptr;
  CursorMark mark;
  int32_t n = 0, key;
  do {
    ShowMark(&mark);
    key = GfxWaitKey();
    if (key > 255 || key == kKeyBell) continue;
    if (key == kKeyBackspace) {
      if (n > 0) EraseLast(&mark), --n;
      continue;
    }
    if (n < size - 1) StoreKey(buffer, &n, key);
  } while (key != kKeyEnter);
  // A buffer without room even for the terminator receives nothing.
  if (size >= 1) buffer[n] = 0;
  return buffer;
}
