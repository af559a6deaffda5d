// Fuzzes the input statement: arbitrary bytes typed as keyboard lines, split
// into fields and converted by every Input* operation, plus the bare
// conversions. The first bytes choose the operations; the rest is the input.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "console/console.h"
#include "console/input_internal.h"
#include "console/number_parse.h"

namespace {

const uint8_t* g_text = nullptr;
size_t g_size = 0;
size_t g_position = 0;

// fgets over the fuzzer's bytes.
char* FuzzReadLine(char* buffer, int32_t size) {
  if (g_position >= g_size || size < 2) return nullptr;
  int32_t n = 0;
  while (n + 1 < size && g_position < g_size) {
    char c = static_cast<char>(g_text[g_position++]);
    buffer[n++] = c;
    if (c == '\n') break;
  }
  buffer[n] = 0;
  return buffer;
}

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void RunOperation(uint8_t op) {
  switch (op % 9) {
    case 0: { uint8_t v; InputByte(&v); break; }
    case 1: { int16_t v; InputShort(&v); break; }
    case 2: { int32_t v; InputInt(&v); break; }
    case 3: { int64_t v; InputLong(&v); break; }
    case 4: { float v; InputSingle(&v); break; }
    case 5: { double v; InputDouble(&v); break; }
    case 6: {
      RtString s = {};
      InputString(&s, kVariableLength, 0);
      Check(RtLength(&s) <= static_cast<uint32_t>(kFieldString));
      RtClear(&s);
      break;
    }
    case 7: {
      char fixed[9];
      InputString(fixed, sizeof fixed, op & 0x10);
      Check(std::strlen(fixed) < sizeof fixed);
      break;
    }
    default: {
      int32_t limit = 1 + (op >> 4);
      std::vector<char> field(static_cast<size_t>(limit) + 1, '\x7F');
      InputField(field.data(), limit, (op & 8) != 0);
      Check(std::strlen(field.data()) <= static_cast<size_t>(limit));
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kOps = 8;
  if (size < kOps) return 0;
  ConsoleHooks saved = g_console_hooks;
  g_console_hooks.read_line = FuzzReadLine;
  g_text = data + kOps;
  g_size = size - kOps;
  g_position = 0;

  int temps = RtTempInUse();
  for (int line = 0; line < 3; ++line) {
    InputBegin(RtSharedEmpty(), 0, -1);
    Check(RtLength(InputLineText()) <= g_size);
    for (size_t i = 0; i < kOps; ++i) RunOperation(data[i]);
    Check(ReadInputChar() >= -1);
  }
  Check(RtTempInUse() == temps);

  std::vector<char> text(data + kOps, data + size);
  text.push_back(0);
  ParseInt32(text.data());
  ParseInt64(text.data());
  ParseDouble(text.data());
  g_console_hooks = saved;
  return 0;
}
