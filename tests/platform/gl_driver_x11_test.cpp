// The OpenGL driver on X against a real server (the test run's own Xvfb, with
// Mesa's software OpenGL): which screens it serves, the configuration it asks
// for, the context's life, what a present shows, the keys and close box that
// reach the program only when it presents, fullscreen and back, and the mode
// list. Outside the test run, with no display, the cases skip; inside it
// (TAVREL_REQUIRE_DISPLAY) they fail.
// GoogleTest before Xlib, whose macros (None, Bool, Status) would clash with it.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
// clang-format on
#include <dlfcn.h>
#include <time.h>

#include <cstdlib>

#include "e2e/tools/x11_probe.h"
#include "gfx/drivers/driver_x11.h"
#include "gfx/drivers/gl_state_x11.h"
#include "gfx/input/keys_internal.h"
#include "gfx/window/display_driver.h"
#include "gfx/screen.h"

namespace {

constexpr char kTitle[] = "platform_tests";  // the program's file name
constexpr int32_t kMode640x480 = 18;
constexpr int kGlxVisualId = 0x800B;
constexpr unsigned kGlColorBufferBit = 0x4000;

// The few OpenGL calls the tests make themselves, from the library the driver loaded.
struct GlCalls {
  void* (*current_context)() = nullptr;
  void (*clear_color)(float, float, float, float) = nullptr;
  void (*clear)(unsigned) = nullptr;
  bool Load() {
    void* gl = dlopen("libGL.so.1", RTLD_NOW | RTLD_NOLOAD);
    if (!gl) return false;
    current_context = reinterpret_cast<void* (*)()>(dlsym(gl, "glXGetCurrentContext"));
    clear_color = reinterpret_cast<void (*)(float, float, float, float)>(dlsym(gl, "glClearColor"));
    clear = reinterpret_cast<void (*)(unsigned)>(dlsym(gl, "glClear"));
    dlclose(gl);
    return current_context && clear_color && clear;
  }
};

void SleepMs(int ms) {
  timespec pause = {0, ms * 1000000L};
  nanosleep(&pause, nullptr);
}

// Presents until done() holds or about 3 s passed: the driver handles the
// window's events only there.
template <typename Done>
bool FlipUntil(Done done) {
  for (int waited = 0; waited < 3000; waited += 5) {
    ScreenFlip();
    if (done()) return true;
    SleepMs(5);
  }
  return done();
}

void DrainKeys() {
  while (KeyQueueTake() != 0) {
  }
}

int32_t Attribute(int name) {
  int value = -1;
  glx::g_gl.gl.get_fb_config_attrib(glx::g_gl.display, glx::g_gl.config, name, &value);
  return value;
}

class GlScreenX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    probe_ = ProbeOpen();
    if (!probe_) {
      if (std::getenv("TAVREL_REQUIRE_DISPLAY")) FAIL() << "no X display with XTest, though the test run provides one";
      GTEST_SKIP() << "no X display with XTest: the OpenGL driver tests need one";
    }
    unsetenv("KVGFX");
  }
  void TearDown() override {
    ScreenSetMode(0, 0, 0, 0, 0);
    unsetenv("KVGFX");
    DrainKeys();
    if (probe_) XCloseDisplay(probe_);
  }
  static const char* DriverName() { return g_screen && g_screen->driver ? g_screen->driver->name : ""; }

  // Opens a 640x480 OpenGL screen and waits for its window to show.
  void Open(int32_t flags) {
    ASSERT_EQ(ScreenSetMode(kMode640x480, 32, 1, kDisplayOpenGl | flags, 0), 0);
    ASSERT_STREQ(DriverName(), "OpenGL");
    ASSERT_TRUE(gl_.Load());
    ASSERT_TRUE(FlipUntil([&] {
      frame_ = ProbeFindWindow(probe_, kTitle);
      XWindowAttributes a{};
      return frame_ && XGetWindowAttributes(probe_, frame_, &a) && a.map_state == IsViewable;
    })) << "no viewable window named " << kTitle;
  }

  // Clears the view to a colour and presents it.
  void Show(float r, float g, float b) {
    gl_.clear_color(r, g, b, 1.0f);
    gl_.clear(kGlColorBufferBit);
    ScreenFlip();
  }

  // Gives the frame the keyboard, as a click would with a window manager.
  void Focus() {
    XSetInputFocus(probe_, frame_, RevertToPointerRoot, CurrentTime);
    ASSERT_TRUE(FlipUntil([&] {
      Window focus = 0;
      int revert = 0;
      XGetInputFocus(probe_, &focus, &revert);
      return focus == frame_;
    }));
    DrainKeys();
  }

  void FrameRect(int* x, int* y, int* w, int* h) { ASSERT_EQ(ProbeWindowRect(probe_, frame_, x, y, w, h), 0); }

  Display* probe_ = nullptr;
  Window frame_ = 0;
  GlCalls gl_;
};

