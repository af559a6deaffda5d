// LZW decoder: the stream format, the one-step-behind dictionary, and that no
// malformed stream makes it write past the capacity or read undefined entries.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "gfx/data/builtin_data.h"
#include "tools/lzw_encoder.h"

namespace {

constexpr uint8_t kGuard = 0xA5;
constexpr int kGuardBytes = 16;

struct Decoded {
  int32_t result;
  int32_t length;
  std::vector<uint8_t> bytes;
  bool guard_intact;
};

// Decodes into a buffer of exactly capacity bytes followed by guard bytes.
Decoded Decode(const std::vector<uint8_t>& src, int32_t capacity) {
  std::vector<uint8_t> buffer(static_cast<size_t>(capacity) + kGuardBytes, kGuard);
  Decoded d{};
  d.length = capacity;
  d.result = LzwDecode(src.data(), static_cast<int32_t>(src.size()), buffer.data(), &d.length);
  d.guard_intact = true;
  for (int i = 0; i < kGuardBytes; ++i)
    if (buffer[static_cast<size_t>(capacity) + i] != kGuard) d.guard_intact = false;
  if (d.length >= 0 && d.length <= capacity) buffer.resize(static_cast<size_t>(d.length));
  d.bytes = buffer;
  return d;
}

std::vector<uint8_t> Pack(const std::vector<uint16_t>& codes) { return lzw::PackCodes(codes); }

std::vector<uint8_t> Bytes(const char* text) {
  return std::vector<uint8_t>(text, text + std::char_traits<char>::length(text));
}

std::vector<uint8_t> RandomBytes(size_t size, int alphabet, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> pick(0, alphabet - 1);
  std::vector<uint8_t> out(size);
  for (auto& b : out) b = static_cast<uint8_t>(pick(rng));
  return out;
}

void ExpectRoundTrip(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> packed = lzw::Encode(data);
  Decoded d = Decode(packed, static_cast<int32_t>(data.size()));
  ASSERT_EQ(d.result, 0);
  EXPECT_EQ(d.length, static_cast<int32_t>(data.size()));
  EXPECT_TRUE(d.bytes == data);
  EXPECT_TRUE(d.guard_intact);
}

TEST(LzwDecode, CodeBeingDefinedRepeatsPreviousStringAndItsFirstByte) {
  const std::vector<uint8_t> packed = {0x61, 0x00, 0x10, 0xFF, 0x0F};  // 97, 256, 0xFFF
  EXPECT_EQ(Pack({97, 256, 0xFFF}), packed);
  Decoded d = Decode(packed, 8);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.bytes, Bytes("aaa"));

  // The same case after a dictionary entry exists: 'a', 'b', then entry 257.
  d = Decode(Pack({97, 98, 257, 0xFFF}), 8);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.bytes, Bytes("abbb"));
}

TEST(LzwDecode, DictionaryEntriesJoinPreviousCodeWithFirstByteOfNext) {
  // ab, then 256 = "ab", 257 = "ba", 258 = "aba"...
  Decoded d = Decode(Pack({97, 98, 256, 258, 0xFFF}), 32);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.bytes, Bytes("abababa"));
  EXPECT_EQ(lzw::EncodeToCodes(d.bytes.data(), d.bytes.size()),
            (std::vector<uint16_t>{97, 98, 256, 258, 0xFFF}));
}

TEST(LzwDecode, StreamsThatEndBadlyFail) {
  std::vector<uint8_t> packed = lzw::Encode(Bytes("abcabcabcabc"));
  std::vector<uint16_t> codes = lzw::EncodeToCodes(Bytes("abcabcabcabc").data(), 12);
  codes.pop_back();  // no end code
  EXPECT_EQ(Decode(Pack(codes), 64).result, -1);
  for (size_t cut = 1; cut < packed.size(); ++cut) {
    std::vector<uint8_t> truncated(packed.begin(), packed.begin() + static_cast<long>(cut));
    Decoded d = Decode(truncated, 64);
    EXPECT_EQ(d.result, -1) << "cut at " << cut;
    EXPECT_LE(d.length, 64);
  }
}

