// Inside the blitters: the one per-row kernel signature, the frame that walks
// the dirty rows, and the tables of kernels per source, destination and order.
#pragma once
#include <cstdint>

#include "gfx/blitters/blitter.h"

// What a row kernel may read besides its source row. Filled by the frame once
// per call; `mapped` is filled by the kernel's prepare step, if it has one.
struct BlitTables {
  const uint32_t* palette;  // 256 packed colour words 0x00BBGGRR
  const uint32_t* lookup;   // 16-bit lookup: low-byte table, then high-byte table
  int32_t row_bytes;        // bytes per source row
  // The palette already in the destination's format: 256 entries of 2 bytes
  // (15/16-bit targets) or 4 bytes (24/32-bit targets).
  alignas(16) uint8_t mapped[1024];
  // The same entries split into byte planes: planes[b][i] is byte b of entry i.
  alignas(64) uint8_t planes[4][256];
};

// Converts `width` source pixels at src into dst.
using RowFn = void (*)(uint8_t* dst, const uint8_t* src, int32_t width, const BlitTables& t);
// Fills t.mapped before the first dirty row of a call.
using PrepareFn = void (*)(BlitTables& t);

// The dirty-row walk shared by every blitter: destination row k shows framebuffer
// row k / multiplier and is written only when that row is dirty. A multiplier of
// kModeMultiplier takes the mode's line_multiplier.
constexpr int32_t kModeMultiplier = 0;
void RunBlitFrame(uint8_t* dest, int32_t dest_pitch, RowFn row, PrepareFn prepare,
                  int32_t multiplier);

// Portable blitters repeat rows as the mode asks; vector ones are only chosen
// for modes that do not repeat rows.
template <RowFn Row, PrepareFn Prepare = nullptr>
void PortableBlit(uint8_t* dest, int32_t dest_pitch) {
  RunBlitFrame(dest, dest_pitch, Row, Prepare, kModeMultiplier);
}
template <RowFn Row, PrepareFn Prepare = nullptr>
void VectorBlit(uint8_t* dest, int32_t dest_pitch) {
  RunBlitFrame(dest, dest_pitch, Row, Prepare, 1);
}

// The blitters for one source format, by destination depth.
struct BlitDestCells {
  Blitter to8;
  Blitter to15;
  Blitter to16;
  Blitter to24;
  Blitter to32;
};

// One family's blitters for one rgb_order.
struct BlitFamily {
  BlitDestCells indexed;
  BlitDestCells rgb16;
  BlitDestCells rgb32;
};

// [0] red in the high bits, [1] red in the low bits.
extern const BlitFamily kPortableBlitters[2];
// The vector family best suited to this processor (the portable one where no
// vector form exists).
const BlitFamily* VectorBlitters();

// The vector family at each instruction-set level, best first; tests walk every
// level the processor supports.
struct BlitFamilyLevel {
  const char* name;
  const BlitFamily* family;  // [2], by order
  bool supported;
};
int32_t VectorFamilyLevels(const BlitFamilyLevel** levels);

// The cell of a family for a framebuffer depth and a destination depth, or null.
Blitter FamilyCell(const BlitFamily& family, int32_t depth, int32_t dest_depth);

// Copies a whole source row; the same-format cell of every family.
void BlitCopy(uint8_t* dest, int32_t dest_pitch);

// Portable row kernels, also used by the vector kernels for a row's last
// pixels. Names: source, destination depth, order (O0 red high, O1 red low).
namespace blit_portable {
void CopyRow(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Idx15O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Idx15O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Idx16O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Idx16O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Idx24O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Idx24O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Idx32O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Idx32O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb16To15O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb16To15O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb16To16O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb16To24(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb16To32(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To15O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To15O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To16O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To16O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To24O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To24O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To32O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
}  // namespace blit_portable

// Channel narrowing shared by every family, so that all produce the same bits.
// c is 0x00BBGGRR for palette words (Pal*) or 0x00RRGGBB for 32-bit pixels.
constexpr uint32_t Pack15(uint32_t r, uint32_t g, uint32_t b) {
  return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
}
constexpr uint32_t Pack16(uint32_t r, uint32_t g, uint32_t b) {
  return (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3);
}
constexpr uint32_t Red(uint32_t rgb) { return (rgb >> 16) & 0xFF; }
constexpr uint32_t Green(uint32_t rgb) { return (rgb >> 8) & 0xFF; }
constexpr uint32_t Blue(uint32_t rgb) { return rgb & 0xFF; }
constexpr uint32_t PalRed(uint32_t bgr) { return bgr & 0xFF; }
constexpr uint32_t PalBlue(uint32_t bgr) { return (bgr >> 16) & 0xFF; }

// Vector family row kernels (those that are not plain copies).
namespace blit_vector {
// Indexed sources: the palette converted once per call into t.mapped by the
// portable kernel of the same cell, then one table load per pixel.
template <RowFn PortableRow>
void PrepareMapped(BlitTables& t);
// PrepareMapped, then the entries of kEntryBytes bytes split into planes.
template <RowFn PortableRow, int kEntryBytes>
void PrepareMappedPlanes(BlitTables& t);
void IdxMapped16(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void IdxMapped24(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void IdxMapped32(uint8_t*, const uint8_t*, int32_t, const BlitTables&);

// AVX2.
void Rgb32To15O0Avx2(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To15O1Avx2(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To16O0Avx2(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To16O1Avx2(uint8_t*, const uint8_t*, int32_t, const BlitTables&);

// AVX-512 with byte permutes (VBMI): 256-entry byte tables in registers.
void IdxPlanes16Vbmi(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void IdxPlanes24Vbmi(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void IdxPlanes32Vbmi(uint8_t*, const uint8_t*, int32_t, const BlitTables&);

// SSE2 (with SSSE3 where named).
void Rgb16To15O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb16To15O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb16To16O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb16To32(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb16To24Ssse3(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To15O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To15O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To16O0(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To16O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To24O0Ssse3(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To24O1Ssse3(uint8_t*, const uint8_t*, int32_t, const BlitTables&);
void Rgb32To32O1(uint8_t*, const uint8_t*, int32_t, const BlitTables&);

// Which order the 16-bit lookup was last built for: 0, 1, or -1 when it holds
// neither (the kernels then leave the work to the portable form).
int32_t LookupOrder(const uint32_t* lookup);
}  // namespace blit_vector
