// Encoder for the runtime's 12-bit LZW streams, the counterpart of LzwDecode.
// Used by the built-in data generator to pack the tables and by the unit tests
// and fuzzer for round trips; it is not part of the program itself.
#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lzw {

constexpr int kFirstDictCode = 256;
constexpr int kLastDictCode = 4094;
constexpr int kEndCode = 0xFFF;

// Packs 12-bit codes two to three bytes; a lone last code takes two bytes.
inline std::vector<uint8_t> PackCodes(const std::vector<uint16_t>& codes) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < codes.size(); i += 2) {
    uint16_t a = codes[i];
    out.push_back(static_cast<uint8_t>(a & 0xFF));
    if (i + 1 == codes.size()) {
      out.push_back(static_cast<uint8_t>(a >> 8));
      break;
    }
    uint16_t b = codes[i + 1];
    out.push_back(static_cast<uint8_t>((a >> 8) | (b & 0x0F) << 4));
    out.push_back(static_cast<uint8_t>(b >> 4));
  }
  return out;
}

// Greedy LZW: the longest known string, then a new entry made of it and the
// next byte while codes up to 4,094 remain. Ends with the end code. Empty input
// gives the end code alone.
inline std::vector<uint16_t> EncodeToCodes(const uint8_t* data, size_t size) {
  std::vector<uint16_t> codes;
  if (size == 0) {
    codes.push_back(kEndCode);
    return codes;
  }
  std::unordered_map<uint32_t, uint16_t> dict;  // (prefix << 8 | byte) -> code
  int next_free = kFirstDictCode;
  uint16_t current = data[0];
  for (size_t i = 1; i < size; ++i) {
    uint32_t key = static_cast<uint32_t>(current) << 8 | data[i];
    auto found = dict.find(key);
    if (found != dict.end()) {
      current = found->second;
      continue;
    }
    codes.push_back(current);
    if (next_free <= kLastDictCode) dict.emplace(key, static_cast<uint16_t>(next_free++));
    current = data[i];
  }
  codes.push_back(current);
  codes.push_back(kEndCode);
  return codes;
}

inline std::vector<uint8_t> Encode(const uint8_t* data, size_t size) {
  return PackCodes(EncodeToCodes(data, size));
}

inline std::vector<uint8_t> Encode(const std::vector<uint8_t>& data) {
  return Encode(data.data(), data.size());
}

}  // namespace lzw