TEST(LzwDecode, CapacityIsNeverPassed) {
  const std::vector<uint8_t> data = RandomBytes(3000, 4, 7);
  const std::vector<uint8_t> packed = lzw::Encode(data);
  const int32_t size = static_cast<int32_t>(data.size());
  Decoded exact = Decode(packed, size);
  EXPECT_EQ(exact.result, 0);
  EXPECT_TRUE(exact.guard_intact);
  for (int32_t capacity : {size - 1, size / 2, 1, 0}) {
    Decoded d = Decode(packed, capacity);
    EXPECT_EQ(d.result, -1) << "capacity " << capacity;
    EXPECT_LE(d.length, capacity);
    EXPECT_TRUE(d.guard_intact) << "capacity " << capacity;
  }
  Decoded three = Decode({0x61, 0x00, 0x10, 0xFF, 0x0F}, 2);  // "aaa" into two bytes
  EXPECT_EQ(three.result, -1);
  EXPECT_TRUE(three.guard_intact);
}

TEST(LzwDecode, CodesNotYetDefinedAreCorrupt) {
  EXPECT_EQ(Decode(Pack({97, 257, 0xFFF}), 64).result, -1);       // next free is 256
  EXPECT_EQ(Decode(Pack({97, 98, 258, 0xFFF}), 64).result, -1);   // next free is 257
  EXPECT_EQ(Decode(Pack({97, 4094, 0xFFF}), 64).result, -1);
  EXPECT_EQ(Decode(Pack({256, 0xFFF}), 64).result, -1);           // first code must be a byte
  EXPECT_EQ(Decode(Pack({4094, 97, 0xFFF}), 64).result, -1);
}

TEST(LzwDecode, RejectsMissingOrEmptyArguments) {
  const std::vector<uint8_t> packed = lzw::Encode(Bytes("abc"));
  uint8_t out[8];
  int32_t length = 8;
  EXPECT_EQ(LzwDecode(packed.data(), 0, out, &length), -1);
  length = 8;
  EXPECT_EQ(LzwDecode(nullptr, 3, out, &length), -1);
  length = 8;
  EXPECT_EQ(LzwDecode(packed.data(), -1, out, &length), -1);
  length = -1;
  EXPECT_EQ(LzwDecode(packed.data(), static_cast<int32_t>(packed.size()), out, &length), -1);
  EXPECT_EQ(LzwDecode(packed.data(), static_cast<int32_t>(packed.size()), out, nullptr), -1);
  length = 8;
  EXPECT_EQ(LzwDecode(packed.data(), static_cast<int32_t>(packed.size()), nullptr, &length), -1);
  Decoded one_byte = Decode({0x61}, 8);  // half a code
  EXPECT_EQ(one_byte.result, -1);
}

TEST(LzwDecode, EndCodeAloneIsAnEmptyStream) {
  EXPECT_EQ(lzw::Encode(std::vector<uint8_t>{}), (std::vector<uint8_t>{0xFF, 0x0F}));
  Decoded d = Decode({0xFF, 0x0F}, 0);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.length, 0);
}

TEST(LzwRoundTrip, RandomDataOfManySizes) {
  for (size_t size : {1u, 2u, 3u, 4u, 17u, 255u, 1000u}) ExpectRoundTrip(RandomBytes(size, 256, 1));
  ExpectRoundTrip(RandomBytes(20000, 256, 2));
  ExpectRoundTrip(RandomBytes(20000, 3, 3));
}

TEST(LzwRoundTrip, DataThatFillsTheDictionary) {
  // Enough codes that the encoder makes entry 4,094 and goes on with a frozen
  // dictionary; the stream must use the last entry to prove the decoder has it.
  std::vector<uint8_t> data = RandomBytes(60000, 16, 4);
  std::vector<uint16_t> codes = lzw::EncodeToCodes(data.data(), data.size());
  ASSERT_GT(codes.size(), 4094u);
  bool last_entry_used = false;
  for (uint16_t c : codes) last_entry_used |= (c == 4094);
  EXPECT_TRUE(last_entry_used);
  for (uint16_t c : codes) ASSERT_LE(c, 0xFFF);
  ExpectRoundTrip(data);
}

TEST(LzwRoundTrip, LongRunsMakeTheLongestStrings) {
  // A run of one byte grows each entry by one byte: 8 million bytes fill the
  // dictionary, and the last entry spells a string of 3,840 bytes.
  const std::vector<uint8_t> run(8000000, 0x41);
  std::vector<uint16_t> codes = lzw::EncodeToCodes(run.data(), run.size());
  EXPECT_EQ(codes[codes.size() - 3], 4094);
  ExpectRoundTrip(run);
  std::vector<uint8_t> mixed(200000, 0);
  for (size_t i = 0; i < mixed.size(); i += 9973) mixed[i] = 1;
  ExpectRoundTrip(mixed);
}

}  // namespace
