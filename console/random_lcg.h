// The project's own random generator with the C library's rand/srand contract
// (values 0 to 32767), so that one seed gives the same sequence on every build.
#pragma once
#include <cstdint>

constexpr int32_t kRandomMax = 32767;

void LcgSeed(uint32_t seed);
int32_t LcgNext();
