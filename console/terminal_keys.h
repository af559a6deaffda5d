// Decoding the bytes a Unix terminal sends for keys (characters, UTF-8, and the
// VT/xterm escape sequences) into console key records, so that the key codes
// come out exactly as a Windows console gives them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "console/key_translate.h"

enum class TerminalKeyStatus {
  kKey,       // record holds a key; used bytes are taken
  kSkip,      // used bytes give no key (an unknown sequence, an unmappable character)
  kNeedMore,  // the bytes are the start of a sequence; wait for more or for the timeout
  kEmpty,     // no bytes
};

struct TerminalKey {
  TerminalKeyStatus status;
  size_t used;
  ConsoleKeyRecord record;
};

// How long a lone Escape waits for the rest of a sequence.
constexpr int kEscapeTimeoutMs = 50;

// Decodes the first key in bytes. complete: no more bytes will come for a
// sequence (its timeout passed), so a lone Escape is the Escape key.
TerminalKey DecodeTerminalKey(const uint8_t* bytes, size_t length, bool complete);
