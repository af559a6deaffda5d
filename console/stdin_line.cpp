// Line assembly from a console's cooked input bytes.
#include "console/stdin_line.h"

namespace {

constexpr int kCtrlZ = 26;

int NextByte(CookedLineSource* source) {
  if (source->pending >= 0) {
    int b = source->pending;
    source->pending = -1;
    return b;
  }
  return source->next(source->context);
}

void DiscardRestOfLine(CookedLineSource* source) {
  for (int b = NextByte(source); b >= 0 && b != '\n'; b = NextByte(source)) {
  }
}

}  // namespace

char* ReadCookedLine(CookedLineSource* source, char* buffer, int32_t size) {
  if (size <= 0) return nullptr;
  int32_t n = 0;
  while (n < size - 1) {
    int b = NextByte(source);
    if (b < 0) break;
    if (b == kCtrlZ && n == 0) {
      DiscardRestOfLine(source);
      return nullptr;
    }
    if (b == '\r') {
      int after = NextByte(source);
      if (after == '\n') b = '\n';
      else source->pending = after;
    }
    buffer[n++] = static_cast<char>(b);
    if (b == '\n') break;
  }
  if (n == 0 && size > 1) return nullptr;
  buffer[n] = 0;
  return buffer;
}
