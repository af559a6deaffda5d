// The X11 driver and window layer against a real X server (the test run's own
// Xvfb): the window, the picture read back with XGetImage through both ways of
// presenting, the dirty flags, the shared memory segment's life, keys typed
// through XTest, the close request and the icon. Outside the test run, with no
// display, the cases skip; inside it (TAVREL_REQUIRE_DISPLAY) they fail.
// GoogleTest before Xlib, whose macros (None, Bool, Status) would clash with it.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
// clang-format on
#include <signal.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/tools/x11_probe.h"
#include "gfx/drivers/driver_x11.h"
#include "gfx/drivers/x11_image.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen.h"
#include "gfx/window/program_icon.h"
#include "gfx/window/time_slice.h"
#include "gfx/window/window_geometry.h"
#include "gfx/window/display_driver.h"

namespace {

constexpr char kTitle[] = "platform_tests";  // the program's file name
constexpr int kWidth = 640, kHeight = 480;

void SleepMs(int ms) {
  timespec pause = {0, ms * 1000000L};
  nanosleep(&pause, nullptr);
}

// Polls until done() holds or about timeout_ms passed.
template <typename Done>
bool WaitFor(Done done, int timeout_ms = 3000) {
  for (int waited = 0; waited < timeout_ms; waited += 5) {
    if (done()) return true;
    SleepMs(5);
  }
  return done();
}

bool WaitForPasses(int64_t n) {
  const int64_t target = X11PassCount() + n;
  return WaitFor([&] {
    NoteScreenChanged();  // an idle update thread passes at once
    return X11PassCount() >= target;
  });
}

// The next queued key code within about 2 s, or 0.
int32_t NextCode() {
  int32_t code = 0;
  WaitFor([&] { return (code = KeyQueueTake()) != 0; }, 2000);
  return code;
}

void DrainKeys() {
  while (KeyQueueTake() != 0) {
  }
}

// The shared memory segments this process created, as (id, mode) pairs.
std::vector<std::pair<int, int>> OwnSegments(pid_t creator = getpid()) {
  std::vector<std::pair<int, int>> found;
  std::ifstream table("/proc/sysvipc/shm");
  std::string line;
  std::getline(table, line);  // the heading
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    long key = 0, size = 0;
    int id = 0, cpid = 0;
    std::string mode;
    fields >> key >> id >> mode >> size >> cpid;
    if (fields && cpid == creator) found.emplace_back(id, static_cast<int>(std::strtol(mode.c_str(), nullptr, 8)));
  }
  return found;
}

bool SegmentExists(int id) {
  std::ifstream table("/proc/sysvipc/shm");
  std::string line;
  std::getline(table, line);  // the heading
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    long key = 0;
    int shmid = -1;
    fields >> key >> shmid;
    if (shmid == id) return true;
  }
  return false;
}

uint32_t PaletteRgb(uint8_t index) {
  uint32_t c = g_screen->current_palette[index];  // red | green << 8 | blue << 16
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

// A pattern in which neighbours differ and all 16 colours are used, every row
// flagged as changed.
void DrawPattern(int shift) {
  const bool took = ScreenLock();
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* row = g_screen->visible_page + static_cast<size_t>(y) * g_screen->pitch;
    for (int x = 0; x < kWidth; ++x) row[x] = static_cast<uint8_t>((x + 3 * y + shift) % 16);
    g_screen->dirty[y] = 0xFF;
  }
  ScreenUnlock(took);
}

bool AllRowsClean() {
  const bool took = ScreenLock();
  bool clean = true;
  for (int y = 0; y < kHeight; ++y) clean = clean && g_screen->dirty[y] == 0;
  ScreenUnlock(took);
  return clean;
}

class X11Window : public ::testing::Test {
 protected:
  void SetUp() override {
    probe_ = ProbeOpen();
    if (!probe_) {
      if (std::getenv("TAVREL_REQUIRE_DISPLAY")) FAIL() << "no X display with XTest, though the test run provides one";
      GTEST_SKIP() << "no X display with XTest (DISPLAY unset or refused): the X11 window tests need one";
    }
    unsetenv("KVGFX");
  }
  void TearDown() override {
    ScreenSetMode(0, 0, 0, 0, 0);
    X11AllowSharedMemory(true);
    if (probe_) XCloseDisplay(probe_);
  }

