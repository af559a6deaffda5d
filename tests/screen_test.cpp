// The mode switch, the driver search, the palette, colours and the screen lock,
// run against recording display drivers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "console/runtime.h"
#include "gfx/screen.h"
#include "gfx/input/keys_internal.h"
#include "gfx/screen_setup.h"
#include "gfx/text_internal.h"
#include "gfx/window/screen_failure_note.h"
#include "support/screen_fixture.h"
#include "gfx/window/display_driver.h"
#include "gfx/data/builtin_data.h"

namespace {

using Args = std::vector<int32_t>;

std::vector<RecordedCall> CallsOf(const std::string& op) {
  std::vector<RecordedCall> out;
  for (const RecordedCall& c : DriverCalls()) {
    if (c.op == op) out.push_back(c);
  }
  return out;
}

// "init GDI r=60 f=0" lines for every init, to compare whole search orders.
std::vector<std::string> InitOrder() {
  std::vector<std::string> out;
  for (const RecordedCall& c : CallsOf("init")) {
    out.push_back(c.driver + " r=" + std::to_string(c.args[3]) + " f=" + std::to_string(c.args[4]));
  }
  return out;
}

std::vector<std::string> Attempts(const std::vector<std::string>& drivers, int rate, int flags) {
  std::vector<std::string> out;
  for (const std::string& d : drivers) {
    out.push_back(d + " r=" + std::to_string(rate) + " f=" + std::to_string(flags));
    out.push_back(d + " r=0 f=" + std::to_string(flags));
  }
  return out;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

uint32_t PaletteColour(const PaletteDesc& desc, int entry) {
  const uint8_t* rgb = desc.colours + 3 * entry;
  return PackColour(rgb[0], rgb[1], rgb[2]);
}

Args PaletteArgs(int index, uint32_t packed) {
  return {index, static_cast<int32_t>(packed & 0xFF), static_cast<int32_t>((packed >> 8) & 0xFF),
          static_cast<int32_t>((packed >> 16) & 0xFF)};
}

}  // namespace

TEST(ScreenModeTable, ModesAndTheirTextGrids) {
  for (int mode : {0, 3, 4, 5, 6, 10}) EXPECT_EQ(kScreenModeTable[mode].width, -1) << mode;
  int existing = 0;
  for (int mode = 1; mode <= kScreenModeCount; ++mode) {
    const ScreenModeInfo& m = kScreenModeTable[mode];
    if (m.width == -1) continue;
    ++existing;
    ASSERT_NE(m.font, nullptr) << mode;
    ASSERT_NE(m.palette, nullptr) << mode;
    // The text grid fills the screen with 8-pixel-wide glyphs of the mode's font.
    EXPECT_EQ(m.text_cols, m.width / 8) << mode;
    EXPECT_EQ(m.text_rows, m.height / m.font->height) << mode;
    EXPECT_EQ(m.line_multiplier, (mode == 2 || mode == 8) ? 2 : 1) << mode;
    const PaletteDesc* expected = mode <= 8 ? &kPalette16 : mode == 9 ? &kPalette64 : &kPalette256;
    EXPECT_EQ(m.palette, expected) << mode;
    EXPECT_EQ(m.depth, mode >= 13 ? 8 : mode == 1 ? 2 : (mode == 2 || mode == 11) ? 1 : 4) << mode;
  }
  EXPECT_EQ(existing, 16);
  EXPECT_EQ(kScreenModeTable[9].font, &kFont14);
  EXPECT_EQ(kScreenModeTable[15].font, &kFont8);
  EXPECT_EQ(kScreenModeTable[16].font, &kFont16);
  const int sizes[][3] = {{1, 320, 200}, {2, 640, 200}, {7, 320, 200}, {8, 640, 200},
                          {9, 640, 350}, {11, 640, 480}, {12, 640, 480}, {13, 320, 200},
                          {14, 320, 240}, {15, 400, 300}, {16, 512, 384}, {17, 640, 400},
                          {18, 640, 480}, {19, 800, 600}, {20, 1024, 768}, {21, 1280, 1024}};
  for (const auto& s : sizes) {
    EXPECT_EQ(kScreenModeTable[s[0]].width, s[1]) << s[0];
    EXPECT_EQ(kScreenModeTable[s[0]].height, s[2]) << s[0];
  }
}

TEST_F(ScreenTest, Mode12BuildsTheGameScreen) {
  ASSERT_EQ(ScreenSetMode(12, 8, 0, 0, 0), 0);
  ScreenContext* s = g_screen;
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->mode, 12);
  EXPECT_EQ(s->depth, 4);  // the depth argument counts only above mode 13
  EXPECT_EQ(s->colour_mask, 15u);
  EXPECT_EQ(s->bytes_per_pixel, 1);
  EXPECT_EQ(s->width, 640);
  EXPECT_EQ(s->height, 480);
  EXPECT_EQ(s->pitch, 640);
  EXPECT_EQ(s->target_pitch, 640);
  EXPECT_EQ(s->target, nullptr);
  EXPECT_EQ(s->page_count, 1);
  EXPECT_EQ(s->visible_page, s->pages[0]);
  EXPECT_EQ(s->line_table[0], s->pages[0]);
  EXPECT_EQ(s->line_table[479], s->pages[0] + 479 * 640);
  EXPECT_EQ(s->line_capacity, 480);
  EXPECT_EQ(s->foreground, 15u);
  EXPECT_EQ(s->background, 0u);
  EXPECT_EQ(s->text_cols, 80);
  EXPECT_EQ(s->text_rows, 30);
  EXPECT_EQ(s->font_desc, &kFont16);
  EXPECT_EQ(s->palette_desc, &kPalette256);
  EXPECT_EQ(s->view_x, 0);
  EXPECT_EQ(s->view_y, 0);
  EXPECT_EQ(s->view_w, 640);
  EXPECT_EQ(s->view_h, 480);
  EXPECT_EQ(s->text_col, 0);
  EXPECT_EQ(s->text_row, 0);
  EXPECT_EQ(s->driver, directx_);
  EXPECT_EQ(s->state_flags & kStateScreenLocked, 0u);
  EXPECT_NE(g_rgb16_lookup, nullptr);
  EXPECT_TRUE(HooksFull());
  for (int i = 0; i < 128; ++i) ASSERT_EQ(s->key_state[i], 0) << i;
  for (int y = 0; y < 480; ++y) ASSERT_EQ(s->dirty[y], 255) << y;
  for (int i = 0; i < 640 * 480; ++i) ASSERT_EQ(s->pages[0][i], 0) << i;

