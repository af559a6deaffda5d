// Decimal conversions independent of the platform's C library, whose atoi
// (wrapping or clamping on overflow), _atoi64 (absent outside Windows) and atof
// (hexadecimal and "inf" accepted by some libraries only) differ.
#include "console/number_parse.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipSpace(const char* p) {
  while (IsSpace(*p)) ++p;
  return p;
}

// The decimal number at the start of p (after its sign): digits, a point and
// digits, an exponent with at least one digit. Returns its length, 0 for none.
size_t DecimalLength(const char* p) {
  size_t n = 0, digits = 0;
  while (IsDigit(p[n])) ++n, ++digits;
  if (p[n] == '.') {
    ++n;
    while (IsDigit(p[n])) ++n, ++digits;
  }
  if (digits == 0) return 0;
  if (p[n] == 'e' || p[n] == 'E') {
    size_t e = n + 1;
    if (p[e] == '+' || p[e] == '-') ++e;
    if (IsDigit(p[e])) {
      while (IsDigit(p[e])) ++e;
      n = e;
    }
  }
  return n;
}

}  // namespace

int64_t ParseInt64(const char* text) {
  if (!text) return 0;
  const char* p = SkipSpace(text);
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  // Accumulated as a negative number, whose range includes the lowest value.
  int64_t value = 0;
  for (; IsDigit(*p); ++p) {
    int digit = *p - '0';
    if (value < (INT64_MIN + digit) / 10) return negative ? INT64_MIN : INT64_MAX;
    value = value * 10 - digit;
  }
  if (negative) return value;
  return value == INT64_MIN ? INT64_MAX : -value;
}

int32_t ParseInt32(const char* text) {
  int64_t value = ParseInt64(text);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

double ParseDouble(const char* text) {
  if (!text) return 0.0;
  const char* p = SkipSpace(text);
  const char* number = p;
  if (*p == '-' || *p == '+') ++p;
  size_t length = DecimalLength(p);
  if (length == 0) return 0.0;
  length += static_cast<size_t>(p - number);
  // strtod on exactly the accepted characters, so that no library extension
  // (hexadecimal, infinity, nan) can take part.
  char copy[64];
  if (length >= sizeof copy) {
    char* heap = static_cast<char*>(std::malloc(length + 1));
    if (!heap) return 0.0;
    std::memcpy(heap, number, length);
    heap[length] = 0;
    double value = std::strtod(heap, nullptr);
    std::free(heap);
    return value;
  }
  std::memcpy(copy, number, length);
  copy[length] = 0;
  return std::strtod(copy, nullptr);
}
