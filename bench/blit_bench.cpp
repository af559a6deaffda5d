// Every blitter, portable and vector family, on a 640x480 frame with every row
// dirty, beside memcpy of the same destination bytes and beside pixman and SDL2
// converting the same formats. bench/run_blit_bench.sh turns the run into ratios.
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <SDL2/SDL.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_screen.h"
#include "gfx/blitters/blit_kernels.h"
#include "gfx/blitters/blitter.h"

namespace {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;

struct Source {
  const char* name;
  int32_t depth;
  pixman_format_code_t pixman;
  uint32_t sdl;
};
const Source kSources[] = {
    {"idx8", 8, PIXMAN_c8, SDL_PIXELFORMAT_INDEX8},
    {"rgb16", 16, PIXMAN_r5g6b5, SDL_PIXELFORMAT_RGB565},
    {"rgb32", 32, PIXMAN_x8r8g8b8, SDL_PIXELFORMAT_XRGB8888},
};

// A destination format in both orders; order 1 puts red in the low bits.
struct Dest {
  int32_t depth;
  pixman_format_code_t pixman[2];
  uint32_t sdl[2];
};
const Dest kDests[] = {
    {8, {PIXMAN_c8, PIXMAN_c8}, {SDL_PIXELFORMAT_INDEX8, SDL_PIXELFORMAT_INDEX8}},
    {15, {PIXMAN_x1r5g5b5, PIXMAN_x1b5g5r5}, {SDL_PIXELFORMAT_XRGB1555, SDL_PIXELFORMAT_XBGR1555}},
    {16, {PIXMAN_r5g6b5, PIXMAN_b5g6r5}, {SDL_PIXELFORMAT_RGB565, SDL_PIXELFORMAT_BGR565}},
    {24, {PIXMAN_r8g8b8, PIXMAN_b8g8r8}, {SDL_PIXELFORMAT_BGR24, SDL_PIXELFORMAT_RGB24}},
    {32, {PIXMAN_x8r8g8b8, PIXMAN_x8b8g8r8}, {SDL_PIXELFORMAT_XRGB8888, SDL_PIXELFORMAT_XBGR8888}},
};

int32_t DestPitch(int32_t depth) { return kWidth * ((depth + 7) / 8); }

BenchScreen& ScreenFor(const Source& src) {
  static BenchScreen* screens[33] = {};  // by depth; the benchmark holds copies of `src`
  BenchScreen*& screen = screens[src.depth];
  if (!screen) screen = new BenchScreen(kWidth, kHeight, src.depth);
  return *screen;
}

std::vector<uint8_t>& DestBuffer(int32_t depth) {
  static std::vector<uint8_t> buffers[33];
  auto& b = buffers[depth];
  if (b.empty()) b.assign(static_cast<size_t>(DestPitch(depth)) * kHeight + 64, 0);
  return b;
}

bool IsCopy(const Source& src, const Dest& dst, int order) {
  return dst.depth == 8 || (src.depth == dst.depth && order == 0);
}

void RunBlitter(benchmark::State& state, const Source& src, const Dest& dst, int order, bool vector) {
  BenchScreen& screen = ScreenFor(src);
  screen.Install(vector);
  Blitter blit = SelectBlitter(dst.depth, order);
  if (!blit) {
    state.SkipWithError("no blitter");
    return;
  }
  uint8_t* out = DestBuffer(dst.depth).data();
  for (auto _ : state) {
    blit(out, DestPitch(dst.depth));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * DestPitch(dst.depth) * kHeight);
}

// The same conversion at a lower instruction-set level than the processor's best.
void RunLevel(benchmark::State& state, const Source& src, const Dest& dst, int order, int level) {
  BenchScreen& screen = ScreenFor(src);
  screen.Install(true);
  SelectBlitter(dst.depth, order);  // the 16-bit lookup in this order
  const BlitFamilyLevel* levels;
  VectorFamilyLevels(&levels);
  Blitter blit = FamilyCell(levels[level].family[order], src.depth, dst.depth);
  uint8_t* out = DestBuffer(dst.depth).data();
  for (auto _ : state) {
    blit(out, DestPitch(dst.depth));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * DestPitch(dst.depth) * kHeight);
}

void RunMemcpy(benchmark::State& state, int32_t depth) {
  std::vector<uint8_t> from(static_cast<size_t>(DestPitch(depth)) * kHeight, 0x5A);
  uint8_t* out = DestBuffer(depth).data();
  for (auto _ : state) {
    std::memcpy(out, from.data(), from.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(from.size()));
}

void RunPixman(benchmark::State& state, const Source& src, const Dest& dst, int order) {
  BenchScreen& screen = ScreenFor(src);
  const ScreenContext& c = screen.context();
  pixman_image_t* in = pixman_image_create_bits(
      src.pixman, kWidth, kHeight, reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(screen.pixels())), c.pitch);
  auto indexed = std::make_unique<pixman_indexed_t>();
  if (src.depth == 8) {
    std::memset(indexed.get(), 0, sizeof(pixman_indexed_t));
    for (int i = 0; i < 256; ++i) {
      const uint32_t p = screen.palette()[i];  // 0x00BBGGRR
      indexed->rgba[i] = 0xFF000000u | (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
    }
    pixman_image_set_indexed(in, indexed.get());
  }
  pixman_image_t* out = pixman_image_create_bits(
      dst.pixman[order], kWidth, kHeight, reinterpret_cast<uint32_t*>(DestBuffer(dst.depth).data()),
      DestPitch(dst.depth));
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, in, nullptr, out, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(in);
  pixman_image_unref(out);
  state.SetBytesProcessed(state.iterations() * DestPitch(dst.depth) * kHeight);
}

void RunSdl(benchmark::State& state, const Source& src, const Dest& dst, int order) {
  BenchScreen& screen = ScreenFor(src);
  const ScreenContext& c = screen.context();
  SDL_Surface* in = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(screen.pixels()), kWidth,
                                                       kHeight, src.depth, c.pitch, src.sdl);
  SDL_Surface* out = SDL_CreateRGBSurfaceWithFormatFrom(DestBuffer(dst.depth).data(), kWidth, kHeight,
                                                        dst.depth == 15 ? 16 : dst.depth,
                                                        DestPitch(dst.depth), dst.sdl[order]);
  if (!in || !out) {
    state.SkipWithError(SDL_GetError());
    return;
  }
  if (src.depth == 8) {
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i) {
      const uint32_t p = screen.palette()[i];
      colours[i] = {static_cast<Uint8>(p), static_cast<Uint8>(p >> 8), static_cast<Uint8>(p >> 16), 255};
    }
    SDL_SetPaletteColors(in->format->palette, colours, 0, 256);
  }
  SDL_SetSurfaceBlendMode(in, SDL_BLENDMODE_NONE);
  SDL_Rect rect = {0, 0, kWidth, kHeight};
  for (auto _ : state) {
    SDL_Rect s = rect, d = rect;
    if (SDL_LowerBlit(in, &s, out, &d) < 0) {
      state.SkipWithError(SDL_GetError());
      break;
    }
    benchmark::ClobberMemory();
  }
  SDL_FreeSurface(in);
  SDL_FreeSurface(out);
  state.SetBytesProcessed(state.iterations() * DestPitch(dst.depth) * kHeight);
}

