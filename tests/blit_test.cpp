// The pixel conversion blitters: every source and destination format against an
// independent per-pixel model, the vector family against the portable one, the
// dirty-row walk, the selection table and the 16-bit lookup tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <random>
#include <vector>

#include "gfx/blitters/blit_kernels.h"
#include "gfx/blitters/blitter.h"
#include "support/blit_screen.h"

namespace {

constexpr uint8_t kUntouched = 0xA5;
constexpr int32_t kSourceDepths[] = {1, 2, 4, 8, 16, 32};
constexpr int32_t kDestDepths[] = {8, 15, 16, 24, 32};
constexpr int32_t kModeWidths[] = {320, 400, 512, 640, 800, 1024, 1280};

int32_t DestBytes(int32_t dest_depth) { return (dest_depth + 7) / 8; }

bool Supported(int32_t src_depth, int32_t dest_depth) {
  return src_depth <= 8 || dest_depth != 8;
}

// Independent model: a source pixel as 8-bit channels (narrower channels widened
// with zero low bits), then narrowed to the destination format.
struct Rgb {
  uint32_t r, g, b;
};

Rgb DecodeSource(BlitScreen& s, int32_t x, int32_t y) {
  const ScreenContext& c = s.context();
  const uint8_t* p = s.Row(y) + x * c.bytes_per_pixel;
  if (c.depth <= 8) {
    const uint32_t w = s.palette()[p[0]];
    return {w & 0xFF, (w >> 8) & 0xFF, (w >> 16) & 0xFF};
  }
  if (c.depth == 16) {
    const uint32_t v = p[0] | p[1] << 8;
    return {(v >> 11) << 3, ((v >> 5) & 0x3F) << 2, (v & 0x1F) << 3};
  }
  return {p[2], p[1], p[0]};
}

// The bytes one pixel must become.
std::vector<uint8_t> ExpectedPixel(BlitScreen& s, int32_t x, int32_t y, int32_t dest_depth,
                                   bool red_low) {
  const ScreenContext& c = s.context();
  const uint8_t* p = s.Row(y) + x * c.bytes_per_pixel;
  // Same formats are plain copies, top byte included.
  if (dest_depth == 8) return {p[0]};
  if (c.depth == 16 && dest_depth == 16 && !red_low) return {p[0], p[1]};
  if (c.depth == 32 && dest_depth == 32 && !red_low) return {p[0], p[1], p[2], p[3]};
  const Rgb v = DecodeSource(s, x, y);
  const uint32_t hi = red_low ? v.b : v.r, lo = red_low ? v.r : v.b;
  uint32_t word = 0;
  switch (dest_depth) {
    case 15: word = (hi >> 3) << 10 | (v.g >> 3) << 5 | (lo >> 3); break;
    case 16: word = (hi >> 3) << 11 | (v.g >> 2) << 5 | (lo >> 3); break;
    case 24: return {static_cast<uint8_t>(lo), static_cast<uint8_t>(v.g), static_cast<uint8_t>(hi)};
    case 32: word = hi << 16 | v.g << 8 | lo; break;
  }
  std::vector<uint8_t> out;
  for (int i = 0; i < DestBytes(dest_depth); ++i) out.push_back(static_cast<uint8_t>(word >> (8 * i)));
  return out;
}

void FillRandom(BlitScreen& s, std::mt19937& rng, double dirty_share) {
  ScreenContext& c = s.context();
  std::uniform_int_distribution<int> byte(0, 255);
  const uint32_t mask = c.depth < 8 ? (1u << c.depth) - 1 : 0xFF;
  for (int32_t y = 0; y < c.height; ++y)
    for (int32_t i = 0; i < c.pitch; ++i)
      s.Row(y)[i] = static_cast<uint8_t>(byte(rng) & (c.bytes_per_pixel == 1 ? mask : 0xFF));
  for (int i = 0; i < 256; ++i) s.palette()[i] = static_cast<uint32_t>(byte(rng) | byte(rng) << 8 | byte(rng) << 16);
  std::bernoulli_distribution dirty(dirty_share);
  for (int32_t y = 0; y < c.height; ++y) s.dirty()[y] = dirty(rng) ? 255 : 0;
}

struct Dest {
  int32_t pitch;
  std::vector<uint8_t> bytes;
  uint8_t* row(int32_t k) { return bytes.data() + static_cast<size_t>(k) * pitch; }
};

// A destination with 8 spare bytes per row, all set to kUntouched.
Dest MakeDest(const ScreenContext& c, int32_t dest_depth) {
  Dest d;
  d.pitch = c.width * DestBytes(dest_depth) + 8;
  d.bytes.assign(static_cast<size_t>(d.pitch) * c.height * c.line_multiplier, kUntouched);
  return d;
}

Dest RunBlitter(BlitScreen& s, int32_t dest_depth, int32_t order) {
  Dest d = MakeDest(s.context(), dest_depth);
  Blitter b = SelectBlitter(dest_depth, order);
  EXPECT_NE(b, nullptr);
  if (b) b(d.bytes.data(), d.pitch);
  return d;
}

// Checks every destination row against the model: dirty rows converted in full,
// clean rows and the spare bytes after each row untouched.
void ExpectMatchesModel(BlitScreen& s, Dest& d, int32_t dest_depth, bool red_low) {
  const ScreenContext& c = s.context();
  const int32_t db = DestBytes(dest_depth);
  int failures = 0;
  for (int32_t k = 0; k < c.height * c.line_multiplier && failures < 5; ++k) {
    const int32_t y = k / c.line_multiplier;
    const uint8_t* row = d.row(k);
    for (int32_t x = 0; x < c.width && failures < 5; ++x) {
      std::vector<uint8_t> want(static_cast<size_t>(db), kUntouched);
      if (s.dirty()[y]) want = ExpectedPixel(s, x, y, dest_depth, red_low);
      if (std::memcmp(row + x * db, want.data(), static_cast<size_t>(db)) != 0) {
        ADD_FAILURE() << "depth " << c.depth << " -> " << dest_depth << " order " << red_low
                      << " width " << c.width << ": row " << k << " pixel " << x;
        ++failures;
      }
    }
    for (int32_t i = c.width * db; i < d.pitch; ++i)
      if (row[i] != kUntouched) {
        ADD_FAILURE() << "wrote past the row end, row " << k;
        ++failures;
        break;
      }
  }
}

TEST(Blitters, EveryFormatPairMatchesThePerPixelModelInBothFamilies) {
  std::mt19937 rng(1234);
  for (bool vector : {false, true})
    for (int32_t depth : kSourceDepths)
      for (int32_t width : {1, 2, 3, 5, 8, 13, 37, 64})
        for (int32_t dest_depth : kDestDepths)
          for (int32_t order : {0, 1}) {
            if (!Supported(depth, dest_depth)) continue;
            BlitScreen s(width, 6, depth, 1, vector);
            FillRandom(s, rng, 0.5);
            Dest d = RunBlitter(s, dest_depth, order);
            ExpectMatchesModel(s, d, dest_depth, order != 0);
          }
}

TEST(Blitters, RowRepeatingModesWriteEachDirtyRowTwiceWhateverTheProcessor) {
  std::mt19937 rng(99);
  for (bool vector : {false, true})
    for (int32_t depth : kSourceDepths)
      for (int32_t dest_depth : kDestDepths)
        for (int32_t order : {0, 1}) {
          if (!Supported(depth, dest_depth)) continue;
          BlitScreen s(24, 7, depth, 2, vector);
          FillRandom(s, rng, 0.4);
          Dest d = RunBlitter(s, dest_depth, order);
          ExpectMatchesModel(s, d, dest_depth, order != 0);
        }
}

TEST(Blitters, RepeatedRowFiveChangesOnlyDestinationRowsTenAndEleven) {
  for (int32_t depth : {4, 16, 32}) {
    BlitScreen s(16, 8, depth, 2, true);
    std::memset(s.Row(5), 0x3C, static_cast<size_t>(s.context().pitch));
    s.palette()[0x3C] = 0x00FFFFFF;
    s.dirty()[5] = 255;
    Dest d = MakeDest(s.context(), 32);
    SelectBlitter(32, 0)(d.bytes.data(), d.pitch);
    for (int32_t k = 0; k < 16; ++k) {
      const bool changed = d.row(k)[0] != kUntouched;
      EXPECT_EQ(changed, k == 10 || k == 11) << "depth " << depth << " row " << k;
    }
  }
}

// Runs the given blitter into a fresh destination.
Dest RunCell(BlitScreen& s, Blitter b, int32_t dest_depth) {
  Dest d = MakeDest(s.context(), dest_depth);
  b(d.bytes.data(), d.pitch);
  return d;
}

// Every vector level the processor supports must give the portable family's
// bytes; SelectBlitter also rebuilds the lookup in the pair's order first.
void ExpectEveryLevelMatchesPortable(BlitScreen& s, int32_t dest_depth, int32_t order) {
  const int32_t depth = s.context().depth;
  s.SetVector(false);
  const Dest portable = RunCell(s, SelectBlitter(dest_depth, order), dest_depth);
  s.SetVector(true);
  const BlitFamilyLevel* levels;
  const int32_t count = VectorFamilyLevels(&levels);
  for (int32_t i = 0; i < count; ++i) {
    if (!levels[i].supported) continue;
    Blitter b = FamilyCell(levels[i].family[order], depth, dest_depth);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(RunCell(s, b, dest_depth).bytes, portable.bytes)
        << levels[i].name << ": depth " << depth << " -> " << dest_depth << " order " << order
        << " width " << s.context().width;
  }
  EXPECT_EQ(RunCell(s, SelectBlitter(dest_depth, order), dest_depth).bytes, portable.bytes);
}

TEST(Blitters, EveryVectorLevelGivesThePortableBytesOnEveryModeWidth) {
  std::mt19937 rng(7);
  for (int32_t depth : kSourceDepths)
    for (int32_t width : kModeWidths)
      for (int32_t dest_depth : kDestDepths)
        for (int32_t order : {0, 1}) {
          if (!Supported(depth, dest_depth)) continue;
          BlitScreen s(width, 5, depth, 1, false);
          FillRandom(s, rng, 0.6);
          ExpectEveryLevelMatchesPortable(s, dest_depth, order);
        }
}

TEST(Blitters, EveryVectorLevelGivesThePortableBytesOnRandomRowWidths) {
  std::mt19937 rng(4242);
  std::uniform_int_distribution<int32_t> widths(1, 300);
  for (int round = 0; round < 30; ++round)
    for (int32_t depth : kSourceDepths)
      for (int32_t dest_depth : kDestDepths) {
        if (!Supported(depth, dest_depth)) continue;
        BlitScreen s(widths(rng), 3, depth, 1, false);
        FillRandom(s, rng, 0.7);
        ExpectEveryLevelMatchesPortable(s, dest_depth, round & 1);
      }
}

TEST(Blitters, PalettesWithEntriesAboveIndex127ReachEveryLevel) {
  // Indices 128-255 take the second half of the palette in the byte-permute
  // kernels; a row of only such indices, and one alternating, must still match.
  for (int32_t dest_depth : {15, 16, 24, 32}) {
    BlitScreen s(640, 2, 8, 1, false);
    for (int32_t x = 0; x < 640; ++x) {
      s.Row(0)[x] = static_cast<uint8_t>(128 + x % 128);
      s.Row(1)[x] = static_cast<uint8_t>(x % 2 ? 255 - x % 128 : x % 128);
    }
    for (uint32_t i = 0; i < 256; ++i) s.palette()[i] = i * 0x010305u & 0x00FFFFFF;
    s.dirty()[0] = s.dirty()[1] = 255;
    ExpectEveryLevelMatchesPortable(s, dest_depth, 0);
    Dest d = RunCell(s, SelectBlitter(dest_depth, 0), dest_depth);
    ExpectMatchesModel(s, d, dest_depth, false);
  }
}

// One pixel of an indexed screen whose palette colour is red 0x40, green 0x80,
// blue 0xFF, through every destination.
std::vector<uint8_t> ConvertPaletteColour(int32_t dest_depth, int32_t order, bool vector) {
  BlitScreen s(8, 1, 8, 1, vector);
  std::memset(s.Row(0), 7, 8);
  s.palette()[7] = PackColour(0x40, 0x80, 0xFF);
  s.dirty()[0] = 255;
  Dest d = RunBlitter(s, dest_depth, order);
  return std::vector<uint8_t>(d.bytes.begin(), d.bytes.begin() + DestBytes(dest_depth));
}

TEST(Blitters, KnownPaletteColourOnEachSurface) {
  for (bool vector : {false, true}) {
    EXPECT_EQ(ConvertPaletteColour(15, 0, vector), (std::vector<uint8_t>{0x1F, 0x22}));
    EXPECT_EQ(ConvertPaletteColour(15, 1, vector), (std::vector<uint8_t>{0x08, 0x7E}));
    EXPECT_EQ(ConvertPaletteColour(16, 0, vector), (std::vector<uint8_t>{0x1F, 0x44}));
    EXPECT_EQ(ConvertPaletteColour(16, 1, vector), (std::vector<uint8_t>{0x08, 0xFC}));
    EXPECT_EQ(ConvertPaletteColour(24, 0, vector), (std::vector<uint8_t>{0xFF, 0x80, 0x40}));
    EXPECT_EQ(ConvertPaletteColour(24, 1, vector), (std::vector<uint8_t>{0x40, 0x80, 0xFF}));
    EXPECT_EQ(ConvertPaletteColour(32, 0, vector), (std::vector<uint8_t>{0xFF, 0x80, 0x40, 0}));
    EXPECT_EQ(ConvertPaletteColour(32, 1, vector), (std::vector<uint8_t>{0x40, 0x80, 0xFF, 0}));
  }
}

TEST(Blitters, WhiteSixteenBitPixelLeavesLowChannelBitsZero) {
  for (bool vector : {false, true}) {
    BlitScreen s(8, 1, 16, 1, vector);
    std::memset(s.Row(0), 0xFF, 16);
    s.dirty()[0] = 255;
    Dest d32 = RunBlitter(s, 32, 0);
    EXPECT_EQ(d32.bytes[0], 0xF8);  // blue
    EXPECT_EQ(d32.bytes[1], 0xFC);  // green
    EXPECT_EQ(d32.bytes[2], 0xF8);  // red
    Dest d15 = RunBlitter(s, 15, 0);
    EXPECT_EQ(d15.bytes[0] | d15.bytes[1] << 8, 0x7FFF);
  }
}

TEST(Blitters, TopByteOfA32BitPixelCarriesNoColour) {
  for (bool vector : {false, true})
    for (int32_t dest_depth : {15, 16, 24, 32})
      for (int32_t order : {0, 1}) {
        if (dest_depth == 32 && order == 0) continue;  // a plain copy
        BlitScreen s(8, 1, 32, 1, vector);
        // Pixels 0-3 carry 0xAB on top; pixels 4-7 are the same colours without it.
        for (uint32_t x = 0; x < 4; ++x) {
          const uint32_t colour = 0x123456u + x * 0x3F2E1D;
          const uint32_t with = colour | 0xAB000000u;
          std::memcpy(s.Row(0) + 4 * x, &with, 4);
          std::memcpy(s.Row(0) + 4 * (x + 4), &colour, 4);
        }
        s.dirty()[0] = 255;
        Dest d = RunBlitter(s, dest_depth, order);
        const int32_t db = DestBytes(dest_depth);
        for (int x = 0; x < 4; ++x)
          EXPECT_EQ(0, std::memcmp(&d.bytes[x * db], &d.bytes[(x + 4) * db], db))
              << dest_depth << " order " << order << " pixel " << x;
        if (dest_depth == 32) {
          EXPECT_EQ(d.bytes[3], 0) << "a swapped pixel's fourth byte";
        }
      }
}

TEST(Blitters, PlainCopiesIntoRowsOfTheSamePitchCopyOnlyDirtyRuns) {
  std::mt19937 rng(31);
  for (int32_t depth : {4, 8, 16, 32})
    for (double share : {0.0, 0.3, 0.8, 1.0}) {
      BlitScreen s(40, 12, depth, 1, true);
      FillRandom(s, rng, share);
      s.dirty()[11] = 255;  // a run that ends at the last row
      const int32_t pitch = s.context().pitch;
      std::vector<uint8_t> surface(static_cast<size_t>(pitch) * 12 + 16, kUntouched);
      SelectBlitter(depth <= 8 ? 8 : depth, 0)(surface.data(), pitch);
      for (int32_t y = 0; y < 12; ++y) {
        const uint8_t* row = surface.data() + static_cast<size_t>(y) * pitch;
        if (s.dirty()[y]) {
          EXPECT_EQ(0, std::memcmp(row, s.Row(y), static_cast<size_t>(pitch))) << depth << " row " << y;
        } else {
          EXPECT_EQ(std::vector<uint8_t>(row, row + pitch), std::vector<uint8_t>(pitch, kUntouched))
              << depth << " row " << y;
        }
      }
      EXPECT_EQ(surface.back(), kUntouched);
    }
}

TEST(Blitters, NegativePitchWritesRowsUpwards) {
  BlitScreen s(8, 3, 8, 1, true);
  std::memset(s.Row(0), 1, 8);
  std::memset(s.Row(2), 2, 8);
  s.palette()[1] = 0x000000FF;
  s.palette()[2] = 0x0000FF00;
  s.dirty()[0] = s.dirty()[2] = 255;
  std::vector<uint8_t> surface(3 * 32, kUntouched);
  SelectBlitter(32, 1)(surface.data() + 2 * 32, -32);
  EXPECT_EQ(surface[2 * 32], 0xFF);  // row 0 at the bottom
  EXPECT_EQ(surface[32], kUntouched);
  EXPECT_EQ(surface[1], 0xFF);  // row 2 at the top: green
}

TEST(SelectBlitter, AnswersNullWhereNoConversionExists) {
  for (int32_t depth : kSourceDepths)
    for (bool vector : {false, true}) {
      BlitScreen s(8, 1, depth, 1, vector);
      for (int32_t order : {0, 1}) {
        EXPECT_EQ(SelectBlitter(12, order), nullptr) << depth;
        EXPECT_EQ(SelectBlitter(0, order), nullptr) << depth;
        EXPECT_EQ(SelectBlitter(8, order) == nullptr, depth > 8) << depth;
        for (int32_t dest_depth : {15, 16, 24, 32}) EXPECT_NE(SelectBlitter(dest_depth, order), nullptr);
      }
    }
  for (int32_t odd_depth : {0, 3, 12, 64}) {
    BlitScreen s(8, 1, odd_depth, 1, false);
    for (int32_t dest_depth : kDestDepths) EXPECT_EQ(SelectBlitter(dest_depth, 0), nullptr);
  }
}

TEST(SelectBlitter, UnnormalisedDepthsPickTheSameRows) {
  BlitScreen s(8, 1, 15, 1, false);
  EXPECT_EQ(SelectBlitter(32, 0), kPortableBlitters[0].rgb16.to32);
  s.context().depth = 24;
  EXPECT_EQ(SelectBlitter(16, 1), kPortableBlitters[1].rgb32.to16);
}

TEST(SelectBlitter, VectorFamilyOnlyWithTheVectorUnitAndRowsShownOnce) {
  for (int32_t depth : {4, 16, 32}) {
    BlitScreen s(8, 2, depth, 1, true);
    EXPECT_EQ(SelectBlitter(24, 1), FamilyCell(VectorBlitters()[1], depth, 24));
    s.context().line_multiplier = 2;
    EXPECT_EQ(SelectBlitter(24, 1), FamilyCell(kPortableBlitters[1], depth, 24));
    s.context().line_multiplier = 1;
    s.SetVector(false);
    EXPECT_EQ(SelectBlitter(24, 1), FamilyCell(kPortableBlitters[1], depth, 24));
  }
#if defined(__x86_64__) || defined(_M_X64)
  EXPECT_NE(VectorBlitters(), kPortableBlitters);
#endif
}

TEST(SelectBlitter, SameFormatsAreAPlainCopyInEitherFamily) {
  for (bool vector : {false, true}) {
    for (int32_t depth : {1, 2, 4, 8}) {
      BlitScreen s(8, 1, depth, 1, vector);
      EXPECT_EQ(SelectBlitter(8, 0), BlitCopy);
      EXPECT_EQ(SelectBlitter(8, 1), BlitCopy);
    }
    BlitScreen s16(8, 1, 16, 1, vector);
    EXPECT_EQ(SelectBlitter(16, 0), BlitCopy);
    EXPECT_NE(SelectBlitter(16, 1), BlitCopy);
    BlitScreen s32(8, 1, 32, 1, vector);
    EXPECT_EQ(SelectBlitter(32, 0), BlitCopy);
    EXPECT_NE(SelectBlitter(32, 1), BlitCopy);
  }
}

TEST(SelectBlitter, WithoutAScreenAnswersNullAndBlittersWriteNothing) {
  Blitter b;
  {
    BlitScreen s(8, 1, 8, 1, false);
    b = SelectBlitter(32, 0);
    ASSERT_NE(b, nullptr);
  }
  ASSERT_EQ(g_screen, nullptr);
  EXPECT_EQ(SelectBlitter(32, 0), nullptr);
  std::vector<uint8_t> surface(64, kUntouched);
  b(surface.data(), 32);
  EXPECT_EQ(surface, std::vector<uint8_t>(64, kUntouched));
}

// Every 16-bit value through the tables against the channel rules.
void ExpectLookupOrder(const uint32_t* lookup, bool red_low) {
  for (uint32_t p = 0; p < 0x10000; ++p) {
    const uint32_t r = (p >> 11) << 3, g = ((p >> 5) & 0x3F) << 2, b = (p & 0x1F) << 3;
    const uint32_t want = red_low ? (b << 16 | g << 8 | r) : (r << 16 | g << 8 | b);
    const uint32_t got = lookup[p & 0xFF] | lookup[256 + (p >> 8)];
    if (got != want) {
      ADD_FAILURE() << std::hex << "pixel " << p << " gives " << got << ", want " << want;
      return;
    }
  }
}

TEST(SelectBlitter, RebuildsTheLookupInTheLatestCallsOrder) {
  BlitScreen s(8, 1, 16, 1, false);
  SelectBlitter(32, 1);
  ExpectLookupOrder(s.lookup(), true);
  SelectBlitter(24, 0);
  ExpectLookupOrder(s.lookup(), false);
  SelectBlitter(12, 1);  // even a call that finds nothing rebuilds it
  ExpectLookupOrder(s.lookup(), true);
}

TEST(SelectBlitter, StaleSixteenBitBlitterFollowsTheLookupInBothFamilies) {
  std::mt19937 rng(5);
  for (int32_t dest_depth : {24, 32}) {
    BlitScreen s(64, 4, 16, 1, false);
    FillRandom(s, rng, 1.0);
    Blitter portable = SelectBlitter(dest_depth, 0);
    s.SetVector(true);
    Blitter vector = SelectBlitter(dest_depth, 0);
    SelectBlitter(dest_depth, 1);  // tables now in the other order
    Dest a = MakeDest(s.context(), dest_depth), b = MakeDest(s.context(), dest_depth);
    portable(a.bytes.data(), a.pitch);
    vector(b.bytes.data(), b.pitch);
    EXPECT_EQ(a.bytes, b.bytes);
    ExpectMatchesModel(s, a, dest_depth, true);
  }
}

}  // namespace

namespace {

TEST(CpuFeatures, VectorLevelsFormALadderFromSse2) {
  const BlitFamilyLevel* levels;
  const int32_t count = VectorFamilyLevels(&levels);
#if defined(__x86_64__) || defined(_M_X64)
  ASSERT_GT(count, 0);
  EXPECT_TRUE(levels[count - 1].supported) << "every x86-64 processor has SSE2";
#endif
  std::string seen;
  for (int32_t i = 0; i < count; ++i) {
    if (levels[i].supported) seen += std::string(" ") + levels[i].name;
    // A later instruction set implies the earlier ones on every real processor.
    if (i > 0 && levels[i - 1].supported) {
      EXPECT_TRUE(levels[i].supported) << levels[i].name;
    }
  }
  RecordProperty("vector_levels", seen);
  std::printf("vector levels:%s\n", seen.c_str());
}

}  // namespace
