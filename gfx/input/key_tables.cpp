// The tables that turn Win32 keys into the program's key codes and key state:
// the special keys of WM_KEYDOWN, the second bytes of their key strings, and the
// scan-code rows from which key_state is derived.
#include "gfx/input/keys_internal.h"

namespace {

// Win32 virtual-key codes, named as in the Windows headers.
enum : uint8_t {
  kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkShift = 0x10, kVkControl = 0x11,
  kVkMenu = 0x12, kVkCapital = 0x14, kVkEscape = 0x1B, kVkSpace = 0x20, kVkPrior = 0x21,
  kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26,
  kVkRight = 0x27, kVkDown = 0x28, kVkInsert = 0x2D, kVkDelete = 0x2E, kVkLWin = 0x5B,
  kVkRWin = 0x5C, kVkApps = 0x5D, kVkNumpad0 = 0x60, kVkNumpad1 = 0x61, kVkNumpad2 = 0x62,
  kVkNumpad3 = 0x63, kVkNumpad4 = 0x64, kVkNumpad6 = 0x66, kVkNumpad7 = 0x67,
  kVkNumpad8 = 0x68, kVkNumpad9 = 0x69, kVkMultiply = 0x6A, kVkAdd = 0x6B,
  kVkSubtract = 0x6D, kVkDecimal = 0x6E, kVkDivide = 0x6F, kVkF1 = 0x70, kVkF10 = 0x79,
  kVkF11 = 0x7A, kVkF12 = 0x7B, kVkNumLock = 0x90, kVkScroll = 0x91, kVkOem1 = 0xBA,
  kVkOemPlus = 0xBB, kVkOemComma = 0xBC, kVkOemMinus = 0xBD, kVkOemPeriod = 0xBE,
  kVkOem2 = 0xBF, kVkOem3 = 0xC0, kVkOem4 = 0xDB, kVkOem5 = 0xDC, kVkOem6 = 0xDD,
  kVkOem7 = 0xDE,
};

struct SpecialKey {
  uint8_t virtual_key;
  int16_t code;
};

// F1 to F10 follow the rule code = virtual key + 155 and are handled apart.
constexpr SpecialKey kSpecialKeys[] = {
    {kVkUp, 257},     {kVkDown, 258}, {kVkLeft, 259},  {kVkRight, 260},
    {kVkInsert, 261}, {kVkDelete, 262}, {kVkHome, 263}, {kVkEnd, 264},
    {kVkPrior, 265},  {kVkNext, 266},
};
constexpr int32_t kFunctionKeyOffset = 155;

// Indexed by code - 256: the keys' PC scan codes (the close box reads as "X").
constexpr uint8_t kSpecialScanBytes[kKeySpecialLast - kKeySpecialFirst + 1] = {
    0x58, 0x48, 0x50, 0x4B, 0x4D, 0x52, 0x53, 0x47, 0x4F, 0x49, 0x51,
    0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44,
};

}  // namespace

const KeyStateRow kKeyStateTable[] = {
    {0x01, kVkEscape, 0},
    {0x02, '1', 0}, {0x03, '2', 0}, {0x04, '3', 0}, {0x05, '4', 0}, {0x06, '5', 0},
    {0x07, '6', 0}, {0x08, '7', 0}, {0x09, '8', 0}, {0x0A, '9', 0}, {0x0B, '0', 0},
    {0x0C, kVkOemMinus, kVkSubtract}, {0x0D, kVkOemPlus, 0}, {0x0E, kVkBack, 0},
    {0x0F, kVkTab, 0},
    {0x10, 'Q', 0}, {0x11, 'W', 0}, {0x12, 'E', 0}, {0x13, 'R', 0}, {0x14, 'T', 0},
    {0x15, 'Y', 0}, {0x16, 'U', 0}, {0x17, 'I', 0}, {0x18, 'O', 0}, {0x19, 'P', 0},
    {0x1A, kVkOem4, 0}, {0x1B, kVkOem6, 0}, {0x1C, kVkReturn, 0}, {0x1D, kVkControl, 0},
    {0x1E, 'A', 0}, {0x1F, 'S', 0}, {0x20, 'D', 0}, {0x21, 'F', 0}, {0x22, 'G', 0},
    {0x23, 'H', 0}, {0x24, 'J', 0}, {0x25, 'K', 0}, {0x26, 'L', 0},
    {0x27, kVkOem1, 0}, {0x28, kVkOem7, 0}, {0x29, kVkOem3, 0}, {0x2A, kVkShift, 0},
    {0x2B, kVkOem5, 0},
    {0x2C, 'Z', 0}, {0x2D, 'X', 0}, {0x2E, 'C', 0}, {0x2F, 'V', 0}, {0x30, 'B', 0},
    {0x31, 'N', 0}, {0x32, 'M', 0},
    {0x33, kVkOemComma, 0}, {0x34, kVkOemPeriod, 0}, {0x35, kVkOem2, kVkDivide},
    {0x36, kVkShift, 0}, {0x37, kVkMultiply, 0}, {0x38, kVkMenu, 0}, {0x39, kVkSpace, 0},
    {0x3A, kVkCapital, 0},
    {0x3B, kVkF1, 0}, {0x3C, kVkF1 + 1, 0}, {0x3D, kVkF1 + 2, 0}, {0x3E, kVkF1 + 3, 0},
    {0x3F, kVkF1 + 4, 0}, {0x40, kVkF1 + 5, 0}, {0x41, kVkF1 + 6, 0}, {0x42, kVkF1 + 7, 0},
    {0x43, kVkF1 + 8, 0}, {0x44, kVkF10, 0},
    {0x45, kVkNumLock, 0}, {0x46, kVkScroll, 0},
    {0x47, kVkHome, kVkNumpad7}, {0x48, kVkUp, kVkNumpad8}, {0x49, kVkPrior, kVkNumpad9},
    {0x4B, kVkLeft, kVkNumpad4}, {0x4D, kVkRight, kVkNumpad6}, {0x4E, kVkAdd, 0},
    {0x4F, kVkEnd, kVkNumpad1}, {0x50, kVkDown, kVkNumpad2}, {0x51, kVkNext, kVkNumpad3},
    {0x52, kVkInsert, kVkNumpad0}, {0x53, kVkDelete, kVkDecimal},
    {0x57, kVkF11, 0}, {0x58, kVkF12, 0},
    {0x7D, kVkLWin, 0}, {0x7E, kVkRWin, 0}, {0x7F, kVkApps, 0},
    {0, 0, 0},
};

int32_t SpecialKeyCode(uint32_t virtual_key) {
  if (virtual_key >= kVkF1 && virtual_key <= kVkF10) {
    return static_cast<int32_t>(virtual_key) + kFunctionKeyOffset;
  }
  for (const SpecialKey& key : kSpecialKeys) {
    if (key.virtual_key == virtual_key) return key.code;
  }
  return 0;
}

uint8_t SpecialKeyScanByte(int32_t code) {
  int32_t index = code - kKeySpecialFirst;
  if (index < 0) index = 0;
  if (index > kKeySpecialLast - kKeySpecialFirst) index = kKeySpecialLast - kKeySpecialFirst;
  return kSpecialScanBytes[index];
}
