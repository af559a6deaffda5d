// The browser window layer's keys and canvas size.
#include "gfx/window/web_layout.h"

#include <cmath>

#include "console/cp866.h"
#include "console/web_host.h"
#include "gfx/input/keys_internal.h"

namespace {

constexpr uint32_t kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkEscape = 0x1B;

int32_t ScanCode(uint32_t virtual_key) {
  for (const KeyStateRow* row = kKeyStateTable; row->scan_code; ++row) {
    if (row->primary_vk == virtual_key || row->secondary_vk == virtual_key) return row->scan_code;
  }
  return 0;
}

// What a Windows window's WM_CHAR brings for the key, in code page 866.
int32_t CharacterCode(uint32_t virtual_key, uint32_t character, int32_t modifiers) {
  if (virtual_key == kVkReturn || virtual_key == kVkEscape || virtual_key == kVkBack ||
      virtual_key == kVkTab) {
    return static_cast<int32_t>(virtual_key);
  }
  if (character == 0) return 0;
  if ((modifiers & kWebControl) && !(modifiers & kWebAlt)) {
    const uint32_t upper = character & ~0x20u;
    return upper >= 'A' && upper <= 'Z' ? static_cast<int32_t>(upper - 'A' + 1) : 0;
  }
  if (character < 0x80) return static_cast<int32_t>(character);
  const int byte = UnicodeToCp866(character);
  return byte > 0 ? byte : 0;
}

}  // namespace

WebKey WebTranslateKey(uint32_t virtual_key, uint32_t character, int32_t modifiers, bool down) {
  WebKey key{ScanCode(virtual_key), 0, false};
  if (!down) return key;
  if ((modifiers & kWebAlt) && virtual_key == kVkReturn) {
    key.alt_enter = true;
    return key;
  }
  const int32_t special = SpecialKeyCode(virtual_key);
  key.key_code = special ? special : CharacterCode(virtual_key, character, modifiers);
  return key;
}

WebPlacement WebPlaceCanvas(double page_w, double page_h, double pixel_ratio, int32_t width,
                            int32_t height) {
  const double ratio = pixel_ratio > 0 ? pixel_ratio : 1.0;
  const double fit = std::fmin(page_w * ratio / width, page_h * ratio / height);
  // A ratio such as 1.1 makes 1.1 / 1.1 come out a hair under 1.
  const int32_t factor = fit >= 1.0 ? static_cast<int32_t>(std::floor(fit + 1e-9)) : 1;
  return WebPlacement{factor, width * factor / ratio, height * factor / ratio};
}
