// Decoder for the runtime's 12-bit LZW streams (two codes in three bytes, code
// 0xFFF ends the stream, no reset code, the dictionary stops growing at 4,094).
// Input is untrusted as far as this file is concerned: every code is checked
// before use and nothing is written past the caller's capacity.
#include "gfx/data/builtin_data.h"

#include <cstring>

namespace {

constexpr int kFirstDictCode = 256;
constexpr int kLastDictCode = 4094;
constexpr int kEndCode = 0xFFF;
constexpr int kMaxStringLength = 4095;

struct CodeReader {
  const uint8_t* src;
  int32_t len;
  int32_t index;  // number of codes read so far
};

// Reads the next 12-bit code; -1 when the input ends before the code is complete.
int NextCode(CodeReader* r) {
  int32_t group = r->index / 2 * 3;
  bool second = (r->index % 2) != 0;
  int32_t needed = group + (second ? 3 : 2);
  if (needed > r->len || needed < 0) return -1;
  r->index++;
  const uint8_t* b = r->src + group;
  if (!second) return b[0] | (b[1] & 0x0F) << 8;
  return b[1] >> 4 | b[2] << 4;
}

struct Dictionary {
  uint16_t prefix[kLastDictCode + 1];
  uint8_t byte[kLastDictCode + 1];
  int next_free;
};

// Spells the string of a defined code so that it ends just before scratch[end];
// returns its length and start, or 0 when the chain is longer than any legal string.
int SpellCode(const Dictionary& dict, int code, uint8_t* scratch, int end, const uint8_t** start) {
  int pos = end;
  while (code >= kFirstDictCode) {
    if (end - pos >= kMaxStringLength - 1) return 0;
    scratch[--pos] = dict.byte[code];
    code = dict.prefix[code];
  }
  scratch[--pos] = static_cast<uint8_t>(code);
  *start = scratch + pos;
  return end - pos;
}

bool Emit(const uint8_t* bytes, int count, uint8_t* dest, int32_t capacity, int32_t* written) {
  if (count > capacity - *written) return false;
  std::memcpy(dest + *written, bytes, static_cast<size_t>(count));
  *written += count;
  return true;
}

// The string of code c, or 0 when c is corrupt. A code equal to the next free one
// is the entry this very step defines: old's string followed by its own first byte.
int StringOfCode(const Dictionary& dict, int code, int old, uint8_t first, uint8_t* scratch,
                 const uint8_t** text) {
  if (code < dict.next_free) return SpellCode(dict, code, scratch, kMaxStringLength + 1, text);
  if (code != dict.next_free) return 0;  // an entry that does not exist yet
  int length = SpellCode(dict, old, scratch, kMaxStringLength, text);
  if (length == 0 || length + 1 > kMaxStringLength) return 0;
  scratch[kMaxStringLength] = first;
  return length + 1;
}

// Decodes the codes after the first; 0 on the end code, -1 on anything else.
int32_t DecodeRest(CodeReader* reader, int old, uint8_t first, uint8_t* dest,
                   int32_t capacity, int32_t* written) {
  Dictionary dict;
  uint8_t scratch[kMaxStringLength + 1];
  dict.next_free = kFirstDictCode;
  for (;;) {
    int code = NextCode(reader);
    if (code < 0) return -1;
    if (code == kEndCode) return 0;
    const uint8_t* text = nullptr;
    int length = StringOfCode(dict, code, old, first, scratch, &text);
    if (length == 0) return -1;
    first = text[0];
    if (!Emit(text, length, dest, capacity, written)) return -1;
    if (dict.next_free <= kLastDictCode) {
      dict.prefix[dict.next_free] = static_cast<uint16_t>(old);
      dict.byte[dict.next_free] = first;
      dict.next_free++;
    }
    old = code;
  }
}

}  // namespace

int32_t LzwDecode(const uint8_t* src, int32_t src_len, uint8_t* dest, int32_t* dest_len) {
  if (dest_len == nullptr) return -1;
  int32_t capacity = *dest_len;
  *dest_len = 0;
  if (src == nullptr || src_len <= 0 || capacity < 0 || (dest == nullptr && capacity > 0))
    return -1;
  CodeReader reader{src, src_len, 0};
  int code = NextCode(&reader);
  if (code == kEndCode) return 0;  // an empty stream
  if (code < 0 || code >= kFirstDictCode) return -1;
  uint8_t first = static_cast<uint8_t>(code);
  int32_t written = 0;
  if (!Emit(&first, 1, dest, capacity, &written)) return -1;
  int32_t result = DecodeRest(&reader, code, first, dest, capacity, &written);
  *dest_len = written;
  return result;
}
