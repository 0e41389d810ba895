// Costs of the world: the Julia carving of the 65 playable levels of our
// level.frc (the fast carver, and beside it the plain one-core scalar loop
// it must beat), a whole landscape build, and a crater.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/message_box.h"
#include "platform/runtime.h"
#include "sprites/sprite_table.h"
#include "state/shared_state.h"
#include "world/crater.h"
#include "world/julia.h"
#include "world/landscape.h"
#include "world/level_file.h"
#include "world/terrain.h"

namespace {

// The playable levels of the generated level.frc (empty when it is missing).
const std::vector<LevelParams>& Levels() {
  static const std::vector<LevelParams> levels = [] {
    platform::InitForTests();
    platform::ClearMessagesShown();
    LoadLevelTableFrom(platform::DataPath("level.frc"));
    std::vector<LevelParams> v;
    if (platform::MessagesShown().empty())
      for (int i = 0; i < kPlayableLevels; ++i) v.push_back(g_levelTable.Get(i));
    return v;
  }();
  return levels;
}

std::vector<uint16_t> Ground() { return std::vector<uint16_t>(static_cast<size_t>(kWorldWidth) * kWorldHeight, 0x4A69); }

template <void (*Carve)(uint16_t*, const LevelParams&)>
void CarveAllLevels(benchmark::State& state) {
  const auto& levels = Levels();
  if (levels.empty()) {
    state.SkipWithError("no level.frc: build the data first");
    return;
  }
  std::vector<uint16_t> pixels = Ground();
  for (auto _ : state) {
    for (const LevelParams& l : levels) Carve(pixels.data(), l);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(levels.size()));  // levels per second
}

void CarveOneThread(uint16_t* pixels, const LevelParams& l) {
  CarveJuliaRows(pixels, MakeJuliaFrame(l), 0, kWorldHeight);
}

// One iteration: the 65 playable levels, one after another.
void BM_CarveJulia(benchmark::State& state) { CarveAllLevels<CarveJulia>(state); }
BENCHMARK(BM_CarveJulia)->Unit(benchmark::kMillisecond);

// The baseline: one pixel at a time, one core.
void BM_CarveJuliaScalar(benchmark::State& state) { CarveAllLevels<CarveJuliaScalar>(state); }
BENCHMARK(BM_CarveJuliaScalar)->Unit(benchmark::kMillisecond);

// The SIMD kernel alone, without the second thread.
void BM_CarveJuliaOneThread(benchmark::State& state) { CarveAllLevels<CarveOneThread>(state); }
BENCHMARK(BM_CarveJuliaOneThread)->Unit(benchmark::kMillisecond);

// A sprite table with the terrain, a ground tile and a base strip block.
struct Scenery {
  std::unique_ptr<SpriteTable> table = std::make_unique<SpriteTable>();
  Scenery() {
    Make(kTerrainSprite, kWorldWidth, kWorldHeight, 0);
    Make(kGroundTileSprite, 128, 96, 0x4A69);
    Make(kBaseStripSprite, 38, 38, 0x2D6B);
    SetSprites(table.get());
    g_game.scenerySet = 0;
  }
  ~Scenery() { SetSprites(nullptr); }
  void Make(int i, int w, int h, uint16_t v) {
    SpriteEntry& e = (*table)[i];
    e.surface = std::make_unique<platform::Surface>(w, h);
    e.width = static_cast<uint16_t>(w);
    e.height = static_cast<uint16_t>(h);
    std::fill_n(e.surface->Data(), static_cast<size_t>(w) * h, v);
  }
};

// Texture, carving, edge and base strip of one level (each iteration the
// next of the 65).
void BM_BuildLandscape(benchmark::State& state) {
  const auto& levels = Levels();
  if (levels.empty()) {
    state.SkipWithError("no level.frc: build the data first");
    return;
  }
  Scenery scenery;
  size_t next = 0;
  for (auto _ : state) {
    g_level = levels[next++ % levels.size()];
    BuildLandscape();
    benchmark::DoNotOptimize(scenery.table.get());
  }
  g_level = LevelParams();
}
BENCHMARK(BM_BuildLandscape)->Unit(benchmark::kMillisecond);

// A crater of radius 52 in solid ground, at spots all over the world.
void BM_CarveCrater(benchmark::State& state) {
  std::vector<uint16_t> pixels = Ground();
  int i = 0;
  for (auto _ : state) {
    CarveCraterInto(pixels.data(), 60 + (i * 97) % 1400, 60 + (i * 53) % 640, 52, 0x7C1F);
    ++i;
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_CarveCrater);

}  // namespace