  // The driver shows an 8-bit display; the 16 colours come from the 256-entry palette.
  const auto init = CallsOf("init");
  ASSERT_EQ(init.size(), 1u);
  EXPECT_EQ(init[0].args, (Args{640, 480, 8, 0, 0}));
  const auto palette = CallsOf("set_palette");
  ASSERT_EQ(palette.size(), 16u);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(palette[i].args, PaletteArgs(i, PaletteColour(kPalette256, i))) << i;
    EXPECT_EQ(s->current_palette[i], PaletteColour(kPalette256, i)) << i;
  }
  for (int i = 0; i < 256; ++i) ASSERT_EQ(s->base_palette[i], PaletteColour(kPalette256, i)) << i;
  EXPECT_EQ(s->current_palette[16], 0u);
  EXPECT_EQ(CountCalls("lock"), 1);
  EXPECT_EQ(CountCalls("unlock"), 1);
}

TEST_F(ScreenTest, EverySlotGetsItsOwnGraphicsOperation) {
  Open(12);
  const ConsoleHooks& h = g_console_hooks;
  EXPECT_EQ(h.read_key, GfxReadKey);
  EXPECT_EQ(h.wait_key, GfxWaitKey);
  EXPECT_EQ(h.key_waiting, GfxKeyWaiting);
  EXPECT_EQ(h.clear, GfxClear);
  EXPECT_EQ(h.set_color, GfxSetColor);
  EXPECT_EQ(h.locate, GfxLocate);
  EXPECT_EQ(h.set_text_size, GfxSetTextSize);
  EXPECT_EQ(h.cursor_column, GfxCursorColumn);
  EXPECT_EQ(h.cursor_row, GfxCursorRow);
  EXPECT_EQ(h.cursor_position, GfxCursorPosition);
  EXPECT_EQ(h.text_size, GfxTextSize);
  EXPECT_EQ(h.write_text, GfxWriteText);
  EXPECT_EQ(h.read_line, GfxReadLine);
  EXPECT_EQ(h.key_is_down, GfxKeyIsDown);
  EXPECT_EQ(h.read_mouse, GfxReadMouse);
  EXPECT_EQ(h.set_mouse, GfxSetMouse);
}