std::string PairName(const Source& src, const Dest& dst, int order) {
  return std::string(src.name) + "_to_" + std::to_string(dst.depth) + "_o" + std::to_string(order);
}

// Pairs whose kernel changes between levels, in order 0: each also measured at
// every supported level below the best, for processors without the best.
void RegisterLowerLevels(const Source& src, const Dest& dst, int order, const std::string& pair) {
  const bool differs = (src.depth == 8 && dst.depth != 8) || dst.depth == 24 ||
                       (src.depth == 32 && (dst.depth == 15 || dst.depth == 16));
  if (!differs || order != 0) return;
  const BlitFamilyLevel* levels;
  const int32_t count = VectorFamilyLevels(&levels);
  bool best_seen = false;
  for (int32_t i = 0; i < count; ++i) {
    if (!levels[i].supported) continue;
    if (best_seen)
      benchmark::RegisterBenchmark(("level-" + std::string(levels[i].name) + "/" + pair).c_str(),
                                   RunLevel, src, dst, order, static_cast<int>(i));
    best_seen = true;
  }
}

void RegisterAll() {
  for (const Dest& dst : kDests)
    if (dst.depth != 15)
      benchmark::RegisterBenchmark(("memcpy/" + std::to_string(dst.depth)).c_str(), RunMemcpy, dst.depth);
  for (const Source& src : kSources)
    for (const Dest& dst : kDests)
      for (int order : {0, 1}) {
        if (src.depth > 8 && dst.depth == 8) continue;  // no such conversion
        if (dst.depth == 8 && order == 1) continue;      // the same copy again
        const std::string pair = PairName(src, dst, order);
        benchmark::RegisterBenchmark(("portable/" + pair).c_str(), RunBlitter, src, dst, order, false);
        benchmark::RegisterBenchmark(("vector/" + pair).c_str(), RunBlitter, src, dst, order, true);
        if (IsCopy(src, dst, order)) continue;
        benchmark::RegisterBenchmark(("pixman/" + pair).c_str(), RunPixman, src, dst, order);
        benchmark::RegisterBenchmark(("sdl2/" + pair).c_str(), RunSdl, src, dst, order);
        RegisterLowerLevels(src, dst, order, pair);
      }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
