// Fields of the input statement: the character source, the field splitter with
// its quote, comma, blank and limit rules, and the conversions of each field.
#include <cfloat>
#include <cmath>
#include <cstring>

#include "console/input_internal.h"
#include "console/input_source.h"
#include "console/number_parse.h"
#include "console/runtime.h"

namespace {

FILE* g_input_file = nullptr;  // null: fields come from g_input_line
RtString g_input_line = {nullptr, 0, 0};
int32_t g_input_pos = 0;

constexpr int32_t kEnd = -1;

// Doubles beyond the single range become infinities, as the processor's
// conversion gives them, rather than an undefined conversion.
float ToSingle(double value) {
  if (value > FLT_MAX) return HUGE_VALF;
  if (value < -FLT_MAX) return -HUGE_VALF;
  return static_cast<float>(value);
}

bool IsBlank(int32_t c) { return c == ' ' || c == '\t'; }

// After a closing quote in string mode: blanks, then one separator.
void SkipAfterClosingQuote(int32_t c) {
  while (IsBlank(c)) c = ReadInputChar();
  if (c == ',' || c == kEnd) return;
  if (c == '\r') {
    int32_t next = ReadInputChar();
    if (next != '\n' && next != kEnd) UnreadInputChar(next);
    return;
  }
  UnreadInputChar(c);
}

}  // namespace

void InputSourceUseLine() {
  g_input_file = nullptr;
  g_input_pos = 0;
}

void InputSourceUseFile(FILE* stream) {
  g_input_file = stream;
  g_input_pos = 0;
  RtClear(&g_input_line);
}

RtString* InputLineVariable() { return &g_input_line; }
const RtString* InputLineText() { return &g_input_line; }

int32_t ReadInputChar() {
  if (g_input_file) {
    int c = std::fgetc(g_input_file);
    return c == EOF ? kEnd : c;
  }
  if (g_input_pos < 0 || static_cast<uint32_t>(g_input_pos) >= RtLength(&g_input_line)) return kEnd;
  return static_cast<uint8_t>(g_input_line.data[g_input_pos++]);
}

int32_t UnreadInputChar(int32_t c) {
  if (g_input_file) return std::ungetc(c, g_input_file) == EOF ? 0 : 1;
  if (g_input_pos <= 0) return 0;
  --g_input_pos;
  return 1;
}

void InputField(char* buffer, int32_t limit, bool string_mode) {
  int32_t c = ReadInputChar();
  while (IsBlank(c) || c == '\n' || c == '\r') c = ReadInputChar();
  int32_t count = 0;
  bool quoted = false, closed = false;
  while (c != kEnd) {
    bool store = false, ends = false;
    if (IsBlank(c)) {
      if (count == 0) {
        store = string_mode && quoted;
      } else {
        store = string_mode || quoted;
        ends = !store;
      }
    } else if (c == '\n') {
      ends = true;
    } else if (c == '\r') {
      int32_t next = ReadInputChar();
      if (next != '\n' && next != kEnd) UnreadInputChar(next);
      ends = true;
    } else if (c == '"') {
      if (quoted) {
        quoted = false;
        if (string_mode) {
          c = ReadInputChar();
          closed = true;
          break;
        }
      } else {
        store = count > 0;
        quoted = count == 0;
      }
    } else if (c == ',') {
      store = quoted;
      ends = !quoted;
    } else {
      store = true;
    }
    if (ends) break;
    if (store && count < limit) buffer[count++] = static_cast<char>(c);
    if (count >= limit) break;
    c = ReadInputChar();
  }
  buffer[count] = 0;
  if (closed) SkipAfterClosingQuote(c);
}

int32_t InputByte(uint8_t* destination) {
  char field[kFieldByte + 1];
  InputField(field, kFieldByte, false);
  *destination = static_cast<uint8_t>(ParseInt32(field) & 0xFF);
  return SetLastErrorCode(kErrorNone);
}

int32_t InputShort(int16_t* destination) {
  char field[kFieldShort + 1];
  InputField(field, kFieldShort, false);
  *destination = static_cast<int16_t>(static_cast<uint16_t>(ParseInt32(field) & 0xFFFF));
  return SetLastErrorCode(kErrorNone);
}

int32_t InputInt(int32_t* destination) {
  char field[kFieldInt + 1];
  InputField(field, kFieldInt, false);
  *destination = ParseInt32(field);
  return SetLastErrorCode(kErrorNone);
}

int32_t InputLong(int64_t* destination) {
  char field[kFieldLong + 1];
  InputField(field, kFieldLong, false);
  *destination = ParseInt64(field);
  return SetLastErrorCode(kErrorNone);
}

int32_t InputSingle(float* destination) {
  char field[kFieldSingle + 1];
  InputField(field, kFieldSingle, false);
  *destination = ToSingle(ParseDouble(field));
  return SetLastErrorCode(kErrorNone);
}

int32_t InputDouble(double* destination) {
  char field[kFieldDouble + 1];
  InputField(field, kFieldDouble, false);
  *destination = ParseDouble(field);
  return SetLastErrorCode(kErrorNone);
}

int32_t InputString(void* destination, int32_t size, int32_t fill) {
  char field[kFieldString + 1];
  InputField(field, kFieldString, true);
  uint32_t n = static_cast<uint32_t>(std::strlen(field));
  if (size == kVariableLength) {
    RtAssignBytes(static_cast<RtString*>(destination), field, n);
  } else if (size > 0) {
    char* buffer = static_cast<char*>(destination);
    uint32_t room = static_cast<uint32_t>(size) - 1;
    uint32_t take = n < room ? n : room;
    std::memcpy(buffer, field, take);
    if (fill) std::memset(buffer + take, ' ', room - take);
    buffer[fill ? room : take] = 0;
  }
  return SetLastErrorCode(kErrorNone);
}