TEST_F(ScreenTest, DepthArgumentAndFlagsChooseTheDepth) {
  ASSERT_EQ(ScreenSetMode(18, 32, 2, 0, 0), 0);
  EXPECT_EQ(g_screen->depth, 32);
  EXPECT_EQ(g_screen->colour_mask, 0xFFFFFFFFu);
  EXPECT_EQ(g_screen->bytes_per_pixel, 4);
  EXPECT_EQ(g_screen->pitch, 2560);
  EXPECT_EQ(g_screen->page_count, 2);
  EXPECT_NE(g_screen->pages[1], nullptr);
  EXPECT_NE(g_screen->pages[0], g_screen->pages[1]);
  g_screen->pages[1][480 * 2560 - 1] = 1;  // the second page is whole
  EXPECT_EQ(g_screen->foreground, 0xFFFFFFFFu);
  EXPECT_EQ(CountCalls("set_palette"), 0);
  EXPECT_EQ(CountCalls("lock"), 0);
  EXPECT_EQ(CallsOf("init").back().args[2], 32);

  ClearDriverCalls();
  ASSERT_EQ(ScreenSetMode(13, 16, 0, 0, 0), 0);
  EXPECT_EQ(g_screen->depth, 8);
  EXPECT_EQ(g_screen->foreground, 15u);
  EXPECT_EQ(g_screen->page_count, 1);

  ASSERT_EQ(ScreenSetMode(14, 15, 0, 0, 0), 0);
  EXPECT_EQ(g_screen->depth, 16);
  EXPECT_EQ(g_screen->colour_mask, 0xFFFFu);
  ASSERT_EQ(ScreenSetMode(14, 24, 0, 0, 0), 0);
  EXPECT_EQ(g_screen->depth, 32);
  ASSERT_EQ(ScreenSetMode(14, 12, 0, 0, 0), 0);  // not a listed depth
  EXPECT_EQ(g_screen->depth, 8);

  ClearDriverCalls();
  ASSERT_EQ(ScreenSetMode(12, 0, 0, kDisplayOpenGl, 0), 0);
  EXPECT_EQ(g_screen->depth, 16);
  EXPECT_EQ(g_screen->colour_mask, 0xFFFFu);
  EXPECT_EQ(g_screen->pitch, 1280);
  EXPECT_EQ(g_screen->foreground, 0xFFFFu);
  EXPECT_EQ(g_screen->setup_flags, kDisplayOpenGl);
  EXPECT_EQ(CallsOf("init").back().args, (Args{640, 480, 16, 0, kDisplayOpenGl}));

  ASSERT_EQ(ScreenSetMode(1, 0, 0, 0, 0), 0);
  EXPECT_EQ(g_screen->depth, 2);
  EXPECT_EQ(g_screen->colour_mask, 3u);
  EXPECT_EQ(g_screen->foreground, 3u);
  ASSERT_EQ(ScreenSetMode(2, 0, 0, 0, 0), 0);
  EXPECT_EQ(g_screen->foreground, 1u);
}

TEST_F(ScreenTest, UnknownModesFailAndLeaveTheScreenOpen) {
  Open(12);
  ScreenContext* before = g_screen;
  for (int mode : {3, 4, 5, 6, 10, 22, -1, static_cast<int>(0x80000000u)}) {
    SetLastErrorCode(0);
    EXPECT_EQ(ScreenSetMode(mode, 0, 0, 0, 0), 1) << mode;
    EXPECT_EQ(LastErrorCode(), 1) << mode;
    EXPECT_EQ(g_screen, before) << mode;
    EXPECT_TRUE(HooksFull()) << mode;
  }
  EXPECT_EQ(DriverCalls().size(), 0u);
}

TEST_F(ScreenTest, Mode8DoublesItsRowsForTheDisplay) {
  ASSERT_EQ(ScreenSetMode(8, 0, 0, 0, 0), 0);
  EXPECT_EQ(CallsOf("init")[0].args, (Args{640, 400, 8, 0, 0}));
  EXPECT_EQ(g_screen->height, 200);
  EXPECT_EQ(g_screen->line_multiplier, 2);
  for (int y = 0; y < 200; ++y) ASSERT_EQ(g_screen->dirty[y], 255) << y;
  for (int y = 200; y < 400; ++y) ASSERT_EQ(g_screen->dirty[y], 0) << y;  // allocated, never set
}

TEST_F(ScreenTest, CloseStopsTheDriverAndGivesTheConsoleBack) {
  Open(12);
  EXPECT_EQ(ScreenSetMode(0, 0, 0, 0, 0), 0);
  EXPECT_EQ(g_screen, nullptr);
  EXPECT_EQ(g_rgb16_lookup, nullptr);
  EXPECT_TRUE(HooksEmpty());
  EXPECT_EQ(CountCalls("exit", "DirectX"), 1);

  // A close with nothing open only empties the hooks.
  ClearDriverCalls();
  EXPECT_EQ(ScreenSetMode(0, 0, 0, 0, 0), 0);
  EXPECT_EQ(DriverCalls().size(), 0u);

  // A new mode closes the old screen through its driver first.
  Open(12);
  ASSERT_EQ(ScreenSetMode(13, 0, 0, 0, 0), 0);
  ASSERT_GE(DriverCalls().size(), 2u);
  EXPECT_EQ(DriverCalls()[0].op, "exit");
  EXPECT_EQ(DriverCalls()[1].op, "init");

  ClearDriverCalls();
  ScreenCloseAtExit();
  EXPECT_EQ(g_screen, nullptr);
  EXPECT_TRUE(HooksEmpty());
  EXPECT_EQ(CountCalls("exit"), 1);
  ScreenCloseAtExit();  // later handlers find nothing open
  EXPECT_EQ(CountCalls("exit"), 1);
}

