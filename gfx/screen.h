/// \file
/// The graphics screen: numbered screen modes, the mode switch that opens and
/// closes the one graphics window, its palette, and the calls that reach its
/// display driver (retrace wait, mode list, title, the OpenGL present).
///
/// While a screen is open the console operations (console/console.h) act on
/// its window: PrintString and WriteText draw text at the text cursor, Locate
/// moves it, SetColor sets the colours, ClearScreen clears, ReadKey and WaitKey
/// take the window's keys and ReadLine reads a line typed into it. Drawing
/// (gfx/draw.h) writes into an in-memory page; a driver thread shows the
/// changed rows within about 10 ms, except on an OpenGL screen, where the
/// program draws with OpenGL and presents with ScreenFlip.
///
/// Colours: in modes of up to 8 bits a colour is a palette index (in the 16-colour
/// modes 0 black, 8 dark grey, 12 light red, 15 white; see console/console.h);
/// in 16- and 32-bit modes a 0xRRGGBB value. Coordinates are pixels, (0, 0) the
/// top-left corner.
///
/// Threads: call everything from the program's thread, the one that opened the
/// screen (an OpenGL screen's context is current on that thread only).
#pragma once
#include <cstddef>
#include <cstdint>

#include "tavrel_export.h"
#include "gfx/screen_failure.h"

/// \cond TAVREL_INTERNAL
// The built-in data and the driver table: pointed to from here, defined in
// headers of the runtime's own.
struct PaletteDesc;
struct FontDesc;
struct DisplayDriver;
/// \endcond

/// One entry of the screen mode table.
struct ScreenModeInfo {
  int32_t width;            ///< Pixels per row; -1: no such mode (all other fields 0).
  int32_t height;           ///< Pixel rows.
  int32_t depth;            ///< Bits per pixel: 1, 2, 4 or 8 (see ScreenSetMode for other depths).
  int32_t line_multiplier;  ///< Window rows per pixel row: 2 for modes 2 and 8, else 1.
  const PaletteDesc* palette;  ///< The mode's built-in palette (16, 64 or 256 colours; layout internal).
  const FontDesc* font;     ///< The mode's text font (8, 14 or 16 pixel rows per glyph; layout internal).
  int32_t text_cols;        ///< Text columns (glyphs are 8 pixels wide).
  int32_t text_rows;        ///< Text rows.
};

/// The highest mode number.
constexpr int kScreenModeCount = 21;

/// The screen modes, indexed by mode number; entry 0 is unused. Read-only.
///
/// | Mode | Size        | Depth | Colours shown | Text    |
/// |------|-------------|-------|---------------|---------|
/// | 1    | 320 x 200   | 2     | 4 of 16       | 40 x 25 |
/// | 2    | 640 x 200   | 1     | 2 of 16       | 80 x 25 |
/// | 3-6  | no such mode |      |               |         |
/// | 7    | 320 x 200   | 4     | 16            | 40 x 25 |
/// | 8    | 640 x 200   | 4     | 16            | 80 x 25 |
/// | 9    | 640 x 350   | 4     | 16 of 64      | 80 x 25 |
/// | 10   | no such mode |      |               |         |
/// | 11   | 640 x 480   | 1     | 2 of 256      | 80 x 30 |
/// | 12   | 640 x 480   | 4     | 16 of 256     | 80 x 30 |
/// | 13   | 320 x 200   | 8     | 256           | 40 x 25 |
/// | 14   | 320 x 240   | 8     | 256           | 40 x 30 |
/// | 15   | 400 x 300   | 8     | 256           | 50 x 37 |
/// | 16   | 512 x 384   | 8     | 256           | 64 x 24 |
/// | 17   | 640 x 400   | 8     | 256           | 80 x 25 |
/// | 18   | 640 x 480   | 8     | 256           | 80 x 30 |
/// | 19   | 800 x 600   | 8     | 256           | 100 x 37 |
/// | 20   | 1024 x 768  | 8     | 256           | 128 x 48 |
/// | 21   | 1280 x 1024 | 8     | 256           | 160 x 64 |
///
/// Modes 14 to 21 may be opened with 16 or 32 bits per pixel instead (see
/// ScreenSetMode).
extern TAVREL_DATA const ScreenModeInfo kScreenModeTable[kScreenModeCount + 1];

/// ScreenSetMode flag: a fullscreen display instead of a window. If the display
/// cannot be opened that way, the other way is tried next.
constexpr int32_t kDisplayFullscreen = 0x01;
/// ScreenSetMode flag: an OpenGL screen. The window gets a double-buffered RGBA
/// OpenGL context with a 32-bit depth buffer, current on the calling thread; the
/// program draws with OpenGL and presents each frame with ScreenFlip. Raises the
/// depth to at least 16. Only the OpenGL driver accepts it, and it accepts
/// nothing else.
constexpr int32_t kDisplayOpenGl = 0x02;
/// ScreenSetMode flag, with kDisplayOpenGl: an 8-bit stencil buffer.
constexpr int32_t kDisplayStencil = 0x10;
/// ScreenSetMode flag, with kDisplayOpenGl: a 32-bit accumulation buffer.
constexpr int32_t kDisplayAccum = 0x20;

/// The colour argument that stands for the current foreground colour (the one
/// SetColor set), wherever a drawing call takes a colour.
constexpr uint32_t kDefaultColour = 0xFEFF00FFu;

