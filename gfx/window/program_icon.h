// The program's icon, a white king on a small board: one drawing for the
// Windows icon resource (tools/make_icon.cpp writes game/tavrel.ico from it) and
// for the X window's _NET_WM_ICON property, so that both platforms show the same.
#pragma once
#include <cstdint>
#include <vector>

// The sizes the icon is made in, largest first.
constexpr int kProgramIconSizes[] = {32, 16};

// size x size pixels as 0xAARRGGBB, row 0 at the top.
std::vector<uint32_t> DrawProgramIcon(int size);

// The icon as _NET_WM_ICON wants it: for each size, width, height and the
// pixels row by row, all as CARDINAL values.
std::vector<uint32_t> ProgramIconProperty();