TEST_F(ScreenTest, AtExitClosesTheOpenScreen) {
  // In a child process: the handler registered by the set-up must stop the driver.
  EXPECT_EXIT(
      {
        SetTestDriverCallHook([](const RecordedCall& c) {
          if (c.op == "exit") std::fprintf(stderr, "driver %s stopped\n", c.driver.c_str());
        });
        ScreenSetMode(12, 0, 0, 0, 0);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "driver DirectX stopped");
}

TEST_F(ScreenTest, DriversAreTriedInPassesWithoutKvgfx) {
  SetTestDriverInitResult("DirectX", -1);
  SetTestDriverInitResult("GDI", -1);
  SetTestDriverInitResult("OpenGL", -1);
  SetLastErrorCode(0);
  EXPECT_EQ(ScreenSetMode(12, 0, 0, 0x40, 75), 1);
  EXPECT_EQ(LastErrorCode(), 1);
  EXPECT_EQ(g_screen, nullptr);
  EXPECT_TRUE(HooksEmpty());
  const std::vector<std::string> all = {"DirectX", "GDI", "OpenGL"};
  EXPECT_EQ(InitOrder(), Concat({Attempts(all, 75, 0x40), Attempts(all, 75, 0x41)}));
  // Every failed init is followed by that driver's exit, and nothing else.
  const auto& calls = DriverCalls();
  ASSERT_EQ(calls.size(), 24u);
  for (size_t i = 0; i < calls.size(); i += 2) {
    EXPECT_EQ(calls[i].op, "init");
    EXPECT_EQ(calls[i + 1].op, "exit");
    EXPECT_EQ(calls[i + 1].driver, calls[i].driver);
  }

  // The first success ends the search; the flags in force are recorded.
  ClearDriverCalls();
  SetTestDriverInitResult("OpenGL", 0);
  ASSERT_EQ(ScreenSetMode(12, 0, 0, kDisplayFullscreen, 60), 0);
  EXPECT_EQ(g_screen->driver, opengl_);
  EXPECT_EQ(g_screen->setup_flags, kDisplayFullscreen);
  EXPECT_EQ(InitOrder(), Concat({Attempts({"DirectX", "GDI"}, 60, 1), {"OpenGL r=60 f=1"}}));
  EXPECT_EQ(CountCalls("exit", "OpenGL"), 0);
}

// The reason a program can tell its user: the first a driver gave in the
// search, "unsupported" when none said anything, nothing after a success.
TEST_F(ScreenTest, FailureReasonIsTheFirstADriverGave) {
  SetTestDriverInitResult("DirectX", -1);
  SetTestDriverInitResult("GDI", -1);
  SetTestDriverInitResult("OpenGL", -1);
  SetTestDriverCallHook([](const RecordedCall& c) {
    if (c.op != "init") return;
    if (c.driver == "GDI") NoteScreenFailure(ScreenFailure::kWindowFailed);
    if (c.driver == "OpenGL") NoteScreenFailure(ScreenFailure::kDisplayRefused);
  });
  EXPECT_EQ(ScreenSetMode(12, 0, 0, 0, 0), 1);
  EXPECT_EQ(ScreenFailureReason(), ScreenFailure::kWindowFailed);
  EXPECT_EQ(ScreenSetMode(0, 0, 0, 0, 0), 0);
  EXPECT_EQ(ScreenSetMode(3, 0, 0, 0, 0), 1);
  EXPECT_EQ(ScreenFailureReason(), ScreenFailure::kWindowFailed) << "no search, no new reason";

  SetTestDriverCallHook(nullptr);
  EXPECT_EQ(ScreenSetMode(12, 0, 0, 0, 0), 1);
  EXPECT_EQ(ScreenFailureReason(), ScreenFailure::kUnsupportedScreen);
  EXPECT_STREQ(ScreenFailureText(ScreenFailureReason()), "no display driver can show this kind of screen");

  SetTestDriverCallHook([](const RecordedCall& c) {
    if (c.op == "init" && c.driver == "DirectX") NoteScreenFailure(ScreenFailure::kNoDisplay);
  });
  SetTestDriverInitResult("GDI", 0);
  ASSERT_EQ(ScreenSetMode(12, 0, 0, 0, 0), 0);
  EXPECT_EQ(ScreenFailureReason(), ScreenFailure::kNone) << "a later driver started";
  SetTestDriverCallHook(nullptr);
  EXPECT_STREQ(ScreenFailureText(static_cast<ScreenFailure>(99)), "unknown");
}

TEST_F(ScreenTest, FullscreenBitIsInvertedInTheLastPass) {
  SetTestDriverInitResult("DirectX", -1);
  SetTestDriverInitResult("OpenGL", -1);
  SetTestDriverCallHook([](const RecordedCall& c) {
    // GDI starts only with a window once the full-screen request has failed.
    if (c.op == "exit" && c.driver == "OpenGL") SetTestDriverInitResult("GDI", 0);
  });
  SetTestDriverInitResult("GDI", -1);
  ASSERT_EQ(ScreenSetMode(12, 0, 0, kDisplayFullscreen | 0x10, 0), 0);
  EXPECT_EQ(g_screen->driver, gdi_);
  EXPECT_EQ(g_screen->setup_flags, 0x10);
  EXPECT_EQ(InitOrder().back(), "GDI r=0 f=16");
}

TEST_F(ScreenTest, KvgfxPutsTheNamedDriverFirstWhateverItsCase) {
  SetTestEnv("KVGFX", "gdi");
  ASSERT_EQ(ScreenSetMode(12, 0, 0, 0, 0), 0);
  EXPECT_EQ(g_screen->driver, gdi_);
  EXPECT_EQ(InitOrder(), (std::vector<std::string>{"GDI r=0 f=0"}));

  ClearDriverCalls();
  SetTestDriverInitResult("DirectX", -1);
  SetTestDriverInitResult("GDI", -1);
  SetTestDriverInitResult("OpenGL", -1);
  EXPECT_EQ(ScreenSetMode(12, 0, 0, 0, 50), 1);
  EXPECT_EQ(g_screen, nullptr);  // a failed start ends with no screen
  const std::vector<std::string> all = {"DirectX", "GDI", "OpenGL"};
  EXPECT_EQ(InitOrder(), Concat({Attempts({"GDI"}, 50, 0), Attempts(all, 50, 0),
                                 Attempts({"GDI"}, 50, 0), Attempts(all, 50, 1)}));
}

TEST_F(ScreenTest, KvgfxNamingNoDriverTriesTheOthersOnly) {
  SetTestEnv("KVGFX", "Vulkan");
  SetTestDriverInitResult("DirectX", -1);
  SetTestDriverInitResult("GDI", -1);
  SetTestDriverInitResult("OpenGL", -1);
  EXPECT_EQ(ScreenSetMode(12, 0, 0, 0, 0), 1);
  const std::vector<std::string> all = {"DirectX", "GDI", "OpenGL"};
  EXPECT_EQ(InitOrder(), Concat({Attempts(all, 0, 0), Attempts(all, 0, 1)}));

  // "GDIX" is not "GDI": the comparison is of whole names.
  ClearDriverCalls();
  SetTestEnv("KVGFX", "GDIX");
  SetTestDriverInitResult("GDI", 0);
  ASSERT_EQ(ScreenSetMode(12, 0, 0, 0, 0), 0);
  EXPECT_EQ(InitOrder(), Concat({Attempts({"DirectX"}, 0, 0), {"GDI r=0 f=0"}}));
}

// An empty value, 5,000 bytes and bytes above 0x80 name no driver: the first
// driver of the list opens the screen, and nothing reads past the value.
TEST_F(ScreenTest, KvgfxEmptyLongOrHighBytesOpensTheFirstDriver) {
  const std::string values[] = {"", std::string(5000, 'G'), "\xC4\xE8\xF0\x80\xFF"};
  for (const std::string& value : values) {
    ScreenSetMode(0, 0, 0, 0, 0);
    ClearDriverCalls();
    SetTestEnv("KVGFX", value.c_str());
    ASSERT_EQ(ScreenSetMode(12, 0, 0, 0, 0), 0) << value.size() << " bytes";
    EXPECT_STREQ(g_screen->driver->name, "DirectX") << value.size() << " bytes";
    EXPECT_EQ(InitOrder(), (std::vector<std::string>{"DirectX r=0 f=0"})) << value.size() << " bytes";
  }
}

TEST_F(ScreenTest, FailedStartClosesAnOpenScreen) {
  Open(12);
  SetTestDriverInitResult("DirectX", -1);
  SetTestDriverInitResult("GDI", -1);
  SetTestDriverInitResult("OpenGL", -1);
  EXPECT_EQ(ScreenSetMode(13, 0, 0, 0, 0), 1);
  EXPECT_EQ(g_screen, nullptr);
  EXPECT_EQ(g_rgb16_lookup, nullptr);
  EXPECT_TRUE(HooksEmpty());
  EXPECT_EQ(CountCalls("exit"), 1 + 12);  // the old screen's, then one per failed init
}

TEST_F(ScreenTest, RunningOutOfMemoryFailsCleanly) {
  int failures = 0;
  for (int32_t n = 0; n < 32; ++n) {
    Open(13);
    SetScreenAllocFailure(n);
    SetLastErrorCode(0);
    const int32_t result = ScreenSetMode(18, 32, 3, 0, 0);
    SetScreenAllocFailure(-1);
    if (result == 0) {
      EXPECT_EQ(g_screen->page_count, 3);
      break;
    }
    ++failures;
    EXPECT_EQ(result, 1) << n;
    EXPECT_EQ(LastErrorCode(), 1) << n;
    EXPECT_EQ(g_screen, nullptr) << n;
    EXPECT_EQ(g_rgb16_lookup, nullptr) << n;
    EXPECT_TRUE(HooksEmpty()) << n;
    EXPECT_EQ(CountCalls("init"), 0) << n;  // no driver is started without memory
    EXPECT_EQ(ScreenFailureReason(), ScreenFailure::kNoMemory) << n;
  }
  // Context, page array, three pages, row table, dirty, two palettes, key state, lookup.
  EXPECT_EQ(failures, 11);
  ASSERT_NE(g_screen, nullptr);
}

TEST_F(ScreenTest, TitleIsTheExecutableNameWithoutExtension) {
  char name[32];
  std::strcpy(name, "board.exe");
  CutTitleAtExtension(name);
  EXPECT_STREQ(name, "board");
  std::strcpy(name, "board");
  CutTitleAtExtension(name);
  EXPECT_STREQ(name, "board");
  std::strcpy(name, "my.board.exe");
  CutTitleAtExtension(name);
  EXPECT_STREQ(name, "my.board");

  g_title = nullptr;
  ASSERT_EQ(ScreenSetMode(12, 0, 0, 0, 0), 0);
  ASSERT_NE(g_title, nullptr);
  EXPECT_GE(g_title, g_title_buffer);
  EXPECT_LT(g_title, g_title_buffer + sizeof g_title_buffer);
  EXPECT_EQ(std::strchr(g_title, '.'), nullptr);
  EXPECT_EQ(std::strchr(g_title, '\\'), nullptr);
  EXPECT_EQ(CallsOf("init")[0].text, g_title);

  // Later set-ups keep the title they find.
  char kept[] = "kept title";
  g_title = kept;
  ClearDriverCalls();
  ASSERT_EQ(ScreenSetMode(13, 0, 0, 0, 0), 0);
  EXPECT_EQ(g_title, kept);
  EXPECT_EQ(CallsOf("init")[0].text, "kept title");
  g_title = nullptr;
  ScreenSetMode(0, 0, 0, 0, 0);
}

TEST_F(ScreenTest, PaletteResetUsesTheModesColourMap) {
  struct Case {
    int mode;
    int index;
    std::vector<int> map;
    const PaletteDesc* desc;
  };
  const std::vector<int> identity16 = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  const Case cases[] = {
      {1, -1, {0, 11, 13, 15}, &kPalette16}, {1, -2, {0, 10, 12, 14}, &kPalette16},
      {1, -3, {0, 3, 5, 7}, &kPalette16},    {1, -4, {0, 2, 4, 6}, &kPalette16},
      {1, -99, {0, 2, 4, 6}, &kPalette16},   {2, -1, {0, 15}, &kPalette16},
      {7, -1, identity16, &kPalette16},      {8, -1, identity16, &kPalette16},
      {9, -1, {0, 1, 2, 3, 4, 5, 20, 7, 56, 57, 58, 59, 60, 61, 62, 63}, &kPalette64},
      {11, -1, {0, 1}, &kPalette256},
  };
  for (const Case& c : cases) {
    Open(c.mode);
    PaletteSet(c.index, 0, 0, 0);
    const auto calls = CallsOf("set_palette");
    ASSERT_EQ(calls.size(), c.map.size()) << c.mode << " " << c.index;
    for (size_t i = 0; i < c.map.size(); ++i) {
      const uint32_t expected = PaletteColour(*c.desc, c.map[i]);
      EXPECT_EQ(calls[i].args, PaletteArgs(static_cast<int>(i), expected)) << c.mode << " " << i;
      EXPECT_EQ(g_screen->current_palette[i], expected) << c.mode << " " << i;
    }
    for (int i = 0; i < c.desc->count; ++i) {
      ASSERT_EQ(g_screen->base_palette[i], PaletteColour(*c.desc, i)) << c.mode << " " << i;
    }
  }
}

TEST_F(ScreenTest, SixBitComponentsScaleLikeTheOriginal) {
  Open(13);
  for (uint32_t c = 0; c < 64; ++c) PaletteSetEntry(static_cast<int32_t>(c), c | c << 8 | c << 16);
  const auto calls = CallsOf("set_palette");
  ASSERT_EQ(calls.size(), 64u);
  for (int c = 0; c < 64; ++c) {
    // Truncation of c * 255/63 from just below: exact multiples land one lower.
    const int expected = c == 0 ? 0 : (c * 255 - 1) / 63;
    EXPECT_EQ(calls[c].args, (Args{c, expected, expected, expected})) << c;
  }
  EXPECT_EQ(calls[63].args[1], 254);
  EXPECT_EQ(calls[62].args[1], 250);
  EXPECT_EQ(calls[32].args[1], 129);
  EXPECT_EQ(calls[1].args[1], 4);
  EXPECT_EQ(calls[21].args[1], 84);
  // Bits above the six of each component are ignored.
  ClearDriverCalls();
  PaletteSetEntry(7, 0xC0 | 1 | (0x40 | 2) << 8 | 0xFFC3u << 16);
  EXPECT_EQ(CallsOf("set_palette")[0].args, (Args{7, 4, 8, 12}));
}

TEST_F(ScreenTest, PaletteSetTakesSixOrEightBitComponents) {
  Open(12);
  PaletteSet(5, 63, -1, -1);
  EXPECT_EQ(CallsOf("set_palette").back().args, (Args{5, 254, 0, 0}));
  EXPECT_EQ(g_screen->current_palette[5], PackColour(254, 0, 0));
  PaletteSet(5, 255, 128, 0);
  EXPECT_EQ(CallsOf("set_palette").back().args, (Args{5, 254, 129, 0}));
  PaletteSet(6, 63 | 32 << 8 | 1 << 16, -1, 0);  // one negative: the word form
  EXPECT_EQ(CallsOf("set_palette").back().args, (Args{6, 254, 129, 4}));

  // Every row may have changed colour, and the whole operation locks once.
  std::memset(g_screen->dirty, 0, 480);
  ClearDriverCalls();
  PaletteSet(3, 1, 2, 3);
  for (int y = 0; y < 480; ++y) ASSERT_EQ(g_screen->dirty[y], 255) << y;
  EXPECT_EQ(CountCalls("lock"), 1);
  EXPECT_EQ(CountCalls("unlock"), 1);
  EXPECT_EQ(g_screen->state_flags & kStateScreenLocked, 0u);
}

TEST_F(ScreenTest, PaletteSetIndexesTheBuiltInPaletteInSmallModes) {
  Open(9);
  PaletteSet(0, 20, -1, -1);
  EXPECT_EQ(g_screen->current_palette[0], PaletteColour(kPalette64, 20));
  EXPECT_EQ(CallsOf("set_palette").back().args, PaletteArgs(0, PaletteColour(kPalette64, 20)));
  PaletteSet(1, 64 + 9, -1, -1);  // the index wraps at the palette's size
  EXPECT_EQ(g_screen->current_palette[1], PaletteColour(kPalette64, 9));

  Open(7);
  PaletteSet(2, 17, -1, -1);
  EXPECT_EQ(g_screen->current_palette[2], PaletteColour(kPalette16, 1));
}

TEST_F(ScreenTest, PaletteIgnoresWhatItCannotHold) {
  Open(13);
  PaletteSet(256, 1, 1, 1);
  PaletteSetEntry(256, 1);
  PaletteSetEntry(-1, 1);
  EXPECT_EQ(DriverCalls().size(), 0u);

  Open(18, 32);
  PaletteSet(1, 1, 1, 1);
  PaletteSet(-1, 0, 0, 0);
  EXPECT_EQ(DriverCalls().size(), 0u);

  ScreenSetMode(0, 0, 0, 0, 0);
  ClearDriverCalls();
  PaletteSet(1, 1, 1, 1);
  PaletteSetEntry(1, 1);
  PaletteResend();
  EXPECT_EQ(DriverCalls().size(), 0u);
}

TEST_F(ScreenTest, PaletteResendRepeatsEveryEntryWithoutLocking) {
  Open(13);
  PaletteSetEntry(200, 63);
  ClearDriverCalls();
  PaletteResend();
  const auto calls = CallsOf("set_palette");
  ASSERT_EQ(calls.size(), 256u);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(calls[i].args, PaletteArgs(i, g_screen->current_palette[i])) << i;
  }
  EXPECT_EQ(calls[200].args, (Args{200, 254, 0, 0}));
  EXPECT_EQ(CountCalls("lock"), 0);  // the window side already holds the lock
}

