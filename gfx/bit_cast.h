/// \file
/// std::bit_cast for standard libraries that do not have it yet (the libc++ of
/// some Emscripten releases): the compiler's built-in does the same. Where the
/// library has it, this header adds nothing.
#pragma once
#include <bit>

#if !defined(__cpp_lib_bit_cast) && defined(__has_builtin)
#if __has_builtin(__builtin_bit_cast)
namespace std {
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
  static_assert(sizeof(To) == sizeof(From), "bit_cast needs types of one size");
  return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif
#endif
