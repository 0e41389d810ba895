// The sprite inner loops of every frame: a keyed full-screen copy, a clipped
// draw of a typical sprite, the stretch of a background over the screen, a
// shell tested against the terrain, and the largest explosion erased out of
// a fort.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/surface.h"
#include "sprites/blit.h"
#include "sprites/collision.h"
#include "state/shared_state.h"

namespace {

// A sprite of w x h with a busy pattern; every fifth pixel transparent when holes.
SpriteEntry Pattern(int w, int h, bool holes) {
  SpriteEntry e;
  e.width = static_cast<uint16_t>(w);
  e.height = static_cast<uint16_t>(h);
  e.surface = std::make_unique<platform::Surface>(w, h);
  uint32_t s = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 1103515245u + 12345u;
      const uint16_t v = static_cast<uint16_t>((s >> 12) | 1);
      e.surface->Row(y)[x] = (holes && (x + y) % 5 == 0) ? 0 : v;
    }
  return e;
}

// A filled disc of radius r in a (2r + 1) square.
SpriteEntry Disc(int r) {
  SpriteEntry e;
  e.width = e.height = static_cast<uint16_t>(2 * r + 1);
  e.surface = std::make_unique<platform::Surface>(e.width, e.height);
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x)
      if (x * x + y * y <= r * r) e.surface->Row(y + r)[x + r] = 0x7BDE;
  return e;
}

void BM_KeyedCopy1024x768(benchmark::State& state) {
  const SpriteEntry picture = Pattern(1024, 768, true);
  platform::Surface back(1024, 768);
  for (auto _ : state) {
    DrawSprite(&back, picture, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_KeyedCopy1024x768)->Unit(benchmark::kMicrosecond);

void BM_DrawSpriteClippedFort(benchmark::State& state) {
  g_config.screenWidth = 1024;
  g_config.screenHeight = 768;
  const SpriteEntry fort = Pattern(80, 50, true);
  platform::Surface back(1024, 768);
  for (auto _ : state) {
    DrawSpriteClipped(&back, fort, -20, 400);  // cut on the left, as at the view's edge
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawSpriteClippedFort)->Unit(benchmark::kNanosecond);

void BM_StretchBackground640To1024(benchmark::State& state) {
  const SpriteEntry background = Pattern(640, 480, false);
  platform::Surface back(1024, 768);
  for (auto _ : state) {
    StretchSurface(&back, background.surface.get());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StretchBackground640To1024)->Unit(benchmark::kMicrosecond);

void BM_SpritesCollideShellTerrain(benchmark::State& state) {
  // Terrain: sky (0) over the top half, ground below. The shell sits in the
  // sky just above the ground, so the whole overlap is scanned without a hit.
  SpriteEntry terrain = Pattern(1536, 768, false);
  for (int y = 0; y < 384; ++y) std::memset(terrain.surface->Row(y), 0, 1536 * 2);
  const SpriteEntry shell = Disc(8);
  bool hit = false;
  for (auto _ : state) {
    hit = SpritesCollide(shell, 700, 384 - 17, terrain, 0, 0);
    benchmark::DoNotOptimize(hit);
  }
  if (hit) state.SkipWithError("the shell should not touch the ground");
}
BENCHMARK(BM_SpritesCollideShellTerrain)->Unit(benchmark::kNanosecond);

void BM_EraseUnderSpriteExplosionFort(benchmark::State& state) {
  // The largest explosion (radius about 49) centred on an 80 x 50 fort; the
  // fort is restored before each erase (an 8 KB copy, included in the time).
  const SpriteEntry blast = Disc(49);
  const SpriteEntry intact = Pattern(80, 50, false);
  SpriteEntry fort = Pattern(80, 50, false);
  const size_t bytes = 80 * 50 * 2;
  for (auto _ : state) {
    std::memcpy(fort.surface->Data(), intact.surface->Data(), bytes);
    benchmark::DoNotOptimize(EraseUnderSprite(blast, 40 - 49, 25 - 49, fort, 0, 0));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EraseUnderSpriteExplosionFort)->Unit(benchmark::kNanosecond);

}  // namespace