TEST_F(GlScreenX11, OnlyOpenGlScreensUseTheDriverWhateverKvgfxNames) {
  setenv("KVGFX", "OpenGL", 1);
  ASSERT_EQ(ScreenSetMode(kMode640x480, 32, 1, 0, 0), 0);
  EXPECT_STREQ(DriverName(), "X11") << "a screen without flag 0x02 never gets OpenGL";
  EXPECT_EQ(glx::g_gl.display, nullptr);
  ScreenSetMode(0, 0, 0, 0, 0);
  setenv("KVGFX", "X11", 1);
  ASSERT_EQ(ScreenSetMode(kMode640x480, 32, 1, kDisplayOpenGl, 0), 0);
  EXPECT_STREQ(DriverName(), "OpenGL");
  ScreenSetMode(0, 0, 0, 0, 0);
  EXPECT_EQ(X11Init("t", 640, 480, 32, 0, kDisplayOpenGl), -1) << "the X11 driver refuses OpenGL screens";
  X11Exit();
}

TEST_F(GlScreenX11, ConfigurationCarriesTheFlagsBuffers) {
  for (int32_t flags : {0, kDisplayStencil, kDisplayAccum}) {
    Open(flags);
    using namespace glx_attr;
    EXPECT_EQ(Attribute(kDoubleBuffer), 1) << flags;
    EXPECT_EQ(Attribute(kRenderType) & kRgbaBit, kRgbaBit) << flags;
    EXPECT_EQ(Attribute(kRedSize) + Attribute(kGreenSize) + Attribute(kBlueSize), 24) << flags;
    EXPECT_GE(Attribute(kDepthSize), 24) << flags;
    EXPECT_EQ(Attribute(kStencilSize) >= 8, (flags & kDisplayStencil) != 0) << flags;
    const int32_t accum = Attribute(kAccumRedSize) + Attribute(kAccumGreenSize) +
                          Attribute(kAccumBlueSize) + Attribute(kAccumAlphaSize);
    EXPECT_EQ(accum >= 32, (flags & kDisplayAccum) != 0) << flags << " accumulation bits " << accum;
    XWindowAttributes view{};
    ASSERT_TRUE(XGetWindowAttributes(probe_, glx::g_gl.view, &view));
    EXPECT_EQ(XVisualIDFromVisual(view.visual), static_cast<VisualID>(Attribute(kGlxVisualId))) << flags;
    ScreenSetMode(0, 0, 0, 0, 0);
  }
}

