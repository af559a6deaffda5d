// The GDI driver's transfer of framebuffer rows into its window.
#pragma once
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>

// Puts `rows` display rows, starting with display row `first`, into the
// window's device context: source points at the first of them, laid out as
// info describes (its height is borrowed for the call and given back). At a
// window scale above 1 each pixel becomes a solid block of that size
// (StretchDIBits, nearest neighbour). Update thread, under the display lock.
void GdiShowRows(HDC dc, BITMAPINFO* info, int32_t first, int32_t rows, const void* source);
