// The runtime's counted byte string. Results handed between the game and the
// runtime are temporaries from a fixed pool; assigning one to a variable takes
// over its buffer instead of copying it.
#pragma once
#include <cstdint>

struct RtString {
  char* data;         // NUL-terminated buffer, or null for no data
  uint32_t length;    // low 31 bits: byte count; top bit: temporary
  uint32_t capacity;  // bytes allocated for data
};

constexpr uint32_t kRtTempFlag = 0x80000000u;
constexpr int kRtTempPoolSize = 256;

inline uint32_t RtLength(const RtString* s) { return s ? (s->length & ~kRtTempFlag) : 0; }
inline bool RtIsTemp(const RtString* s) { return s && (s->length & kRtTempFlag) != 0; }

// The one empty string shared by every operation that has no descriptor to give.
RtString* RtSharedEmpty();

// A temporary holding a copy of the bytes; the shared empty string when the pool
// is exhausted, the length is 0 or memory runs out.
RtString* RtTempFromBytes(const void* bytes, uint32_t length);
RtString* RtTempFromCString(const char* text);

// Gives a temporary's buffer and descriptor back; variables and the shared empty
// string are left alone.
void RtRelease(RtString* s);

// Assignment to a variable: a temporary source hands over its buffer and is
// released, any other source is copied.
void RtAssign(RtString* dst, RtString* src);
void RtAssignBytes(RtString* dst, const void* bytes, uint32_t length);
void RtAppendBytes(RtString* dst, const void* bytes, uint32_t length);

// Frees a variable's buffer and leaves it empty.
void RtClear(RtString* s);

// Whole-string comparison with a NUL-terminated text; consumes nothing.
bool RtEqualsText(const RtString* s, const char* text);

// Descriptors of the pool currently handed out (for leak checks in tests).
int RtTempInUse();