TEST_F(GlScreenX11, ContextIsCurrentUntilModeZeroAndAPresentShowsTheFrame) {
  Open(0);
  ASSERT_NE(glx::g_gl.context, nullptr);
  EXPECT_EQ(gl_.current_context(), glx::g_gl.context);
  int x = 0, y = 0, w = 0, h = 0;
  FrameRect(&x, &y, &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  Show(1.0f, 0.0f, 0.0f);
  EXPECT_TRUE(FlipUntil([&] { return ProbePixel(probe_, x + 320, y + 240) == 0xFF0000u; }));
  Show(0.0f, 0.0f, 1.0f);
  EXPECT_TRUE(FlipUntil([&] { return ProbePixel(probe_, x + 639, y + 479) == 0x0000FFu; }));

  ScreenSetMode(0, 0, 0, 0, 0);
  EXPECT_EQ(gl_.current_context(), nullptr);
  EXPECT_EQ(glx::g_gl.display, nullptr);
  XSync(probe_, False);
  EXPECT_EQ(ProbeFindWindow(probe_, kTitle), 0u) << "the window goes with the screen";
}

TEST_F(GlScreenX11, KeysKeyStatesAndTheCloseBoxArriveOnlyWithAPresent) {
  Open(0);
  Focus();
  const unsigned one = XKeysymToKeycode(probe_, XK_1);
  XTestFakeKeyEvent(probe_, one, True, CurrentTime);
  XSync(probe_, False);
  SleepMs(50);
  EXPECT_EQ(KeyQueueTake(), 0) << "no key before the next present";
  EXPECT_EQ(g_screen->key_state[2], 0);
  ScreenFlip();
  EXPECT_TRUE(FlipUntil([] { return g_screen->key_state[2] != 0; })) << "1 is down";
  EXPECT_EQ(KeyQueueTake(), '1');
  XTestFakeKeyEvent(probe_, one, False, CurrentTime);
  XSync(probe_, False);
  EXPECT_TRUE(FlipUntil([] { return g_screen->key_state[2] == 0; })) << "1 is up";

  ProbeCloseRequest(probe_, frame_);
  SleepMs(50);
  EXPECT_EQ(KeyQueueTake(), 0);
  int32_t code = 0;
  EXPECT_TRUE(FlipUntil([&] { return (code = KeyQueueTake()) != 0; }));
  EXPECT_EQ(code, kKeyClose);
  EXPECT_EQ(ProbeFindWindow(probe_, kTitle), frame_) << "the close box leaves the window to the program";
}

TEST_F(GlScreenX11, FullscreenAndBackOnAltEnterKeepTheContext) {
  Open(kDisplayFullscreen);
  const int screen_w = DisplayWidth(probe_, DefaultScreen(probe_));
  const int screen_h = DisplayHeight(probe_, DefaultScreen(probe_));
  ASSERT_GT(screen_w, 640);
  int x = 0, y = 0, w = 0, h = 0;
  ASSERT_TRUE(FlipUntil([&] { return glx::g_gl.view_x == (screen_w - 640) / 2; }));
  FrameRect(&x, &y, &w, &h);
  EXPECT_EQ(w, screen_w);
  EXPECT_EQ(h, screen_h);
  // The picture keeps its size, centred on black.
  Show(0.0f, 1.0f, 0.0f);
  const int left = (screen_w - 640) / 2, top = (screen_h - 480) / 2;
  EXPECT_TRUE(FlipUntil([&] { return ProbePixel(probe_, left, top) == 0x00FF00u; }));
  EXPECT_EQ(ProbePixel(probe_, left - 1, top), 0u);
  EXPECT_EQ(ProbePixel(probe_, left + 640, top + 479), 0u);

  const glx::Context context = glx::g_gl.context;
  const Window view = glx::g_gl.view;
  Focus();
  ASSERT_EQ(ProbeKey(probe_, "alt+Return"), 0);
  EXPECT_TRUE(FlipUntil([&] {
    FrameRect(&x, &y, &w, &h);
    return w == 640 && h == 480;
  }));
  EXPECT_FALSE(glx::g_gl.fullscreen);
  EXPECT_EQ(x, (screen_w - 640) / 2);
  EXPECT_EQ(glx::g_gl.view_x, 0);
  EXPECT_EQ(KeyQueueTake(), 0) << "Alt+Enter is no key for the program";

  ASSERT_EQ(ProbeKey(probe_, "alt+Return"), 0);
  EXPECT_TRUE(FlipUntil([&] {
    FrameRect(&x, &y, &w, &h);
    return w == screen_w && h == screen_h;
  }));
  EXPECT_EQ(glx::g_gl.context, context) << "the switch keeps the view and its context";
  EXPECT_EQ(glx::g_gl.view, view);
  EXPECT_EQ(gl_.current_context(), context);
}

TEST_F(GlScreenX11, FetchModesListsTheScreenAtItsDepthWithOrWithoutAScreen) {
  const int screen_w = DisplayWidth(probe_, DefaultScreen(probe_));
  const int screen_h = DisplayHeight(probe_, DefaultScreen(probe_));
  for (bool open : {false, true}) {
    if (open) Open(0);
    int32_t count = 0;
    int32_t* modes = ScreenFetchModes(32, &count);
    ASSERT_NE(modes, nullptr) << open;
    int current = 0;
    for (int32_t i = 0; i < count; ++i) current += modes[i] == (screen_w << 16 | screen_h);
    EXPECT_GE(current, 1) << "the screen's own size is among the modes";
    ScreenFreeModes(modes);
    EXPECT_EQ(ScreenFetchModes(16, &count), nullptr) << "the server's depth only";
    EXPECT_EQ(count, 0);
  }
}

}  // namespace
