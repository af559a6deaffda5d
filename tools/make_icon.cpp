// Writes the program's icon (gfx/window/program_icon.cpp draws it; the X window
// shows the same drawing) as a Windows .ico with a 32x32 and a 16x16 image
// (32-bit colour with alpha, plus the AND mask older systems read). The output
// is committed as game/tavrel.ico (a native test checks that the two agree);
// after changing the picture run:
//   g++ -std=c++20 -O2 -I. tools/make_icon.cpp gfx/window/program_icon.cpp -o build/make_icon
//   build/make_icon game/tavrel.ico
#include <cstdint>
#include <cstdio>
#include <vector>

#include "gfx/window/program_icon.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8 & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One icon image: BITMAPINFOHEADER (height doubled for the mask), the pixels
// bottom-up as BGRA, then the 1-bit AND mask bottom-up, rows padded to 4 bytes.
std::vector<uint8_t> EncodeImage(const std::vector<uint32_t>& px, int size) {
  std::vector<uint8_t> out;
  const int mask_stride = ((size + 31) / 32) * 4;
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(size));
  Put32(out, static_cast<uint32_t>(size * 2));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<uint32_t>(size * size * 4 + mask_stride * size));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const uint32_t p = px[y * size + x];
      out.insert(out.end(), {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8),
                             static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 24)});
    }
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(mask_stride, 0);
    for (int x = 0; x < size; ++x) {
      if ((px[y * size + x] >> 24) == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "tavrel.ico";
  const auto& sizes = kProgramIconSizes;
  std::vector<std::vector<uint8_t>> images;
  for (int s : sizes) images.push_back(EncodeImage(DrawProgramIcon(s), s));
  std::vector<uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);  // icon
  Put16(file, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    file.push_back(static_cast<uint8_t>(sizes[i]));
    file.push_back(static_cast<uint8_t>(sizes[i]));
    file.push_back(0);  // no palette
    file.push_back(0);
    Put16(file, 1);   // planes
    Put16(file, 32);  // bits per pixel
    Put32(file, static_cast<uint32_t>(images[i].size()));
    Put32(file, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const auto& img : images) file.insert(file.end(), img.begin(), img.end());
  FILE* f = std::fopen(path, "wb");
  if (!f) {
    std::perror(path);
    return 1;
  }
  bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    std::perror(path);
    return 1;
  }
  return 0;
}