TEST_F(ScreenTest, ColoursBecomePixelValues) {
  Open(12);
  EXPECT_EQ(ColourArgument(15), 15u);
  EXPECT_EQ(ColourArgument(17), 1u);
  EXPECT_EQ(ColourToPixel(0x123456), 0x123456u);

  Open(14, 16);
  EXPECT_EQ(ColourToPixel(0xFFFFFF), 0xFFFFu);
  EXPECT_EQ(ColourToPixel(0xFF0000), 0xF800u);
  EXPECT_EQ(ColourToPixel(0x00FF00), 0x07E0u);
  EXPECT_EQ(ColourToPixel(0x0000FF), 0x001Fu);
  EXPECT_EQ(ColourToPixel(0x080404), 0x0820u);  // low bits of each component dropped
  EXPECT_EQ(ColourToPixel(0x070303), 0u);
  EXPECT_EQ(ColourArgument(0xAB00FFFF), 0x07FFu);

  Open(18, 32);
  EXPECT_EQ(ColourArgument(0xFEFF00FF), 0xFEFF00FFu);
  Open(13);
  EXPECT_EQ(ColourArgument(0x1FF), 0xFFu);
}

TEST_F(ScreenTest, NestedOperationsLockOnce) {
  EXPECT_FALSE(ScreenLock());  // no screen: nothing to lock
  ScreenUnlock(true);
  Open(12);
  const bool outer = ScreenLock();
  EXPECT_TRUE(outer);
  EXPECT_NE(g_screen->state_flags & kStateScreenLocked, 0u);
  const bool inner = ScreenLock();
  EXPECT_FALSE(inner);
  PaletteSet(1, 2, 3, 4);  // finds the lock held
  ScreenUnlock(inner);
  EXPECT_NE(g_screen->state_flags & kStateScreenLocked, 0u);
  ScreenUnlock(outer);
  EXPECT_EQ(g_screen->state_flags & kStateScreenLocked, 0u);
  EXPECT_EQ(CountCalls("lock"), 1);
  EXPECT_EQ(CountCalls("unlock"), 1);
  std::vector<std::string> ops;
  for (const RecordedCall& c : DriverCalls()) ops.push_back(c.op);
  EXPECT_EQ(ops, (std::vector<std::string>{"lock", "set_palette", "unlock"}));
}