  // Opens the game's screen mode through the platform's drivers and waits
  // for its window to show.
  void Open(bool shared_memory = true) {
    X11AllowSharedMemory(shared_memory);
    ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
    ASSERT_NE(g_screen, nullptr);
    ASSERT_STREQ(g_screen->driver->name, "X11");
    ASSERT_TRUE(WaitFor([&] {
      window_ = ProbeFindWindow(probe_, kTitle);
      XWindowAttributes a{};
      return window_ && XGetWindowAttributes(probe_, window_, &a) && a.map_state == IsViewable;
    })) << "no viewable window named " << kTitle;
  }

  // Gives the window the keyboard, as a click would with a window manager.
  void Focus() {
    XSetInputFocus(probe_, window_, RevertToPointerRoot, CurrentTime);
    XSync(probe_, False);
    ASSERT_TRUE(WaitForPasses(2));
    DrainKeys();
  }

  // The window's pixels that differ from the framebuffer through the
  // palette, each framebuffer pixel a scale x scale block; the first is
  // described in why.
  int WrongPixels(std::string* why, int scale = 1) {
    XImage* image = XGetImage(probe_, window_, 0, 0, kWidth * scale, kHeight * scale, AllPlanes, ZPixmap);
    if (!image) {
      *why = "XGetImage failed";
      return kWidth * kHeight;
    }
    int wrong = 0;
    const bool took = ScreenLock();
    for (int y = 0; y < kHeight * scale; ++y) {
      const uint8_t* row = g_screen->visible_page + static_cast<size_t>(y / scale) * g_screen->pitch;
      for (int x = 0; x < kWidth * scale; ++x) {
        unsigned long p = XGetPixel(image, x, y);
        uint32_t shown = static_cast<uint32_t>((p & image->red_mask) >> 16 << 16 |
                                               (p & image->green_mask) >> 8 << 8 | (p & image->blue_mask));
        const uint8_t index = row[x / scale];
        if (shown == PaletteRgb(index)) continue;
        if (wrong++ == 0) {
          char text[96];
          std::snprintf(text, sizeof text, "(%d,%d) shows %06x, framebuffer index %d is %06x", x, y, shown,
                        index, PaletteRgb(index));
          *why = text;
        }
      }
    }
    ScreenUnlock(took);
    XDestroyImage(image);
    return wrong;
  }

  void ExpectPictureShown() {
    std::string why;
    EXPECT_TRUE(WaitFor([&] { return WrongPixels(&why) == 0; })) << why;
  }

  // Draws, checks the picture and the flags, then shows that a row changed
  // without its flag stays as it was until it is flagged.
  void CheckPresenting() {
    DrawPattern(0);
    ExpectPictureShown();
    EXPECT_TRUE(AllRowsClean());
    bool took = ScreenLock();
    std::memset(g_screen->visible_page + 200 * g_screen->pitch, 15, kWidth);
    ScreenUnlock(took);
    ASSERT_TRUE(WaitForPasses(3));
    std::string why;
    EXPECT_GE(WrongPixels(&why), kWidth / 2) << "an unflagged row was copied";
    took = ScreenLock();
    g_screen->dirty[200] = 0xFF;
    ScreenUnlock(took);
    ExpectPictureShown();
    PaletteSetEntry(3, PackColour(10, 200, 30));  // every row is shown anew
    ExpectPictureShown();
  }

  Display* probe_ = nullptr;
  Window window_ = 0;
};

TEST_F(X11Window, OpensAFixedSize640x480WindowTitledAfterTheProgram) {
  Open();
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(probe_, window_, &a));
  EXPECT_EQ(a.width, kWidth);
  EXPECT_EQ(a.height, kHeight);
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(probe_, window_, &hints, &supplied));
  EXPECT_EQ(hints.min_width, kWidth);
  EXPECT_EQ(hints.max_width, kWidth);
  EXPECT_EQ(hints.min_height, kHeight);
  EXPECT_EQ(hints.max_height, kHeight);
  ScreenSetMode(0, 0, 0, 0, 0);
  EXPECT_EQ(ProbeFindWindow(probe_, kTitle), 0u) << "the window outlived its screen";
}

TEST_F(X11Window, PictureThroughSharedMemoryIsTheFramebufferThroughThePalette) {
  Open(true);
  ASSERT_TRUE(X11UsesSharedMemory()) << "Xvfb offers MIT-SHM on the same host";
  CheckPresenting();
}

