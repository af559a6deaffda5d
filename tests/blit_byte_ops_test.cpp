// The vector byte copy and fill against memcpy and memset, and MMX detection.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gfx/blitters/blitter.h"

namespace {

constexpr size_t kPad = 16;

// Every length up to 70, and some around the 128-byte steps of the wide path.
std::vector<size_t> Lengths() {
  std::vector<size_t> n;
  for (size_t i = 0; i <= 70; ++i) n.push_back(i);
  for (size_t i : {127u, 128u, 129u, 135u, 255u, 256u, 263u, 391u}) n.push_back(i);
  return n;
}

TEST(SimdByteOps, CopyEqualsMemcpyForEveryLengthAndAlignment) {
  std::vector<uint8_t> src(400);
  for (size_t i = 0; i < src.size(); ++i) src[i] = static_cast<uint8_t>(i * 7 + 3);
  for (size_t n : Lengths())
    for (size_t dst_off = 0; dst_off < 8; ++dst_off)
      for (size_t src_off : {0u, 1u, 3u, 6u}) {
        std::vector<uint8_t> got(n + 2 * kPad, 0xEE), want(n + 2 * kPad, 0xEE);
        void* r = SimdByteCopy(got.data() + kPad + dst_off, src.data() + src_off, n);
        std::memcpy(want.data() + kPad + dst_off, src.data() + src_off, n);
        EXPECT_EQ(r, got.data() + kPad + dst_off);
        ASSERT_EQ(got, want) << "n " << n << " dst +" << dst_off << " src +" << src_off;
      }
}

TEST(SimdByteOps, FillEqualsMemsetForEveryLengthAndAlignment) {
  for (size_t n : Lengths())
    for (size_t off = 0; off < 8; ++off)
      for (int value : {0x00, 0x5A, 0x1FF, -1}) {
        std::vector<uint8_t> got(n + 2 * kPad, 0xEE), want(n + 2 * kPad, 0xEE);
        void* r = SimdByteFill(got.data() + kPad + off, value, n);
        std::memset(want.data() + kPad + off, value, n);
        EXPECT_EQ(r, got.data() + kPad + off);
        ASSERT_EQ(got, want) << "n " << n << " +" << off << " value " << value;
      }
}

TEST(SimdByteOps, LongRowsCopyAndFillWhole) {
  for (size_t n : {639u, 1280u, 2560u, 5121u}) {
    std::vector<uint8_t> src(n), got(n + 1, 0), want(n + 1, 0);
    for (size_t i = 0; i < n; ++i) src[i] = static_cast<uint8_t>(i ^ (i >> 8));
    SimdByteCopy(got.data(), src.data(), n);
    std::memcpy(want.data(), src.data(), n);
    EXPECT_EQ(got, want) << n;
    SimdByteFill(got.data() + 1, 0x33, n);
    std::memset(want.data() + 1, 0x33, n);
    EXPECT_EQ(got, want) << n;
  }
}

TEST(CpuFeatures, EveryX8664ProcessorHasMmx) {
#if defined(__x86_64__) || defined(_M_X64)
  EXPECT_EQ(CpuHasMmx(), 1);
#else
  EXPECT_EQ(CpuHasMmx(), 0);
#endif
}

}  // namespace

namespace {

// Text scrolling moves a page's rows up onto earlier rows of the same page.
TEST(SimdByteOps, CopyOntoAnEarlierOverlappingAreaEqualsMemmove) {
  for (size_t shift : {1u, 3u, 8u, 17u, 64u})
    for (size_t n : {5u, 63u, 200u, 1000u}) {
      std::vector<uint8_t> got(n + shift), want(n + shift);
      for (size_t i = 0; i < got.size(); ++i) got[i] = want[i] = static_cast<uint8_t>(i * 13 + 1);
      SimdByteCopy(got.data(), got.data() + shift, n);
      std::memmove(want.data(), want.data() + shift, n);
      ASSERT_EQ(got, want) << "shift " << shift << " n " << n;
    }
}

}  // namespace
