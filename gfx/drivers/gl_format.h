// Platform-free parts of the OpenGL driver: what its pixel format asks for, and
// the list of fullscreen modes it offers.
#pragma once
#include <cstdint>

// The buffers an OpenGL screen asks the pixel format for.
struct GlFormatRequest {
  int32_t colour_bits;
  int32_t depth_bits;
  int32_t stencil_bits;  // 8 with flag 0x10, else 0
  int32_t accum_bits;    // 32 with flag 0x20, else 0
};

GlFormatRequest GlFormatRequestFor(int32_t depth, int32_t flags);

// One display setting as the platform lists it.
struct GlDisplaySetting {
  int32_t width;
  int32_t height;
  int32_t bits_per_pixel;
};

// Asks for setting number index; false when there is none (the list's end).
using GlSettingSource = bool (*)(uint32_t index, GlDisplaySetting* out, void* context);

// Every setting of the given depth as (width << 16) | height, in the order the
// source lists them (a size at several refresh rates appears once per rate).
// The array comes from realloc; null (and *count 0) when none matches or
// memory runs out.
int32_t* GlCollectModes(int32_t depth, int32_t* count, GlSettingSource source, void* context);
