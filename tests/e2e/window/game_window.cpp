// The window on the X screen (see game_window.h).
#include "game_window.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "game_console.h"
#include "query_client.h"
#include "tests/e2e/tools/x11_probe.h"

extern char** environ;

namespace e2e {

std::string RunHelper(const std::string& name, const std::vector<std::string>& args, int* status) {
  if (ServedByQueryServer(name)) {
    int ignored = 0;
    return AskQueryServer(name, args, status ? status : &ignored);
  }
  return RunWine(E2eEnv::Get().windows_build + "/tests/e2e/" + name + ".exe", args, status);
}

std::string DisplayMode(const std::vector<std::string>& args, int* status) {
  std::string line = RunHelper("display_mode", args, status);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

void RestoreDesktopMode() {
  if (NativeProgramUnderTest()) return;
  int status = -1;
  const std::string before = DisplayMode({}, &status);
  if (status != 0) {
    std::printf("the display's mode could not be read (display_mode: status %d)\n", status);
    return;
  }
  // The prefix's desktop: 1024x768 unless the test run made another
  // (TAVREL_E2E_DESKTOP, as desktop-prefix.sh was given it).
  const char* named = std::getenv("TAVREL_E2E_DESKTOP");
  std::string w = "1024", h = "768";
  if (const std::string size = named ? named : ""; size.find('x') != std::string::npos) {
    w = size.substr(0, size.find('x'));
    h = size.substr(size.find('x') + 1);
  }
  if (before.rfind("mode " + w + " " + h + " 32 ", 0) == 0 && before.find("screen " + w + " " + h) != std::string::npos)
    return;
  const std::string after = DisplayMode({"restore", w, h}, &status);
  std::printf("an earlier program left the display at %s; set back: %s\n", before.c_str(), after.c_str());
}

namespace {

// Without a window manager (the tests' Xvfb) the top-level windows are the
// root's children and their position is the client area's.
std::optional<WindowInfo> QueryX11Window(const std::string& title) {
  static Display* d = ProbeOpen();
  if (d == nullptr) return std::nullopt;
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return std::nullopt;
  std::optional<WindowInfo> found;
  int matches = 0;
  for (unsigned int i = 0; i < count; ++i) {
    char* name = nullptr;
    XWindowAttributes a;
    if (!XFetchName(d, children[i], &name) || name == nullptr) continue;
    const bool same = title == name;
    XFree(name);
    if (!same || !XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
    WindowInfo w;
    w.title = title;
    w.client_w = a.width;
    w.client_h = a.height;
    w.screen_x = a.x;
    w.screen_y = a.y;
    w.visible = true;
    w.display_w = DisplayWidth(d, DefaultScreen(d));
    w.display_h = DisplayHeight(d, DefaultScreen(d));
    const bool covers = a.x == 0 && a.y == 0 && a.width == w.display_w && a.height == w.display_h;
    w.served_by = covers ? "fullscreen" : "x11";
    w.x_window = children[i];
    found = w;
    ++matches;
  }
  if (children) XFree(children);
  if (matches != 1) return std::nullopt;
  return found;
}

}  // namespace

std::optional<WindowInfo> QueryWindow(const std::string& class_name) {
  const std::string prefix = "kvgfxclass_";
  if (NativeProgramUnderTest())
    return QueryX11Window(class_name.rfind(prefix, 0) == 0 ? class_name.substr(prefix.size()) : class_name);
  int status = -1;
  std::string out = RunHelper("window_query", {class_name}, &status);
  if (status != 0) return std::nullopt;
  std::istringstream in(out);
  WindowInfo w;
  int visible = 0;
  if (!(in >> w.title >> w.client_w >> w.client_h >> w.screen_x >> w.screen_y >> visible >> std::hex >>
        w.style))
    return std::nullopt;
  w.visible = visible != 0;
  in >> std::dec >> w.display_w >> w.display_h >> std::hex >> w.handle;
  return w;
}

std::string DriverOf(const WindowInfo& w) {
  if (!w.served_by.empty()) return w.served_by;
  constexpr unsigned long kPopup = 0x80000000UL, kMaximiseBox = 0x00010000UL;
  if (w.style & kPopup) return "fullscreen";
  return (w.style & kMaximiseBox) ? "directx" : "gdi";
}

bool Settled(const WindowInfo& w) {
  if (!w.visible) return false;
  if (DriverOf(w) != "fullscreen") return true;
  if (!w.served_by.empty()) return true;  // the Linux program's: named so once it covers the screen
  return w.client_w == 640 && w.client_h == 480 && w.display_w == 640 && w.display_h == 480;
}

std::string DriverFromEnvironment() {
  if (NativeProgramUnderTest()) return "x11";
  const char* named = std::getenv("KVGFX");
  std::string lower;
  for (const char* c = named ? named : ""; *c; ++c) lower += static_cast<char>(std::tolower(*c));
  return lower == "gdi" ? "gdi" : "directx";
}

bool DesktopSize(Display* d, int* w, int* h) {
  // Wine names the desktop's X window after the desktop ("Default").
  Window desktop = ProbeFindWindow(d, "Default - Wine desktop");
  int x = 0, y = 0;
  return desktop != 0 && ProbeWindowRect(d, desktop, &x, &y, w, h) == 0;
}

int Xdotool(const std::vector<std::string>& args, std::string* out) {
  std::string cmd = "xdotool";
  for (const auto& a : args) cmd += " '" + a + "'";
  FILE* p = popen(cmd.c_str(), "r");
  if (p == nullptr) return -1;
  char buf[256];
  std::string text;
  while (fgets(buf, sizeof buf, p)) text += buf;
  int raw = pclose(p);
  if (out) *out = text;
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

GameWindow::GameWindow() : display_(ProbeOpen()) {}

GameWindow::~GameWindow() {
  if (display_) XCloseDisplay(display_);
}

bool GameWindow::Find(const std::string& class_name, const std::string& title, Millis limit) {
  return FindBy([&] { return QueryWindow(class_name); }, title, limit);
}

bool GameWindow::FindTopLevelX(const std::string& title, Millis limit) {
  return FindBy([&] { return QueryX11Window(title); }, title, limit);
}

bool GameWindow::FindBy(const std::function<std::optional<WindowInfo>()>& query, const std::string& title,
                        Millis limit) {
  if (display_ == nullptr) return false;
  bool found = WaitFor(
      [&] {
        auto w = query();
        if (!w || !w->visible) return false;
        info_ = *w;
        return true;
      },
      limit, Millis(50));
  if (!found) return false;
  const int n = info_.client_w / 640;
  scale_ = n > 1 && info_.client_w == 640 * n && info_.client_h == 480 * n ? n : 1;
  if ((xwindow_ = info_.x_window) != 0) return true;
  WaitFor([&] { return (xwindow_ = ProbeFindWindow(display_, title.c_str())) != 0; }, Millis(5000));
  return true;
}

void GameWindow::Focus() {
  if (xwindow_ != 0) Xdotool({"windowfocus", std::to_string(xwindow_)});
  // A click in the bottom-right corner of the client area, clear of the board.
  ProbeClick(display_, info_.screen_x + info_.client_w - 2, info_.screen_y + info_.client_h - 2);
}

void GameWindow::Key(const std::string& key) { Xdotool({"key", key}); }

void GameWindow::FastKey(const std::string& key) { ProbeKey(display_, key.c_str()); }

void GameWindow::CloseBox() {
  if (xwindow_ != 0) ProbeCloseRequest(display_, xwindow_);
}

Shot Unscale(const Shot& wide, int scale) {
  if (scale == 1 || !wide.Ok()) return wide;
  Shot s;
  s.w = wide.w / scale;
  s.h = wide.h / scale;
  s.px.resize(static_cast<size_t>(s.w) * s.h);
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x) {
      uint32_t c = wide.At(x * scale, y * scale);
      for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
          if (wide.At(x * scale + dx, y * scale + dy) != c) c = kNotABlock;
      s.px[static_cast<size_t>(y) * s.w + x] = c;
    }
  return s;
}

Shot GameWindow::Grab(int x, int y, int w, int h) {
  const int k = scale_;
  Shot s;
  s.px.resize(static_cast<size_t>(w) * h * k * k);
  if (ProbeGrab(display_, info_.screen_x + x * k, info_.screen_y + y * k, w * k, h * k, s.px.data()) == 0) {
    s.w = w * k;
    s.h = h * k;
  }
  return Unscale(s, k);
}

uint32_t GameWindow::Pixel(int x, int y) {
  if (scale_ > 1) {
    Shot s = Grab(x, y, 1, 1);
    return s.Ok() ? s.px[0] : kNotABlock;
  }
  return ProbePixel(display_, info_.screen_x + x, info_.screen_y + y);
}

bool GameWindow::WaitPixel(int x, int y, uint32_t rgb, Millis limit) {
  return WaitFor([&] { return Pixel(x, y) == rgb; }, limit, Millis(2));
}

}  // namespace e2e
