// The three built-in palettes, made from the classic PC adapter rules in 6-bit
// levels and scaled to 8 bits as floor(v * 255 / 63).
#pragma once
#include <cstdint>
#include <vector>

namespace palette_rules {

inline uint8_t Scale6(int level) { return static_cast<uint8_t>(level * 255 / 63); }

inline void Append6(std::vector<uint8_t>* out, int r, int g, int b) {
  out->push_back(Scale6(r));
  out->push_back(Scale6(g));
  out->push_back(Scale6(b));
}

// CGA colours: bit 0 blue, bit 1 green, bit 2 red, bit 3 bright; colour 6 is
// brown (half green) rather than dark yellow.
inline std::vector<uint8_t> Palette16() {
  std::vector<uint8_t> out;
  for (int i = 0; i < 16; ++i) {
    int bright = (i & 8) ? 21 : 0;
    int r = ((i & 4) ? 42 : 0) + bright;
    int g = ((i & 2) ? 42 : 0) + bright;
    int b = ((i & 1) ? 42 : 0) + bright;
    if (i == 6) g = 21;
    Append6(&out, r, g, b);
  }
  return out;
}

// EGA colour set: bits 2, 1, 0 carry two thirds of red, green, blue and bits
// 5, 4, 3 the remaining third.
inline std::vector<uint8_t> Palette64() {
  std::vector<uint8_t> out;
  for (int i = 0; i < 64; ++i) {
    int r = ((i >> 2) & 1) * 42 + ((i >> 5) & 1) * 21;
    int g = ((i >> 1) & 1) * 42 + ((i >> 4) & 1) * 21;
    int b = (i & 1) * 42 + ((i >> 3) & 1) * 21;
    Append6(&out, r, g, b);
  }
  return out;
}

struct HueBlock {
  int high, low, m1, m2, m3;
};

// One 24-colour walk round the colour wheel starting from blue.
inline void AppendHueBlock(std::vector<uint8_t>* out, const HueBlock& k) {
  const int H = k.high, L = k.low, a = k.m1, b = k.m2, c = k.m3;
  const int walk[24][3] = {
      {L, L, H}, {a, L, H}, {b, L, H}, {c, L, H}, {H, L, H}, {H, L, c}, {H, L, b}, {H, L, a},
      {H, L, L}, {H, a, L}, {H, b, L}, {H, c, L}, {H, H, L}, {c, H, L}, {b, H, L}, {a, H, L},
      {L, H, L}, {L, H, a}, {L, H, b}, {L, H, c}, {L, H, H}, {L, c, H}, {L, b, H}, {L, a, H},
  };
  for (const auto& rgb : walk) Append6(out, rgb[0], rgb[1], rgb[2]);
}

// VGA default: the 16 colours, 16 greys, nine hue blocks, eight blacks.
inline std::vector<uint8_t> Palette256() {
  std::vector<uint8_t> out = Palette16();
  const int greys[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
  for (int v : greys) Append6(&out, v, v, v);
  const HueBlock blocks[9] = {
      {63, 0, 16, 31, 47}, {63, 31, 39, 47, 55}, {63, 45, 49, 54, 58},
      {28, 0, 7, 14, 21},  {28, 14, 17, 21, 24}, {28, 20, 22, 24, 26},
      {16, 0, 4, 8, 12},   {16, 8, 10, 12, 14},  {16, 11, 12, 13, 15},
  };
  for (const HueBlock& block : blocks) AppendHueBlock(&out, block);
  out.resize(256 * 3, 0);
  return out;
}

}  // namespace palette_rules