/// Opens a graphics screen in a window, or closes it. Opening closes any screen
/// already open first (nothing carries over but the window title), makes a
/// zero-filled (black) page, sets the mode's default palette, the foreground to
/// the brightest colour (15 in 8-bit modes) and the background to 0, and hands
/// the console operations to the window (mode 0 gives them back to the text
/// console). The window is named after the executable unless ScreenSetTitle
/// named it; it is closed at the latest when the program ends (RuntimeEnd or
/// exit). The window keeps up to 15 keys the program has not read (the oldest
/// goes first); its close box does not close it but queues the key 255 "X".
/// \param mode 0 closes the screen; 1 to 21 open that mode (kScreenModeTable;
///   3 to 6 and 10 do not exist).
/// \param depth bits per pixel, honoured only for modes 14 to 21 and only when 8,
///   15 or 16 (both 16 bits, 5-6-5), 24 or 32 (both 32 bits, 0xRRGGBB); any
///   other value (0 for "omitted") keeps the mode's depth.
/// \param page_count the number of pages; below 1 counts as 1. Drawing and the
///   display always use the first page.
/// \param flags 0 for a window, or kDisplayFullscreen, kDisplayOpenGl,
///   kDisplayStencil and kDisplayAccum ORed together; other bits are passed to
///   the driver unchanged.
/// \param refresh_rate the display's refresh rate in hertz for a fullscreen
///   display, or 0 for the driver's choice; a rate the display refuses is
///   retried with 0.
/// \return 0 on success. 1, with last error code 1, for a mode that does not
///   exist (an open screen then stays open), or when no display driver could
///   start (then no screen is open, even if one was before).
int32_t ScreenSetMode(int32_t mode, int32_t depth, int32_t page_count, int32_t flags,
                      int32_t refresh_rate);

/// Waits about one vertical retrace of the display, to pace animation.
/// \return 0, or 1 with last error code 1 when no screen is open.
int32_t ScreenWaitVsync();

/// The fullscreen display modes of one depth. Without an open screen the first
/// driver that can list modes answers.
/// \param depth bits per pixel of the modes wanted (8, 16, 32).
/// \param count receives the number of entries (0 when there are none); may be null.
/// \return an array of *count entries, each (width << 16) | height, that the
///   caller owns and frees with ScreenFreeModes; null when the driver lists none.
int32_t* ScreenFetchModes(int32_t depth, int32_t* count);

/// Frees an array ScreenFetchModes returned.
/// \param modes the array, or null.
void ScreenFreeModes(int32_t* modes);

/// Sets the window's caption, and the title later screens are opened with.
/// \param title the caption, NUL-terminated; at most 127 characters are kept.
///   Copied: the caller keeps its text.
/// \return 0 (also with no screen open: the title is kept for the next one); 1
///   with last error code 1 for a null title.
int32_t ScreenSetTitle(const char* title);

/// Presents the frame the program has drawn on an OpenGL screen (swaps the
/// buffers), and handles the window's messages: on an OpenGL screen keys, the
/// close box and Alt+Enter (fullscreen and back) arrive only in this call. Other
/// screens present by themselves and ignore it.
/// \return 0, or 1 with last error code 1 when no screen is open.
int32_t ScreenFlip();

/// Changes the palette of a mode of up to 8 bits; the whole screen shows the new
/// colours. Does nothing while no screen is open, in 16- and 32-bit modes, and
/// for an index above 255.
/// \param index the palette entry to change (0 to 255); a negative index
///   restores the mode's default palette (in mode 1, -1 to -4 choose its four
///   colour sets).
/// \param colour with green and blue both 0 or above: the red component, 0 to
///   255. Otherwise the whole colour: in modes 11 to 21 (256-entry palette) a
///   0x00BBGGRR value of three 6-bit components 0 to 63; in modes 1, 2, 7, 8
///   and 9 the number of a colour of the mode's built-in 16- or 64-colour
///   palette.
/// \param green the green component, 0 to 255, or -1 when colour is the whole colour.
/// \param blue the blue component, 0 to 255, or -1 when colour is the whole colour.
void PaletteSet(int32_t index, int32_t colour, int32_t green, int32_t blue);

/// \cond TAVREL_INTERNAL
// For drivers and the runtime itself; programs must not touch anything below.

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
extern TAVREL_DATA ScreenContext* g_screen;

struct PixelOps {
  void* (*byte_copy)(void* dst, const void* src, size_t n);
  void* (*byte_fill)(void* dst, int value, size_t n);
  void (*put_pixel)(int32_t x, int32_t y, uint32_t value);
  uint32_t (*get_pixel)(int32_t x, int32_t y);
  void (*pixel_copy)(void* dst, const void* src, int32_t n);
  void (*pixel_fill)(void* dst, uint32_t value, int32_t n);
};
extern TAVREL_DATA PixelOps g_pixel_ops;

extern TAVREL_DATA char g_title_buffer[128];
extern TAVREL_DATA char* g_title;          // null until the first set-up names the window
extern TAVREL_DATA uint8_t* g_rgb16_lookup;  // 2048 bytes while a screen is open

#include "gfx/screen_failure.h"

// Registered with the C library's at-exit list by every successful set-up.
void ScreenCloseAtExit();

// Sets entry index (0 to 255) from one colour value (as PaletteSet's whole
// colour) without flagging any row.
void PaletteSetEntry(int32_t index, uint32_t colour);
// Passes all 256 entries to the driver again; the caller holds the lock.
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
/// \endcond
