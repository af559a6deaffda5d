// The graphics screen's chief header: the one screen context, the pixel
// primitives chosen per depth, and the mode switch that opens and closes it.
#pragma once
#include <cstddef>
#include <cstdint>

#include "gfx/data/builtin_data.h"
#include "gfx/screen_failure.h"
#include "gfx/window/display_driver.h"

struct ScreenModeInfo {
  int32_t width;  // -1: no such mode
  int32_t height;
  int32_t depth;
  int32_t line_multiplier;
  const PaletteDesc* palette;
  const FontDesc* font;
  int32_t text_cols;
  int32_t text_rows;
};
constexpr int kScreenModeCount = 21;
// Entries 1 to 21; entry 0 is unused.
extern const ScreenModeInfo kScreenModeTable[kScreenModeCount + 1];

constexpr uint32_t kStateScreenLocked = 0x1;
constexpr uint32_t kStateMmxAvailable = 0x1000000;

// Packed colour word: red | green << 8 | blue << 16.
constexpr uint32_t PackColour(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

struct ScreenContext {
  int32_t mode;
  uint8_t** pages;
  int32_t page_count;
  int32_t work_page;
  uint8_t* visible_page;       // not owning
  uint8_t** line_table;        // height row pointers into the work page
  int32_t pitch;
  int32_t target_pitch;
  uint8_t* target;             // null: the screen
  int32_t line_capacity;
  int32_t bytes_per_pixel;
  uint32_t* base_palette;      // 256 packed colour words
  uint32_t* current_palette;   // 256 packed colour words
  uint8_t* dirty;              // height * line_multiplier bytes, 255 = changed
  const DisplayDriver* driver; // not owning
  int32_t width;
  int32_t height;
  int32_t depth;
  uint32_t colour_mask;
  const PaletteDesc* palette_desc;  // not owning
  int32_t line_multiplier;
  uint32_t foreground;
  uint32_t background;
  float last_x, last_y;
  int32_t text_col, text_row;
  const FontDesc* font_desc;   // not owning
  int32_t view_x, view_y, view_w, view_h;
  int32_t text_cols, text_rows;
  uint8_t* key_state;          // 128 bytes, one per scan code
  int32_t setup_flags;
  int32_t refresh_rate;
  uint32_t state_flags;
};

// The open screen, or null.
extern ScreenContext* g_screen;

struct PixelOps {
  void* (*byte_copy)(void* dst, const void* src, size_t n);
  void* (*byte_fill)(void* dst, int value, size_t n);
  void (*put_pixel)(int32_t x, int32_t y, uint32_t value);
  uint32_t (*get_pixel)(int32_t x, int32_t y);
  void (*pixel_copy)(void* dst, const void* src, int32_t n);
  void (*pixel_fill)(void* dst, uint32_t value, int32_t n);
};
extern PixelOps g_pixel_ops;

// Stands for the current foreground wherever a colour is passed.
constexpr uint32_t kDefaultColour = 0xFEFF00FFu;

extern char g_title_buffer[128];
extern char* g_title;          // null until the first set-up names the window
extern uint8_t* g_rgb16_lookup;  // 2048 bytes while a screen is open

// 0 on success; 1 (and last error 1) for an unknown mode or no driver. When no
// driver starts, ScreenFailureReason (gfx/screen_failure.h) says why.
int32_t ScreenSetMode(int32_t mode, int32_t depth, int32_t page_count, int32_t flags,
                      int32_t refresh_rate);
void ScreenCloseAtExit();

// The driver operations a program reaches directly. Each returns 0, or 1 (and
// last error 1) when no screen is open (ScreenSetTitle: for a null title).
// Waits about one vertical retrace of the display.
int32_t ScreenWaitVsync();
// The fullscreen modes of a depth as (width << 16) | height, *count entries;
// null (and *count 0) when the driver has none. Without an open screen the
// first driver that can list modes answers. The caller frees the array with
// ScreenFreeModes (or free).
int32_t* ScreenFetchModes(int32_t depth, int32_t* count);
void ScreenFreeModes(int32_t* modes);
// Sets the window's caption, and the title later screens are opened with
// (at most 127 characters are kept).
int32_t ScreenSetTitle(const char* title);
// Presents the frame an OpenGL screen's program has drawn, handles the
// window's messages and refreshes the key states; other drivers present by
// themselves and ignore it.
int32_t ScreenFlip();
void PaletteSet(int32_t index, int32_t colour, int32_t green, int32_t blue);
void PaletteSetEntry(int32_t index, uint32_t colour);
void PaletteResend();
uint32_t ColourToPixel(uint32_t colour);
uint32_t ColourArgument(uint32_t colour);
void SelectPixelOps();

// Screen-lock convention: locks unless the screen is already locked; returns
// whether this call took the lock, to be handed to ScreenUnlock.
bool ScreenLock();
void ScreenUnlock(bool took);
// The same for operations that only read (the key queue, key states): they do
// not count as the program showing something (console/key_poll_pacing.h).
void ScreenUnlockAfterRead(bool took);
