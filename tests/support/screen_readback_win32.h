// Reading a screen's window back and comparing it with the framebuffer (Windows
// tests only): a pattern over the whole page, the client area as 0x00RRGGBB
// words, and the pixels that differ.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The client area from (0, top), width x height, as 0x00RRGGBB words.
std::vector<uint32_t> ReadClient(int width, int height, int top);
// The framebuffer pixel at (x, y) as a 32-bit desktop shows it.
uint32_t ExpectedPixel(int x, int y);
// Draws a pattern in which neighbours differ and, at depths up to 8, every
// palette index is used; flags every display row.
void DrawPattern();
// Gives framebuffer row y new pixels (neighbours differ; `shift` varies them
// from call to call) and flags that row alone, as drawing does.
void DrawPatternRow(int y, int shift);
// Pixels of the client area (page from row top, display row k showing
// framebuffer row k / line_multiplier) that differ from the framebuffer in the
// compared bits; the first is described in *why.
int CountWrongPixels(int top, uint32_t compared_bits, std::string* why);
// Waits up to about 3 s for no pixel to differ.
bool WaitPictureAt(int top, uint32_t compared_bits, std::string* why);
