// The program's window on the X screen as a player meets it: found through
// Wine (class name, title, client area on the screen) and through X (its
// window), or for the Linux program through X alone, given the focus, fed keys, closed with the close box, and read back
// pixel by pixel.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wine_process.h"

namespace e2e {

struct WindowInfo {
  std::string title;
  int client_w = 0, client_h = 0;
  int screen_x = 0, screen_y = 0;  // client area's top-left corner on the X screen
  bool visible = false;
  unsigned long style = 0;  // GWL_STYLE
  int display_w = 0, display_h = 0;  // the display's current mode
  std::string served_by;  // the Linux program's: "x11", or "fullscreen" covering the screen
  Window x_window = 0;    // the Linux program's X window
  unsigned long long handle = 0;  // the Windows program's HWND
};

// Which display serves a window. The Windows program's is told by its style:
// "fullscreen" for the popup of a fullscreen display, else "directx" for a
// window with a maximise box (the DirectX driver's) and "gdi" for one without.
std::string DriverOf(const WindowInfo& w);
// Shown and in its final place: a fullscreen popup is made at the desktop's
// size before the display switches to 640x480, and until then a click at its
// corner lands beyond the new display, takes the focus from Wine's desktop and
// so (as switching away does) gives the display its own mode back.
bool Settled(const WindowInfo& w);

// The driver a game started now should get by default: "x11" for the Linux
// program; for the Windows one "gdi" when KVGFX names GDI (in any case), else
// "directx".
std::string DriverFromEnvironment();

// Runs a small program of the windows build's tests/e2e folder ("window_arrange")
// with the arguments; its output, and its exit status in *status.
std::string RunHelper(const std::string& name, const std::vector<std::string>& args, int* status);

// What the display_mode helper prints with the arguments, without its line
// end; its exit status in *status.
std::string DisplayMode(const std::vector<std::string>& args, int* status);

// Sets Wine's display back to the virtual desktop's own size (1024x768) when a
// program before this one left it in another mode: Wine keeps it for every
// program after, and a test should fail for its own game, not for an earlier
// one. Prints what it found and did, and nothing when the display was right.
// Nothing to do for the Linux program (each of its tests has an X server of
// its own).
void RestoreDesktopMode();

// The size of Wine's virtual desktop as X sees it (its X window); false when
// there is no desktop window.
bool DesktopSize(Display* d, int* w, int* h);

// Asks Wine for the window of a class; nothing when there is none. For the
// Linux program, asks X for the one mapped top-level window titled as the
// class names it ("kvgfxclass_tavrel": "tavrel"); nothing when there is none
// or more than one (a stale window of another game must not be mistaken for it).
std::optional<WindowInfo> QueryWindow(const std::string& class_name);

// Runs xdotool with the arguments; its exit status.
int Xdotool(const std::vector<std::string>& args, std::string* out = nullptr);

// A picture of the client area: 0xRRGGBB per pixel.
struct Shot {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
  bool Ok() const { return w > 0; }
};

class GameWindow {
 public:
  GameWindow();
  ~GameWindow();
  // Waits for the window of the class to be shown and records where it is.
  bool Find(const std::string& class_name, const std::string& title, Millis limit);
  // The same for a Windows program's window on a Wine desktop of its own in
  // which each window is an X window (no virtual desktop), which Wine's
  // programs on the virtual desktop cannot see: found through X alone.
  bool FindTopLevelX(const std::string& title, Millis limit);
  const WindowInfo& Info() const { return info_; }
  Window XWindow() const { return xwindow_; }
  // Gives the window the keyboard focus (xdotool windowfocus, then a click on
  // its client area as a player would).
  void Focus();
  // Presses a key with xdotool ("1", "Return", "alt+Return").
  void Key(const std::string& key);
  // The same through XTest in this process: quick, for long key runs.
  void FastKey(const std::string& key);
  void CloseBox();
  // Display pixels per framebuffer pixel: n when the client area is exactly
  // n times 640x480 (a window scaled on a dense display), else 1.
  int Scale() const { return scale_; }
  // Pictures and pixels in framebuffer pixels: at a scale above 1 each is the
  // colour of its scale x scale block, or kNotABlock when the block is not of
  // one colour, so that every comparison with a drawing fails on it.
  Shot Grab(int x = 0, int y = 0, int w = 640, int h = 480);
  uint32_t Pixel(int x, int y);
  // Waits until pixel (x, y) of the client area has the colour.
  bool WaitPixel(int x, int y, uint32_t rgb, Millis limit);
  Display* display() { return display_; }

 private:
  bool FindBy(const std::function<std::optional<WindowInfo>()>& query, const std::string& title, Millis limit);
  Display* display_ = nullptr;
  Window xwindow_ = 0;
  WindowInfo info_;
  int scale_ = 1;
};

constexpr uint32_t kNotABlock = 0xFF000000;

// Reduces a picture scale times the size to one pixel per block (kNotABlock
// for a block of more than one colour).
Shot Unscale(const Shot& wide, int scale);

}  // namespace e2e
