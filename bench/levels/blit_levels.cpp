// Times the game's own blitters, every (source, destination, order) pair at the
// portable level and at every vector level the processor has, with nothing but
// the standard library, so that the native build and the Windows build run the
// very same measurement. Each sample converts a 640x480 frame with every row
// dirty as many times as fill about sample_ms, timed in blocks of about a
// quarter millisecond: the sample is the median block, so that a block in which
// the shared machine took the processor away does not count. The cells are
// visited in a new random order in every repetition so that load from elsewhere
// falls on all of them alike. Prints one line per cell, the median, lowest and
// highest sample over the repetitions:
//   PAIR oORDER LEVEL MEDIAN_NS MIN_NS MAX_NS FRAMES CHECKSUM
// (nanoseconds per frame, frames per sample, and the checksum of one frame's
// destination bytes).
//   blit_levels [repetitions] [sample_ms]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_screen.h"
#include "gfx/blitters/blit_kernels.h"
#include "gfx/blitters/blitter.h"

namespace {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr int32_t kSourceDepths[] = {8, 16, 32};
constexpr int32_t kDestDepths[] = {8, 15, 16, 24, 32};
// Short enough that few blocks meet a switch to another process, long enough
// that reading the clock (a system call under Wine) costs nothing measurable.
constexpr double kBlockNs = 250e3;

struct Cell {
  std::string pair;  // e.g. idx8->32
  int32_t depth;
  int32_t dest_depth;
  int32_t order;
  std::string level;
  Blitter blit;
  int64_t block_frames = 1;
  int64_t blocks = 1;
  std::vector<double> samples;  // ns per frame
  uint32_t checksum = 0;
};

const char* SourceName(int32_t depth) {
  return depth == 8 ? "idx8" : depth == 16 ? "rgb16" : "rgb32";
}

int32_t DestPitch(int32_t dest_depth) { return kWidth * ((dest_depth + 7) / 8); }

// A paletted source has no other 8-bit target, and its copy is the same in
// both orders.
bool PairExists(int32_t depth, int32_t dest_depth, int32_t order) {
  if (dest_depth == 8) return depth == 8 && order == 0;
  return true;
}

BenchScreen& ScreenFor(int32_t depth) {
  static std::unique_ptr<BenchScreen> screens[33];
  if (!screens[depth]) screens[depth] = std::make_unique<BenchScreen>(kWidth, kHeight, depth);
  return *screens[depth];
}

// One destination per depth, on the same boundary in every build.
uint8_t* DestFor(int32_t dest_depth) {
  static std::vector<uint8_t> buffers[33];
  std::vector<uint8_t>& b = buffers[dest_depth];
  if (b.empty()) b.assign(static_cast<size_t>(DestPitch(dest_depth)) * kHeight + kBufferAlign, 0);
  return AlignBuffer(b.data());
}

void AddLevel(std::vector<Cell>& cells, const char* level, const BlitFamily* family) {
  for (int32_t depth : kSourceDepths)
    for (int32_t dest_depth : kDestDepths)
      for (int32_t order : {0, 1}) {
        if (!PairExists(depth, dest_depth, order)) continue;
        Cell c;
        c.pair = std::string(SourceName(depth)) + "->" + std::to_string(dest_depth);
        c.depth = depth;
        c.dest_depth = dest_depth;
        c.order = order;
        c.level = level;
        c.blit = FamilyCell(family[order], depth, dest_depth);
        if (c.blit) cells.push_back(std::move(c));
      }
}

std::vector<Cell> AllCells() {
  std::vector<Cell> cells;
  AddLevel(cells, "portable", kPortableBlitters);
  const BlitFamilyLevel* levels;
  const int32_t count = VectorFamilyLevels(&levels);
  for (int32_t i = 0; i < count; ++i)
    if (levels[i].supported) AddLevel(cells, levels[i].name, levels[i].family);
  return cells;
}

// The open screen is the cell's source, and the 16-bit lookup is in its order.
void Prepare(const Cell& c) {
  ScreenFor(c.depth).Install(c.level != "portable");
  SelectBlitter(c.dest_depth, c.order);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double TimeFrames(const Cell& c, int64_t frames) {
  uint8_t* out = DestFor(c.dest_depth);
  const int32_t pitch = DestPitch(c.dest_depth);
  const auto start = std::chrono::steady_clock::now();
  for (int64_t i = 0; i < frames; ++i) c.blit(out, pitch);
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::nano>(end - start).count();
}

uint32_t Fnv1a(const uint8_t* p, size_t n) {
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 16777619u;
  return h;
}

// One frame into a cleared destination for its checksum, then the block and
// sample sizes.
void Calibrate(Cell& c, double sample_ns) {
  Prepare(c);
  uint8_t* out = DestFor(c.dest_depth);
  const size_t bytes = static_cast<size_t>(DestPitch(c.dest_depth)) * kHeight;
  std::fill(out, out + bytes, uint8_t{0});
  c.blit(out, DestPitch(c.dest_depth));
  c.checksum = Fnv1a(out, bytes);
  int64_t frames = 1;
  while (TimeFrames(c, frames) < sample_ns / 10 && frames < (int64_t{1} << 30)) frames *= 2;
  // The fastest of a few tries: a try that lost the processor would make every
  // later sample of this cell too short.
  double per_frame = TimeFrames(c, frames) / frames;
  for (int i = 0; i < 4; ++i) per_frame = std::min(per_frame, TimeFrames(c, frames) / frames);
  c.block_frames = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(kBlockNs / per_frame)));
  c.blocks = std::max<int64_t>(1, static_cast<int64_t>(sample_ns / (per_frame * c.block_frames)));
}

void Sample(Cell& c) {
  Prepare(c);
  std::vector<double> blocks(static_cast<size_t>(c.blocks));
  for (double& b : blocks) b = TimeFrames(c, c.block_frames) / c.block_frames;
  c.samples.push_back(Median(std::move(blocks)));
}

void Print(const Cell& c) {
  const auto [lo, hi] = std::minmax_element(c.samples.begin(), c.samples.end());
  std::printf("%s o%d %s %.1f %.1f %.1f %lld %08x\n", c.pair.c_str(), static_cast<int>(c.order),
              c.level.c_str(), Median(c.samples), *lo, *hi, static_cast<long long>(c.block_frames * c.blocks),
              static_cast<unsigned>(c.checksum));
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::atoi(argv[1]) : 9;
  const double sample_ms = argc > 2 ? std::atof(argv[2]) : 25.0;
  if (repetitions < 1 || sample_ms <= 0) {
    std::fprintf(stderr, "usage: blit_levels [repetitions >= 1] [sample_ms > 0]\n");
    return 2;
  }
  std::vector<Cell> cells = AllCells();
  for (Cell& c : cells) Calibrate(c, sample_ms * 1e6);
  std::vector<size_t> order(cells.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::mt19937 rng(1);
  for (int r = 0; r < repetitions; ++r) {
    std::shuffle(order.begin(), order.end(), rng);
    for (size_t i : order) Sample(cells[i]);
  }
  for (const Cell& c : cells) Print(c);
  return 0;
}
