// Vector family conversions of palette-indexed rows: the palette is converted
// once per call, so each pixel costs one table load; four pixels per step.
#include <cstddef>
#include <cstring>

#include "gfx/blitters/blit_kernels.h"

namespace blit_vector {
namespace {

struct IdentityRow {
  uint8_t index[256];
  constexpr IdentityRow() : index() {
    for (int i = 0; i < 256; ++i) index[i] = static_cast<uint8_t>(i);
  }
};
constexpr IdentityRow kIdentity;

uint32_t Mapped16(const BlitTables& t, uint32_t i) {
  uint16_t v;
  std::memcpy(&v, t.mapped + 2 * i, 2);
  return v;
}
// The index is widened before it is scaled, so that the scaling folds into
// the load's address: a shift per pixel less, and a loop short enough to fit
// one 64-byte block even where the Windows calling convention leaves the
// compiler only registers whose instructions take an extra prefix byte.
uint32_t Mapped32(const BlitTables& t, size_t i) {
  uint32_t v;
  std::memcpy(&v, t.mapped + 4 * i, 4);
  return v;
}
uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
void Store16(uint8_t* p, uint32_t v) {
  const uint16_t h = static_cast<uint16_t>(v);
  std::memcpy(p, &h, 2);
}

}  // namespace

// The whole palette through the portable kernel: the mapped entries are then the
// portable family's results by construction.
template <RowFn PortableRow>
void PrepareMapped(BlitTables& t) {
  PortableRow(t.mapped, kIdentity.index, 256, t);
}
template void PrepareMapped<blit_portable::Idx15O0>(BlitTables&);
template void PrepareMapped<blit_portable::Idx15O1>(BlitTables&);
template void PrepareMapped<blit_portable::Idx16O0>(BlitTables&);
template void PrepareMapped<blit_portable::Idx16O1>(BlitTables&);
template void PrepareMapped<blit_portable::Idx32O0>(BlitTables&);
template void PrepareMapped<blit_portable::Idx32O1>(BlitTables&);

template <RowFn PortableRow, int kEntryBytes>
void PrepareMappedPlanes(BlitTables& t) {
  PrepareMapped<PortableRow>(t);
  for (int i = 0; i < 256; ++i)
    for (int b = 0; b < kEntryBytes; ++b) t.planes[b][i] = t.mapped[i * kEntryBytes + b];
}
template void PrepareMappedPlanes<blit_portable::Idx15O0, 2>(BlitTables&);
template void PrepareMappedPlanes<blit_portable::Idx15O1, 2>(BlitTables&);
template void PrepareMappedPlanes<blit_portable::Idx16O0, 2>(BlitTables&);
template void PrepareMappedPlanes<blit_portable::Idx16O1, 2>(BlitTables&);
template void PrepareMappedPlanes<blit_portable::Idx32O0, 4>(BlitTables&);
template void PrepareMappedPlanes<blit_portable::Idx32O1, 4>(BlitTables&);

// One index load, one table load and one store per pixel: no shifting or
// masking, so the loads set the pace.
void IdxMapped16(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  int32_t x = 0;
  for (; x + 4 <= w; x += 4, d += 8) {
    Store16(d, Mapped16(t, s[x]));
    Store16(d + 2, Mapped16(t, s[x + 1]));
    Store16(d + 4, Mapped16(t, s[x + 2]));
    Store16(d + 6, Mapped16(t, s[x + 3]));
  }
  for (; x < w; ++x, d += 2) Store16(d, Mapped16(t, s[x]));
}

void IdxMapped24(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  int32_t x = 0;
  for (; x + 4 <= w; x += 4, d += 12) {
    const uint32_t i = Load32(s + x);
    const uint32_t c0 = Mapped32(t, i & 0xFF), c1 = Mapped32(t, i >> 8 & 0xFF);
    const uint32_t c2 = Mapped32(t, i >> 16 & 0xFF), c3 = Mapped32(t, i >> 24);
    Store32(d, (c0 & 0xFFFFFF) | c1 << 24);
    Store32(d + 4, (c1 >> 8 & 0xFFFF) | c2 << 16);
    Store32(d + 8, (c2 >> 16 & 0xFF) | c3 << 8);
  }
  for (; x < w; ++x, d += 3) {
    const uint32_t c = Mapped32(t, s[x]);
    d[0] = static_cast<uint8_t>(c);
    d[1] = static_cast<uint8_t>(c >> 8);
    d[2] = static_cast<uint8_t>(c >> 16);
  }
}

void IdxMapped32(uint8_t* d, const uint8_t* s, int32_t w, const BlitTables& t) {
  int32_t x = 0;
  for (; x + 4 <= w; x += 4, d += 16) {
    Store32(d, Mapped32(t, s[x]));
    Store32(d + 4, Mapped32(t, s[x + 1]));
    Store32(d + 8, Mapped32(t, s[x + 2]));
    Store32(d + 12, Mapped32(t, s[x + 3]));
  }
  for (; x < w; ++x, d += 4) Store32(d, Mapped32(t, s[x]));
}

}  // namespace blit_vector
