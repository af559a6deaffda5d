// The counted string and its pool of 256 temporary descriptors.
#include "console/rt_string.h"

#include <cstdlib>
#include <cstring>

#include "console/rt_string_internal.h"
#include "console/runtime_internal.h"

namespace {

RtString g_shared_empty = {nullptr, 0, 0};
RtString g_pool[kRtTempPoolSize];
bool g_pool_used[kRtTempPoolSize];
int g_pool_in_use = 0;
bool g_exhaustion_told = false;

// A program that keeps every string it is given finds keys no longer arriving
// and texts gone empty, with nothing to say why: tell it, once.
void TellPoolExhausted() {
  if (g_exhaustion_told) return;
  g_exhaustion_told = true;
  RuntimeDiagnostic(
      "tavrel: all 256 temporary strings are in use, so ReadKey and every other call "
      "that returns a string now returns an empty one; release each string such a "
      "call returns with RtRelease, or hand it to RtAssign, PrintString or "
      "CharCodeAt, which release it");
}

RtString* TakeDescriptor() {
  for (int i = 0; i < kRtTempPoolSize; ++i) {
    if (!g_pool_used[i]) {
      g_pool_used[i] = true;
      ++g_pool_in_use;
      return &g_pool[i];
    }
  }
  TellPoolExhausted();
  return nullptr;
}

int PoolIndex(const RtString* s) {
  if (s < g_pool || s >= g_pool + kRtTempPoolSize) return -1;
  return static_cast<int>(s - g_pool);
}

// Makes room for length bytes plus the terminator; false when memory runs out.
bool Reserve(RtString* s, uint32_t length) {
  if (s->data && s->capacity > length) return true;
  uint32_t want = length + 1;
  char* grown = static_cast<char*>(std::realloc(s->data, want));
  if (!grown) return false;
  s->data = grown;
  s->capacity = want;
  return true;
}

}  // namespace

RtString* RtSharedEmpty() { return &g_shared_empty; }

RtString* RtTempFromBytes(const void* bytes, uint32_t length) {
  length &= ~kRtTempFlag;
  if (length == 0) return &g_shared_empty;
  char* buffer = static_cast<char*>(std::malloc(length + 1));
  if (!buffer) return &g_shared_empty;
  RtString* s = TakeDescriptor();
  if (!s) {
    std::free(buffer);
    return &g_shared_empty;
  }
  std::memcpy(buffer, bytes, length);
  buffer[length] = 0;
  *s = {buffer, length | kRtTempFlag, length + 1};
  return s;
}

RtString* RtTempFromCString(const char* text) {
  return text ? RtTempFromBytes(text, static_cast<uint32_t>(std::strlen(text))) : &g_shared_empty;
}

void RtRelease(RtString* s) {
  int index = PoolIndex(s);
  if (index < 0 || !g_pool_used[index]) return;
  std::free(s->data);
  *s = {nullptr, 0, 0};
  g_pool_used[index] = false;
  --g_pool_in_use;
}

void RtClear(RtString* s) {
  if (!s || s == &g_shared_empty) return;
  if (RtIsTemp(s)) {
    RtRelease(s);
    return;
  }
  std::free(s->data);
  *s = {nullptr, 0, 0};
}

void RtAssign(RtString* dst, RtString* src) {
  if (dst == src) return;
  if (RtIsTemp(src) && PoolIndex(src) >= 0) {
    std::free(dst->data);
    *dst = {src->data, RtLength(src), src->capacity};
    *src = {nullptr, kRtTempFlag, 0};  // the buffer now belongs to dst
    RtRelease(src);
    return;
  }
  RtAssignBytes(dst, src ? src->data : nullptr, RtLength(src));
}

void RtAssignBytes(RtString* dst, const void* bytes, uint32_t length) {
  length &= ~kRtTempFlag;
  if (length == 0 || !bytes) {
    RtClear(dst);
    return;
  }
  if (!Reserve(dst, length)) return;
  std::memmove(dst->data, bytes, length);
  dst->data[length] = 0;
  dst->length = length;
}

void RtAppendBytes(RtString* dst, const void* bytes, uint32_t length) {
  length &= ~kRtTempFlag;
  if (length == 0 || !bytes) return;
  uint32_t old = RtLength(dst);
  if (!Reserve(dst, old + length)) return;
  std::memcpy(dst->data + old, bytes, length);
  dst->data[old + length] = 0;
  dst->length = old + length;
}

bool RtEqualsText(const RtString* s, const char* text) {
  uint32_t n = RtLength(s);
  size_t m = text ? std::strlen(text) : 0;
  if (n != m) return false;
  return n == 0 || std::memcmp(s->data, text, n) == 0;
}

int RtTempInUse() { return g_pool_in_use; }

void RtForgetExhaustionTold() { g_exhaustion_told = false; }