// Puts the process's window title back as it was: later tests open windows
// named after the executable.
struct KeepTitle {
  std::string buffer{g_title_buffer, sizeof g_title_buffer};
  char* title = g_title;
  ~KeepTitle() {
    std::memcpy(g_title_buffer, buffer.data(), sizeof g_title_buffer);
    g_title = title;
  }
};

TEST_F(ScreenTest, DriverCallsReachTheOpenScreensDriverAndOnlyTheTitleLocks) {
  KeepTitle keep;
  EXPECT_EQ(ScreenWaitVsync(), 1) << "no screen";
  EXPECT_EQ(ScreenFlip(), 1);
  EXPECT_EQ(CountCalls("wait_vsync") + CountCalls("flip"), 0);
  Open(12);
  EXPECT_EQ(ScreenWaitVsync(), 0);
  EXPECT_EQ(ScreenFlip(), 0);
  EXPECT_EQ(CountCalls("lock"), 0) << "the retrace wait and the present run unlocked";
  EXPECT_EQ(CountCalls("wait_vsync", "DirectX"), 1);
  EXPECT_EQ(CountCalls("flip", "DirectX"), 1);
  ClearDriverCalls();
  // The title buffer and the window it goes to change together, under the
  // lock that a fullscreen switch holds while it makes the window anew.
  EXPECT_EQ(ScreenSetTitle("Board of kings"), 0);
  std::vector<std::string> ops;
  for (const RecordedCall& c : DriverCalls()) ops.push_back(c.op);
  EXPECT_EQ(ops, (std::vector<std::string>{"lock", "set_title", "unlock"}));
  ASSERT_EQ(CountCalls("set_title", "DirectX"), 1);
  EXPECT_EQ(CallsOf("set_title")[0].text, "Board of kings");
  EXPECT_EQ(g_screen->state_flags & kStateScreenLocked, 0u);
  EXPECT_EQ(ScreenSetTitle(nullptr), 1);
}

