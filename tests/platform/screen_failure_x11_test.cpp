// The Linux drivers when no screen can be shown: the mode switch fails with 1
// and last error 1, says why, and leaves the process running (the library
// never prints or ends it). Runs with or without a display of the test run's
// own: DISPLAY is changed only around each call.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "console/runtime.h"
#include "gfx/screen.h"

namespace {

// Sets DISPLAY (null: unsets it) for the scope.
class DisplayVariable {
 public:
  explicit DisplayVariable(const char* value) {
    if (const char* old = std::getenv("DISPLAY")) saved_ = old;
    if (value) setenv("DISPLAY", value, 1);
    else unsetenv("DISPLAY");
  }
  ~DisplayVariable() {
    if (saved_) setenv("DISPLAY", saved_->c_str(), 1);
    else unsetenv("DISPLAY");
  }

 private:
  std::optional<std::string> saved_;
};

TEST(ScreenFailureX11, NoDriverStartsAndTheReasonSaysWhy) {
  unsetenv("KVGFX");
  struct Case {
    const char* display;
    int32_t flags;
    ScreenFailure reason;
  };
  // :999 has no server behind it (the test run's displays start at :90).
  for (Case c : {Case{nullptr, 0, ScreenFailure::kNoDisplay}, Case{"", 0, ScreenFailure::kNoDisplay},
                 Case{nullptr, kDisplayOpenGl, ScreenFailure::kNoDisplay},
                 Case{":999", 0, ScreenFailure::kDisplayRefused},
                 Case{":999", kDisplayOpenGl, ScreenFailure::kDisplayRefused}}) {
    DisplayVariable display(c.display);
    SetLastErrorCode(0);
    EXPECT_EQ(ScreenSetMode(12, 8, 0, c.flags, 0), 1) << c.flags;
    EXPECT_EQ(LastErrorCode(), 1);
    EXPECT_EQ(g_screen, nullptr);
    EXPECT_EQ(ScreenFailureReason(), c.reason) << (c.display ? c.display : "unset") << " " << c.flags;
  }
  EXPECT_STREQ(ScreenFailureText(ScreenFailure::kNoDisplay), "no X display (is DISPLAY set?)");
}

}  // namespace
