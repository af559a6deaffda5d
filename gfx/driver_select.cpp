// The display driver search of the mode switch. The list is walked in passes;
// KVGFX may name one driver to try first (and again after the others), and the
// last pass retries everything with the fullscreen bit inverted. Drivers that
// fail say why (screen_failure_note.h); a search that ends with no driver and
// no word from any of them means that none serves this kind of screen.
#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "gfx/screen_setup.h"
#include "gfx/window/display_driver.h"
#include "gfx/window/screen_failure_note.h"

namespace {

struct Pass {
  bool named_only;   // only the driver that KVGFX names
  bool invert_full;  // flags with the fullscreen bit inverted
};

constexpr Pass kPlainPasses[] = {{false, false}, {false, true}};
constexpr Pass kNamedPasses[] = {{true, false}, {false, false}, {true, false}, {false, true}};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameIgnoringCase(const char* a, const char* b) {
  if (!a || !b) return false;
  for (; *a && *b; ++a, ++b) {
    if (AsciiLower(*a) != AsciiLower(*b)) return false;
  }
  return *a == *b;
}

// Each driver is tried with the requested refresh rate, then with the driver's
// own choice; a failed init is followed by exit so the driver can tidy up.
bool TryDriver(const DisplayDriver* driver, int32_t refresh_rate, int32_t flags) {
  const ScreenContext* s = g_screen;
  const int32_t display_height = s->height * s->line_multiplier;
  const int32_t depth = std::max(s->depth, 8);
  for (int32_t rate : {refresh_rate, 0}) {
    if (driver->init && driver->init(g_title, s->width, display_height, depth, rate, flags) == 0)
      return true;
    if (driver->exit) driver->exit();
  }
  return false;
}

const DisplayDriver* RunPass(const Pass& pass, const char* wanted, int32_t refresh_rate,
                             int32_t flags) {
  for (const DisplayDriver* const* d = DisplayDriverList(); *d; ++d) {
    if (pass.named_only && !SameNameIgnoringCase((*d)->name, wanted)) continue;
    if (TryDriver(*d, refresh_rate, flags)) return *d;
  }
  return nullptr;
}

}  // namespace

const DisplayDriver* StartDisplayDriver(int32_t refresh_rate, int32_t* flags) {
  const char* wanted = std::getenv("KVGFX");
  const Pass* passes = wanted ? kNamedPasses : kPlainPasses;
  const size_t count = wanted ? std::size(kNamedPasses) : std::size(kPlainPasses);
  ResetScreenFailure();
  for (size_t i = 0; i < count; ++i) {
    const int32_t pass_flags = passes[i].invert_full ? *flags ^ kDisplayFullscreen : *flags;
    if (const DisplayDriver* d = RunPass(passes[i], wanted, refresh_rate, pass_flags)) {
      *flags = pass_flags;
      ResetScreenFailure();  // an attempt that failed before this one no longer matters
      return d;
    }
  }
  NoteScreenFailure(ScreenFailure::kUnsupportedScreen);
  return nullptr;
}
