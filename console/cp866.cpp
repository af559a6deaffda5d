// Code page 866: ASCII below 128; Cyrillic, box drawing and a few signs above.
#include "console/cp866.h"

namespace {

// 0xB0 to 0xDF: shades, box drawing and blocks.
constexpr uint16_t kBoxBlock[48] = {
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580};

// 0xF0 to 0xFF: the letters outside Russian's 32 and some signs.
constexpr uint16_t kTail[16] = {0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
                                0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0};

}  // namespace

uint32_t Cp866ToUnicode(uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte < 0xB0) return 0x0410 + (byte - 0x80);  // А to Я, а to п
  if (byte < 0xE0) return kBoxBlock[byte - 0xB0];
  if (byte < 0xF0) return 0x0440 + (byte - 0xE0);  // р to я
  return kTail[byte - 0xF0];
}

int UnicodeToCp866(uint32_t code_point) {
  if (code_point < 0x80) return static_cast<int>(code_point);
  if (code_point >= 0x0410 && code_point < 0x0440) return static_cast<int>(0x80 + code_point - 0x0410);
  if (code_point >= 0x0440 && code_point < 0x0450) return static_cast<int>(0xE0 + code_point - 0x0440);
  for (int i = 0; i < 48; ++i) {
    if (kBoxBlock[i] == code_point) return 0xB0 + i;
  }
  for (int i = 0; i < 16; ++i) {
    if (kTail[i] == code_point) return 0xF0 + i;
  }
  return -1;
}

int Cp866ToUtf8(uint8_t byte, char out[4]) {
  uint32_t c = Cp866ToUnicode(byte);
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  out[0] = static_cast<char>(0xE0 | (c >> 12));
  out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[2] = static_cast<char>(0x80 | (c & 0x3F));
  return 3;
}
