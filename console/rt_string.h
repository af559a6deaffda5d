/// \file
/// The runtime's counted byte string, RtString, and the rule of who owns one.
///
/// **Ownership.** An RtString the runtime returns (ReadKey's key, for one) is a
/// *temporary*: one of 256 descriptors of a fixed pool, marked by the top bit of
/// its length (RtIsTemp). A temporary is released by the operation that consumes
/// it: RtAssign (which takes its buffer over), RtRelease, RtClear, PrintString,
/// CharCodeAt and the prompt of InputBegin and InputLine all do. A program that
/// keeps a temporary without handing it to one of them must release it with
/// RtRelease. While all 256 are in use, every operation that would return a new
/// temporary returns the shared empty string instead (RtSharedEmpty), so
/// ReadKey, for one, then reports no key; the runtime says so once per process
/// through its diagnostics (RuntimeSetDiagnosticHandler).
///
/// A *variable* is an RtString the program owns (zero-initialise it: `RtString
/// s = {};`); RtAssign, RtAssignBytes and RtAppendBytes fill it, RtClear frees
/// its buffer. The pool is not locked: use strings on the program's thread only.
#pragma once
#include <cstdint>

/// A counted byte string: a temporary the runtime hands out, or a variable the
/// program owns.
struct RtString {
  char* data;         ///< NUL-terminated buffer of at least length + 1 bytes, or null for no data.
  uint32_t length;    ///< Low 31 bits: the byte count (bytes may include 0); top bit (kRtTempFlag): a temporary.
  uint32_t capacity;  ///< Bytes allocated for data.
};

/// The bit of RtString::length that marks a temporary.
constexpr uint32_t kRtTempFlag = 0x80000000u;
/// The number of temporary descriptors in the pool.
constexpr int kRtTempPoolSize = 256;

/// The byte count of a string.
/// \param s a string, or null.
/// \return the length without the temporary bit; 0 for null.
inline uint32_t RtLength(const RtString* s) { return s ? (s->length & ~kRtTempFlag) : 0; }

/// Whether a string is a temporary that the program must hand on or release.
/// \param s a string, or null.
/// \return true for a temporary, false for a variable, the shared empty string or null.
inline bool RtIsTemp(const RtString* s) { return s && (s->length & kRtTempFlag) != 0; }

/// The one empty string shared by every operation that has no descriptor to
/// give. It is neither a temporary nor the caller's; releasing it does nothing.
/// \return the shared empty string (length 0, no data).
RtString* RtSharedEmpty();

/// A new temporary holding a copy of some bytes.
/// \param bytes the bytes to copy (length of them).
/// \param length the byte count; the top bit is ignored.
/// \return a temporary the caller owns until it hands it on or releases it
///   (RtRelease); the shared empty string when length is 0, memory runs out or
///   all 256 temporaries are in use (the last told once through the runtime's
///   diagnostics).
RtString* RtTempFromBytes(const void* bytes, uint32_t length);

/// A new temporary holding a copy of a NUL-terminated text.
/// \param text the text, or null for none.
/// \return as RtTempFromBytes: a temporary the caller must hand on or release,
///   or the shared empty string for a null or empty text or an exhausted pool.
RtString* RtTempFromCString(const char* text);

/// Releases a temporary: frees its buffer and gives its descriptor back to the
/// pool. Variables, the shared empty string and null are left alone.
/// \param s the string to release, or null.
void RtRelease(RtString* s);

/// Assignment to a variable. A temporary source hands its buffer over to the
/// destination and is released; any other source is copied.
/// \param dst the variable that receives the text; its old buffer is freed.
/// \param src the source: a temporary (consumed), a variable or null (empties dst).
void RtAssign(RtString* dst, RtString* src);

/// Sets a variable to a copy of some bytes.
/// \param dst the variable.
/// \param bytes the bytes to copy, or null (empties dst).
/// \param length the byte count (0 empties dst); the top bit is ignored.
void RtAssignBytes(RtString* dst, const void* bytes, uint32_t length);

/// Appends a copy of some bytes to a variable. When memory runs out the
/// variable is left as it was.
/// \param dst the variable.
/// \param bytes the bytes to append, or null (nothing happens).
/// \param length the byte count; the top bit is ignored.
void RtAppendBytes(RtString* dst, const void* bytes, uint32_t length);

/// Empties a string: frees a variable's buffer, or releases a temporary.
/// \param s the string, the shared empty string or null (both left alone).
void RtClear(RtString* s);

/// Whole-string comparison with a NUL-terminated text. Consumes nothing: a
/// temporary passed here is still the caller's to release.
/// \param s the string, or null (taken as empty).
/// \param text the text, or null (taken as empty).
/// \return true when both hold the same bytes (a string that holds a 0 byte
///   never equals a text).
bool RtEqualsText(const RtString* s, const char* text);

/// The temporaries currently handed out and not yet released: a leak check for
/// programs and tests.
/// \return 0 to kRtTempPoolSize.
int RtTempInUse();