TEST_F(ScreenTest, FetchModesGivesTheCallerAnArrayAndKeepsLaterTitles) {
  int32_t count = -1;
  int32_t* modes = ScreenFetchModes(8, &count);  // no screen: the list answers
  ASSERT_NE(modes, nullptr);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(modes[0], 640 << 16 | 480);
  ScreenFreeModes(modes);
  EXPECT_EQ(ScreenFetchModes(32, &count), nullptr);
  EXPECT_EQ(count, 0);
  modes = ScreenFetchModes(8, nullptr);  // a null count gets a scratch one
  EXPECT_NE(modes, nullptr);
  ScreenFreeModes(modes);
  Open(13);
  modes = ScreenFetchModes(8, &count);
  ASSERT_NE(modes, nullptr);
  EXPECT_EQ(CallsOf("fetch_modes").back().driver, "DirectX");
  ScreenFreeModes(modes);
  // A long title is cut to the buffer; the next screen opens with it.
  KeepTitle keep;
  std::string long_title(300, 'k');
  EXPECT_EQ(ScreenSetTitle(long_title.c_str()), 0);
  ClearDriverCalls();
  ASSERT_EQ(ScreenSetMode(12, 0, 0, 0, 0), 0);
  ASSERT_FALSE(CallsOf("init").empty());
  EXPECT_EQ(CallsOf("init").back().text, std::string(127, 'k'));
}