// In a mode that shows each framebuffer row on two display rows, a row drawn
// alone, with every other row clean, reaches both display rows it fills.
TEST_F(X11Window, RowDrawnAloneInAModeThatRepeatsRowsFillsBothDisplayRows) {
  ASSERT_EQ(ScreenSetMode(8, 0, 0, 0, 0), 0);
  ASSERT_EQ(g_screen->line_multiplier, 2);
  ASSERT_TRUE(WaitFor([&] { return (window_ = ProbeFindWindow(probe_, kTitle)) != 0; }));
  ASSERT_TRUE(WaitForPasses(3));
  constexpr int kRow = 150;  // display rows 300 and 301
  bool took = ScreenLock();
  std::memset(g_screen->visible_page + kRow * g_screen->pitch, 14, static_cast<size_t>(g_screen->width));
  g_screen->dirty[kRow] = 0xFF;
  ScreenUnlock(took);
  const auto shown = [&](int y) {
    XImage* image = XGetImage(probe_, window_, 320, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0ul;
    const unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return p;
  };
  const unsigned long yellow = PaletteRgb(14);
  EXPECT_TRUE(WaitFor([&] { return shown(2 * kRow) == yellow && shown(2 * kRow + 1) == yellow; }))
      << "display rows " << 2 * kRow << " and " << 2 * kRow + 1 << " show " << std::hex << shown(2 * kRow)
      << " and " << shown(2 * kRow + 1);
}

// With nothing to show the update thread sleeps past its period; the program's
// next change under the screen lock wakes it at once.
TEST_F(X11Window, IdleUpdateThreadSleepsUntilTheProgramDraws) {
  Open();
  DrawPattern(0);
  ExpectPictureShown();
  SleepMs(100);
  int64_t before = X11PassCount();
  for (int i = 0; i < 10; ++i) SleepMs(100);  // SleepMs takes less than a second
  EXPECT_LE(X11PassCount() - before, 1000 / kIdlePassPauseMs + 2) << "an idle thread keeps its period";
  before = X11PassCount();
  timespec start, now;
  clock_gettime(CLOCK_MONOTONIC, &start);
  DrawPattern(1);
  ASSERT_TRUE(WaitFor([&] { return X11PassCount() > before; }, 2000));
  clock_gettime(CLOCK_MONOTONIC, &now);
  EXPECT_LT((now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000, kIdlePassPauseMs / 2)
      << "the change did not end the idle sleep";
  ExpectPictureShown();
}

TEST_F(X11Window, PictureThroughPlainPutImageIsTheFramebufferThroughThePalette) {
  Open(false);
  ASSERT_FALSE(X11UsesSharedMemory());
  CheckPresenting();
  EXPECT_TRUE(OwnSegments().empty()) << "the plain path made a segment";
}

TEST_F(X11Window, SharedSegmentIsMarkedForRemovalAndGoneAfterTheScreenCloses) {
  Open(true);
  std::vector<std::pair<int, int>> segments = OwnSegments();
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_NE(segments[0].second & 01000, 0) << "not marked for removal while in use";
  ScreenSetMode(0, 0, 0, 0, 0);
  EXPECT_FALSE(SegmentExists(segments[0].first));
}

TEST_F(X11Window, SharedSegmentGoesWhenTheProgramIsKilled) {
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  pid_t child = fork();
  if (child == 0) {
    ::close(report[0]);
    X11AllowSharedMemory(true);
    int id = -1;
    if (ScreenSetMode(12, 8, 0, 0, 0) == 0 && OwnSegments().size() == 1) id = OwnSegments()[0].first;
    if (::write(report[1], &id, sizeof id) != sizeof id) _exit(2);
    for (;;) pause();
  }
  ::close(report[1]);
  int id = -1;
  ASSERT_EQ(::read(report[0], &id, sizeof id), static_cast<ssize_t>(sizeof id));
  ::close(report[0]);
  ASSERT_GE(id, 0) << "the child got no shared segment";
  EXPECT_TRUE(SegmentExists(id));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(WaitFor([&] { return !SegmentExists(id); })) << "segment " << id << " outlived its program";
}

// A server that cannot reach the segment (one on another host) answers the
// attach with an X error. Xlib's default handler, put back for this case,
// would end the program; the attach must catch it and let the caller go on.
TEST_F(X11Window, RefusedAttachIsCaughtAndTheConnectionGoesOn) {
  Display* d = XOpenDisplay(nullptr);
  ASSERT_NE(d, nullptr);
  ASSERT_TRUE(XShmQueryExtension(d));
  XErrorHandler previous = XSetErrorHandler(nullptr);
  XShmSegmentInfo gone{};
  gone.shmid = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
  ASSERT_GE(gone.shmid, 0);
  shmctl(gone.shmid, IPC_RMID, nullptr);  // nobody attached: the id is gone at once
  EXPECT_FALSE(X11AttachSegment(d, &gone));
  XShmSegmentInfo real{};
  real.shmid = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
  ASSERT_GE(real.shmid, 0);
  real.shmaddr = static_cast<char*>(shmat(real.shmid, nullptr, 0));
  shmctl(real.shmid, IPC_RMID, nullptr);
  EXPECT_TRUE(X11AttachSegment(d, &real)) << "the connection after a refusal";
  XShmDetach(d, &real);
  XSync(d, False);
  shmdt(real.shmaddr);
  XSetErrorHandler(previous);
  XCloseDisplay(d);
}

TEST_F(X11Window, KeysTypedThroughXTestBecomeKeyCodesAndKeyStates) {
  Open();
  Focus();
  const struct {
    const char* key;
    int32_t code;
  } keys[] = {{"1", '1'}, {"Return", 13}, {"Escape", 27}, {"shift+1", '!'}, {"ctrl+a", 1},
              {"Up", 257}, {"Next", 266}, {"F1", 267}, {"KP_Left", 259}};
  for (const auto& k : keys) {
    ASSERT_EQ(ProbeKey(probe_, k.key), 0) << k.key;
    EXPECT_EQ(NextCode(), k.code) << k.key;
  }
  KeyCode a = XKeysymToKeycode(probe_, XK_a);
  XTestFakeKeyEvent(probe_, a, True, CurrentTime);
  XFlush(probe_);
  EXPECT_TRUE(WaitFor([] { return GfxKeyIsDown(0x1E) == -1; })) << "A held";
  XTestFakeKeyEvent(probe_, a, False, CurrentTime);
  XFlush(probe_);
  EXPECT_TRUE(WaitFor([] { return GfxKeyIsDown(0x1E) == 0; })) << "A released";
  EXPECT_EQ(NextCode(), 'a');
}

// A keycode with no symbols, given a Cyrillic letter for the test's time: the
// way a Russian layout reaches the program.
TEST_F(X11Window, CyrillicKeysGiveCodePage866Bytes) {
  Open();
  int first = 0, last = 0, per = 0;
  XDisplayKeycodes(probe_, &first, &last);
  KeySym* map = XGetKeyboardMapping(probe_, static_cast<KeyCode>(first), last - first + 1, &per);
  ASSERT_NE(map, nullptr);
  int spare = 0;
  for (int k = last; k >= first && !spare; --k) {
    bool empty = true;
    for (int i = 0; i < per; ++i) empty = empty && map[(k - first) * per + i] == NoSymbol;
    if (empty) spare = k;
  }
  XFree(map);
  ASSERT_NE(spare, 0) << "no free keycode";
  Focus();
  // One symbol on a key stands for its small and its capital letter, as X's
  // case rules have it.
  const struct {
    KeySym sym;
    bool shift;
    int32_t code;
  } letters[] = {{XK_Cyrillic_zhe, false, 0xA6}, {XK_Cyrillic_zhe, true, 0x86},  // ж Ж
                 {XK_Cyrillic_YA, false, 0xEF}, {0x01000451, false, 0xF1}};       // я ё
  const KeyCode shift = XKeysymToKeycode(probe_, XK_Shift_L);
  for (const auto& letter : letters) {
    KeySym sym = letter.sym;
    XChangeKeyboardMapping(probe_, spare, 1, &sym, 1);
    XSync(probe_, False);
    ASSERT_TRUE(WaitForPasses(2));
    if (letter.shift) XTestFakeKeyEvent(probe_, shift, True, CurrentTime);
    XTestFakeKeyEvent(probe_, static_cast<unsigned>(spare), True, CurrentTime);
    XTestFakeKeyEvent(probe_, static_cast<unsigned>(spare), False, CurrentTime);
    if (letter.shift) XTestFakeKeyEvent(probe_, shift, False, CurrentTime);
    XFlush(probe_);
    EXPECT_EQ(NextCode(), letter.code) << std::hex << letter.sym << (letter.shift ? " with Shift" : "");
  }
  KeySym none = NoSymbol;
  XChangeKeyboardMapping(probe_, spare, 1, &none, 1);
  XSync(probe_, False);
}

TEST_F(X11Window, CloseRequestQueuesTheCloseKeyAndTheWindowStays) {
  Open();
  DrainKeys();
  ProbeCloseRequest(probe_, window_);
  EXPECT_EQ(NextCode(), kKeyClose);
  ASSERT_TRUE(WaitForPasses(3));
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(probe_, window_, &a));
  EXPECT_EQ(a.map_state, IsViewable);
  EXPECT_EQ(ProbeFindWindow(probe_, kTitle), window_);
  DrawPattern(5);
  ExpectPictureShown();
}

TEST_F(X11Window, IconPropertyIsTheProgramIconDrawing) {
  Open();
  Atom icon = XInternAtom(probe_, "_NET_WM_ICON", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(probe_, window_, icon, 0, 1 << 20, False, XA_CARDINAL, &type, &format, &count,
                               &after, &data),
            Success);
  ASSERT_NE(data, nullptr) << "no _NET_WM_ICON";
  std::vector<uint32_t> expected = ProgramIconProperty();
  EXPECT_EQ(type, XA_CARDINAL);
  EXPECT_EQ(format, 32);
  EXPECT_EQ(after, 0u);
  ASSERT_EQ(count, expected.size());
  const long* values = reinterpret_cast<const long*>(data);  // format 32 arrives as longs
  int wrong = 0;
  for (size_t i = 0; i < count; ++i) wrong += static_cast<uint32_t>(values[i]) != expected[i];
  EXPECT_EQ(wrong, 0);
  XFree(data);
}

// A 200% desktop (Xft.dpi 192 in the server's resources): the window is made
// twice the size, every framebuffer pixel a 2x2 block, and the mouse is told
// and moved in framebuffer pixels.
TEST_F(X11Window, DenseDesktopDoublesTheWindowAndKeepsTheMouseInFramebufferPixels) {
  const std::string resources = "Xft.antialias:\t1\nXft.dpi:\t192\n";
  XChangeProperty(probe_, DefaultRootWindow(probe_), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(resources.c_str()), static_cast<int>(resources.size()));
  XSync(probe_, False);
  Open();
  XDeleteProperty(probe_, DefaultRootWindow(probe_), XA_RESOURCE_MANAGER);  // for the tests after this one
  XSync(probe_, False);
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(probe_, window_, &a));
  EXPECT_EQ(a.width, 2 * kWidth);
  EXPECT_EQ(a.height, 2 * kHeight);
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(probe_, window_, &hints, &supplied));
  EXPECT_EQ(hints.min_width, 2 * kWidth);
  EXPECT_EQ(hints.max_height, 2 * kHeight);
  DrawPattern(7);
  std::string why;
  EXPECT_TRUE(WaitFor([&] { return WrongPixels(&why, 2) == 0; })) << why;

  // The pointer on the bottom-right display pixel of framebuffer pixel (301, 97).
  XTestFakeMotionEvent(probe_, DefaultScreen(probe_), a.x + 2 * 301 + 1, a.y + 2 * 97 + 1, CurrentTime);
  XSync(probe_, False);
  int32_t x = -1, y = -1, wheel = 0, buttons = 0;
  EXPECT_TRUE(WaitFor([&] { return GfxReadMouse(&x, &y, &wheel, &buttons) == 0 && x == 301 && y == 97; }))
      << "read (" << x << ", " << y << ")";
  ASSERT_EQ(GfxSetMouse(639, 10, 1), 0);
  XSync(probe_, False);
  Window root = 0, child = 0;
  int rx = 0, ry = 0, wx = 0, wy = 0;
  unsigned mask = 0;
  ASSERT_TRUE(XQueryPointer(probe_, window_, &root, &child, &rx, &ry, &wx, &wy, &mask));
  EXPECT_EQ(wx, 2 * 639);
  EXPECT_EQ(wy, 2 * 10);
}

}  // namespace
