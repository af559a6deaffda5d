// The numbered screen modes: size, depth, palette, font and text grid of each.
// Modes 3 to 6 and 10 do not exist and are marked by a width of -1.
#include "gfx/screen.h"
#include "gfx/data/builtin_data.h"

namespace {
constexpr ScreenModeInfo kNoMode = {-1, 0, 0, 0, nullptr, nullptr, 0, 0};
}

const ScreenModeInfo kScreenModeTable[kScreenModeCount + 1] = {
    kNoMode,                                                  // 0: the text console
    {320, 200, 2, 1, &kPalette16, &kFont8, 40, 25},           // 1
    {640, 200, 1, 2, &kPalette16, &kFont8, 80, 25},           // 2
    kNoMode,                                                  // 3
    kNoMode,                                                  // 4
    kNoMode,                                                  // 5
    kNoMode,                                                  // 6
    {320, 200, 4, 1, &kPalette16, &kFont8, 40, 25},           // 7
    {640, 200, 4, 2, &kPalette16, &kFont8, 80, 25},           // 8
    {640, 350, 4, 1, &kPalette64, &kFont14, 80, 25},          // 9
    kNoMode,                                                  // 10
    {640, 480, 1, 1, &kPalette256, &kFont16, 80, 30},         // 11
    {640, 480, 4, 1, &kPalette256, &kFont16, 80, 30},         // 12
    {320, 200, 8, 1, &kPalette256, &kFont8, 40, 25},          // 13
    {320, 240, 8, 1, &kPalette256, &kFont8, 40, 30},          // 14
    {400, 300, 8, 1, &kPalette256, &kFont8, 50, 37},          // 15
    {512, 384, 8, 1, &kPalette256, &kFont16, 64, 24},         // 16
    {640, 400, 8, 1, &kPalette256, &kFont16, 80, 25},         // 17
    {640, 480, 8, 1, &kPalette256, &kFont16, 80, 30},         // 18
    {800, 600, 8, 1, &kPalette256, &kFont16, 100, 37},        // 19
    {1024, 768, 8, 1, &kPalette256, &kFont16, 128, 48},       // 20
    {1280, 1024, 8, 1, &kPalette256, &kFont16, 160, 64},      // 21
};
