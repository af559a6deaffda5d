// Reading whole lines for the input statement: prompt, chunked reading through
// the read_line hook, line-end stripping, and the cursor put back after the
// typed text when asked.
#include <cstring>

#include "console/console.h"
#include "console/input.h"
#include "console/input_source.h"
#include "console/print.h"
#include "console/runtime_internal.h"

namespace {

constexpr int32_t kChunkSize = 1024;  // one read takes at most 1023 bytes

bool g_line_hit_end = false;   // the last InputLine met the end at once
bool g_begin_hit_end = false;  // the same for the last InputBegin

// Assigns (first chunk) or appends bytes to a destination of the given size.
void StoreChunk(void* destination, int32_t size, const char* bytes, uint32_t n, bool first) {
  if (size == kVariableLength) {
    RtString* s = static_cast<RtString*>(destination);
    if (first) {
      RtAssignBytes(s, bytes, n);
    } else {
      RtAppendBytes(s, bytes, n);
    }
    return;
  }
  if (size <= 0) return;
  char* buffer = static_cast<char*>(destination);
  size_t used = first ? 0 : std::strlen(buffer);
  size_t room = static_cast<size_t>(size) - 1 - used;
  size_t take = n < room ? n : room;
  std::memcpy(buffer + used, bytes, take);
  buffer[used + take] = 0;
}

// Pads a fixed-size destination with blanks once the whole line is in.
void PadFixed(void* destination, int32_t size) {
  if (size <= 0) return;
  char* buffer = static_cast<char*>(destination);
  size_t used = std::strlen(buffer);
  std::memset(buffer + used, ' ', static_cast<size_t>(size) - 1 - used);
  buffer[size - 1] = 0;
}

void EmptyDestination(void* destination, int32_t size) {
  if (size == kVariableLength) {
    RtClear(static_cast<RtString*>(destination));
  } else if (size > 0) {
    static_cast<char*>(destination)[0] = 0;
  }
}

// Strips one line end (CR, LF or CR LF) from the chunk; returns the new length.
uint32_t StripLineEnd(char* chunk, uint32_t n) {
  if (n == 0) return 0;
  char last = chunk[n - 1];
  if (last != '\n' && last != '\r') return n;
  --n;
  if (last == '\n' && n >= 1 && chunk[n - 1] == '\r') --n;
  chunk[n] = 0;
  return n;
}

// Reads chunks until a line end; returns the total length, or -1 when the end of
// input came before anything was read.
int64_t ReadChunks(FILE* stream, void* destination, int32_t size, int32_t fill) {
  char chunk[kChunkSize];
  int64_t total = 0;
  for (;;) {
    if (!ReadLine(chunk, kChunkSize, stream)) {
      if (total == 0) {
        EmptyDestination(destination, size);
        return -1;
      }
      break;
    }
    uint32_t raw = static_cast<uint32_t>(std::strlen(chunk));
    uint32_t n = StripLineEnd(chunk, raw);
    StoreChunk(destination, size, chunk, n, total == 0);
    total += n;
    if (n != kChunkSize - 1) break;
  }
  if (fill && size != kVariableLength) PadFixed(destination, size);
  return total;
}

}  // namespace

int32_t InputLine(int32_t file_number, RtString* prompt, void* destination, int32_t size,
                  int32_t fill, int32_t question, int32_t newline) {
  g_line_hit_end = false;
  if (static_cast<uint32_t>(file_number) > static_cast<uint32_t>(kFileCount)) {
    RtRelease(prompt);
    return SetLastErrorCode(kErrorBadArgument);
  }
  FILE* stream = file_number == 0 ? stdin : FileStream(file_number);
  if (!stream) {
    RtRelease(prompt);
    return SetLastErrorCode(kErrorBadArgument);
  }
  int32_t start_column = 0;
  if (file_number != 0) RtRelease(prompt);  // a file takes no prompt
  if (file_number == 0) {
    if (prompt) {
      PrintString(0, prompt, 0);
      if (question) PrintCString(0, "? ", 0);
    }
    if (newline == 0) CursorPosition(&start_column, nullptr);
  }
  int64_t total = ReadChunks(stream, destination, size, fill);
  if (total < 0) {
    g_line_hit_end = true;
    total = 0;
  }
  if (file_number == 0 && newline == 0) {
    int32_t width = 0;
    TextSize(&width, nullptr);
    int32_t offset = width > 0 ? static_cast<int32_t>(total % width) : static_cast<int32_t>(total);
    Locate(CursorRow() - 1, start_column + offset, -1);
  }
  return SetLastErrorCode(kErrorNone);
}

int32_t LineInputFromFile(int32_t file_number, void* destination, int32_t size, int32_t fill) {
  return InputLine(file_number, nullptr, destination, size, fill, 0, 0);
}

int32_t InputBegin(RtString* prompt, int32_t question, int32_t newline) {
  InputSourceUseLine();
  int32_t code = InputLine(0, prompt, InputLineVariable(), kVariableLength, 0, question, newline);
  g_begin_hit_end = g_line_hit_end;
  return code;
}

bool InputReachedEnd() { return g_begin_hit_end; }

int32_t InputFromFile(int32_t file_number) {
  FILE* stream = FileStream(file_number);
  if (!stream) return SetLastErrorCode(kErrorBadArgument);
  InputSourceUseFile(stream);
  return SetLastErrorCode(kErrorNone);
}
