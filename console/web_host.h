// The page around the program in a browser: the calls its script gives the
// program (web/tavrel_library.js), and the one wait through which the program
// gives the browser its turn. The program runs on the page's only thread; the
// page's events (keys, the mouse, a resized page) reach it only while it waits.
#pragma once
#include <cstdint>

extern "C" {
// Suspends the program (Asyncify) until input arrives (a key or typed text,
// the mouse, a resized page, fullscreen entered or left) or ms milliseconds
// pass; -1: no limit, 0: only a turn for the browser. 1 when input arrived.
// The only call of the page that suspends; use WebWait, which presents first.
int32_t tavrel_web_wait(int32_t ms);
// Sends bytes (VT sequences, UTF-8) to the terminal widget.
void tavrel_web_term_write(const uint8_t* bytes, int32_t length);
// Takes up to size bytes typed into the terminal widget (UTF-8 and VT
// sequences, as a terminal sends them); 0 when none is waiting.
int32_t tavrel_web_term_read(uint8_t* buffer, int32_t size);
// Shows the canvas, width x height pixels, in place of the terminal (shown
// 1), or the terminal again (0).
void tavrel_web_show_window(int32_t shown, int32_t width, int32_t height);
// Puts rows first .. first + count - 1 of an RGBA picture width pixels wide
// on the canvas.
void tavrel_web_put_rows(const uint8_t* rgba, int32_t width, int32_t first, int32_t count);
// Takes the oldest window event into fields (kWebEventFields values: type,
// then its values, see WebEventType); 0 when none is waiting.
int32_t tavrel_web_next_event(int32_t* fields);
// The page's size in CSS pixels and its device pixel ratio.
void tavrel_web_page_size(double* width, double* height, double* pixel_ratio);
// Gives the canvas its size on the page, in CSS pixels.
void tavrel_web_place_canvas(double width, double height);
// Sets the page's title (UTF-8).
void tavrel_web_set_title(const char* title);
// Asks the browser for fullscreen, or to leave it when the page is in it.
void tavrel_web_toggle_fullscreen();
}

constexpr int kWebEventFields = 5;
enum WebEventType : int32_t {
  kWebKeyDown = 1,   // virtual key, character (Unicode, 0: none), modifiers (kWebShift...)
  kWebKeyUp = 2,     // the same
  kWebMouse = 3,     // x, y in framebuffer pixels (-1: outside), buttons (1 left, 2 right, 4 middle)
  kWebWheel = 4,     // notches, +1 away from the user
  kWebResize = 5,    // the page's size or fullscreen changed
  kWebBlur = 6,      // the page lost the keyboard: no key is held any more
};
constexpr int32_t kWebShift = 1, kWebControl = 2, kWebAlt = 4;

// What runs just before each yield (the window's changed rows put on the
// canvas) and just after it (the window's events taken in); null: nothing.
using WebHook = void (*)();
void SetWebHooks(WebHook before_yield, WebHook after_yield);

// Presents, yields until input arrives or ms milliseconds pass (-1: no limit),
// then takes the events in. True when input arrived.
bool WebWait(int32_t ms);
// Waits the whole ms milliseconds, input or not, letting the browser run.
void WebSleep(int32_t ms);
// A program that works without ever waiting would keep the page from taking
// its input: a poll that finds nothing calls this, which yields for a moment
// once kWebYieldDueMs have passed since the last yield.
constexpr double kWebYieldDueMs = 8.0;
void WebYieldIfDue();
