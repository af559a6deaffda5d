// Finds the 8x8, 8x14 and 8x16 code page 437 glyph tables in a VGA BIOS image
// (Debian's vgabios package) and turns them into the runtime's font layout:
// the BIOS stores the leftmost pixel in bit 7, the runtime in bit 0.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vga_font_source {

struct Probe {
  int height;
  std::vector<uint8_t> letter_a;  // rows of 'A', leftmost pixel in bit 7
  std::vector<uint8_t> letter_b;
};

inline std::vector<Probe> Probes() {
  return {
      {8, {0x30, 0x78, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0x00},
       {0xFC, 0x66, 0x66, 0x7C, 0x66, 0x66, 0xFC, 0x00}},
      {14, {0, 0, 0x10, 0x38, 0x6C, 0xC6, 0xC6, 0xFE, 0xC6, 0xC6, 0xC6, 0, 0, 0},
       {0, 0, 0xFC, 0x66, 0x66, 0x66, 0x7C, 0x66, 0x66, 0x66, 0xFC, 0, 0, 0}},
      {16, {0, 0, 0x10, 0x38, 0x6C, 0xC6, 0xC6, 0xFE, 0xC6, 0xC6, 0xC6, 0xC6, 0, 0, 0, 0},
       {0, 0, 0xFC, 0x66, 0x66, 0x66, 0x7C, 0x66, 0x66, 0x66, 0x66, 0xFC, 0, 0, 0, 0}},
  };
}

inline long FindUnique(const std::vector<uint8_t>& image, const std::vector<uint8_t>& pattern) {
  long found = -1;
  for (size_t i = 0; i + pattern.size() <= image.size(); ++i) {
    if (std::equal(pattern.begin(), pattern.end(), image.begin() + static_cast<long>(i))) {
      if (found >= 0) return -2;
      found = static_cast<long>(i);
    }
  }
  return found;
}

inline bool GlyphIs(const std::vector<uint8_t>& image, long table, int height, int c,
                    const std::vector<uint8_t>& rows) {
  long at = table + static_cast<long>(c) * height;
  return std::equal(rows.begin(), rows.end(), image.begin() + at);
}

inline uint8_t MirrorBits(uint8_t v) {
  uint8_t out = 0;
  for (int bit = 0; bit < 8; ++bit)
    if (v & (1 << bit)) out |= static_cast<uint8_t>(0x80 >> bit);
  return out;
}

// Locates one font by its 'A' and checks 'B', the full block and the space.
// Returns the font in the runtime's layout, or an empty vector with *error set.
inline std::vector<uint8_t> ExtractFont(const std::vector<uint8_t>& image, const Probe& probe,
                                        std::string* error) {
  const int h = probe.height;
  long at = FindUnique(image, probe.letter_a);
  long table = at - 0x41L * h;
  if (at < 0 || table < 0 || table + 256L * h > static_cast<long>(image.size())) {
    *error = "no unique 8x" + std::to_string(h) + " table";
    return {};
  }
  if (!GlyphIs(image, table, h, 'B', probe.letter_b) ||
      !GlyphIs(image, table, h, 0xDB, std::vector<uint8_t>(h, 0xFF)) ||
      !GlyphIs(image, table, h, 0x20, std::vector<uint8_t>(h, 0x00))) {
    *error = "8x" + std::to_string(h) + " table fails the glyph checks";
    return {};
  }
  std::vector<uint8_t> font(256 * static_cast<size_t>(h));
  for (size_t i = 0; i < font.size(); ++i) font[i] = MirrorBits(image[table + i]);
  // Glyphs 0 and 255 are blank in the runtime whatever the source holds.
  std::fill(font.begin(), font.begin() + h, 0);
  std::fill(font.end() - h, font.end(), 0);
  std::printf("8x%d glyphs at offset 0x%lX\n", h, table);
  return font;
}

}  // namespace vga_font_source
