// Fuzzes the LZW decoder with arbitrary streams and capacities: it must never
// write past the capacity, never report more bytes than that, give the same
// bytes again with exactly the reported capacity, and fail one byte short.
// The input is also packed and decoded back as a round trip of the encoder.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx/data/builtin_data.h"
#include "tools/lzw_encoder.h"

namespace {

// Decodes into a heap buffer of exactly capacity bytes so that any write past
// it is caught by the address sanitizer.
int32_t DecodeExact(const uint8_t* src, size_t size, int32_t capacity, std::vector<uint8_t>* out,
                    int32_t* length) {
  uint8_t* buffer = static_cast<uint8_t*>(std::malloc(capacity > 0 ? capacity : 1));
  *length = capacity;
  int32_t result = LzwDecode(src, static_cast<int32_t>(size), capacity > 0 ? buffer : nullptr,
                             length);
  if (*length < 0 || *length > capacity) std::abort();
  out->assign(buffer, buffer + *length);
  std::free(buffer);
  return result;
}

void CheckDecode(const uint8_t* src, size_t size, int32_t capacity) {
  std::vector<uint8_t> first, second;
  int32_t length = 0, again = 0;
  if (DecodeExact(src, size, capacity, &first, &length) != 0) return;
  if (DecodeExact(src, size, length, &second, &again) != 0 || again != length || first != second)
    std::abort();
  if (length > 0 && DecodeExact(src, size, length - 1, &second, &again) != -1) std::abort();
}

void CheckRoundTrip(const uint8_t* data, size_t size) {
  std::vector<uint8_t> packed = lzw::Encode(data, size);
  std::vector<uint8_t> out;
  int32_t length = 0;
  if (DecodeExact(packed.data(), packed.size(), static_cast<int32_t>(size), &out, &length) != 0 ||
      out.size() != size || (size > 0 && std::memcmp(out.data(), data, size) != 0))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > (1u << 20)) return 0;
  // The first two bytes choose the capacity, 0 to 65,535.
  int32_t capacity = data[0] | data[1] << 8;
  CheckDecode(data + 2, size - 2, capacity);
  CheckRoundTrip(data + 2, size - 2);
  return 0;
}
