// Costs of the projectiles: one frame of collisions and flight with all 400
// slots in the air over a real landscape of our level.frc, with the pictures
// of our small.spr and five forts placed; and one bounce test whose scan
// circle has radius 20.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/runtime.h"
#include "sprites/sprite_loader.h"
#include "sprites/sprite_table.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "weapons/bounce.h"
#include "weapons/collisions.h"
#include "weapons/projectile_flight.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"
#include "world/fort.h"
#include "world/fort_placement.h"
#include "world/level_file.h"
#include "world/terrain.h"

namespace {

// The game's sprites and a round's world: level 7 built with five forts on it.
struct Round {
  std::unique_ptr<SpriteTable> table = std::make_unique<SpriteTable>();
  bool ready = false;

  Round() {
    platform::InitForTests();
    platform::ClearMessagesShown();
    SetSprites(table.get());
    LoadSpriteBank(platform::DataPath("small.spr"), BankLoad::kGame, table.get());
    LoadLevelTableFrom(platform::DataPath("level.frc"));
    if (!platform::MessagesShown().empty() || !TerrainSurface()) return;
    g_level = g_levelTable.Get(7);
    g_game.scenerySet = 0;
    g_game.numberOfPlayers = kMaxPlayers;
    g_game.currentPlayer = 0;
    PlaceForts();
    RestoreFortPictures();
    ResetProjectiles();
    ClearSupplyDrops();
    ready = true;
  }
  ~Round() { SetSprites(nullptr); }
};

// 400 shells of every kind that flies, spread over the world from the sky to
// the ground, each in the middle of its program's first step.
void FillTheSky() {
  static constexpr int kTypes[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11};
  platform::SeedRand(12345);
  for (int slot = 0; slot < kProjectileSlots; ++slot) {
    Projectile& p = g_projectiles[slot];
    p = Projectile();
    p.type = static_cast<uint16_t>(kTypes[slot % std::size(kTypes)]);
    p.program = static_cast<uint16_t>(p.type == 11 ? 13 : p.type - 1);
    p.stepFramesLeft = 20;
    p.state = kFlying;
    p.x = 40 + platform::Rand() % 1456;
    p.y = 40 + platform::Rand() % 700;
    p.vx = (platform::Rand() % 200 - 100) / 20.0f;
    p.vy = (platform::Rand() % 200 - 100) / 20.0f;
    p.direction = static_cast<uint16_t>(ProjectileDirection(p.vx, p.vy, 1));
  }
  for (int d = 0; d < 10; ++d) g_drops[d] = {100.0f + 140 * d, 200.0f + 40 * d, 0, kDropMoney};
}

// One frame: each iteration starts again from the same 400 shells, and every
// third one runs the animation pass too.
void BM_ProjectileFrame(benchmark::State& state) {
  Round round;
  if (!round.ready) {
    state.SkipWithError("no small.spr or level.frc: build the data first");
    return;
  }
  FillTheSky();
  std::array<Projectile, kProjectileSlots> start;
  std::copy(std::begin(g_projectiles), std::end(g_projectiles), start.begin());
  uint8_t phase = 0;
  for (auto _ : state) {
    std::copy(start.begin(), start.end(), std::begin(g_projectiles));
    g_game.framePhase = phase;
    phase = static_cast<uint8_t>((phase + 1) % 3);
    ProjectileCollisions();
    ProjectileFlight();
    benchmark::ClobberMemory();
  }
  ResetProjectiles();
  ClearSupplyDrops();
}
BENCHMARK(BM_ProjectileFrame)->Unit(benchmark::kMicrosecond);

// A BALL GRENADE (radius 13) at speed 7 falling onto flat ground: a scan
// circle of radius 20 that meets the ground, and a bounce.
void BM_BounceTest(benchmark::State& state) {
  std::vector<uint16_t> terrain(static_cast<size_t>(kWorldWidth) * kWorldHeight, 0);
  std::fill(terrain.begin() + static_cast<size_t>(500) * kWorldWidth, terrain.end(), 0x4A69);
  bool bounced = false;
  for (auto _ : state) {
    float vx = 0, vy = 7;
    bounced = BounceOnPixels(terrain.data(), 700.5f, 485.5f, vx, vy, 13);
    benchmark::DoNotOptimize(vx);
    benchmark::DoNotOptimize(vy);
  }
  if (!bounced) state.SkipWithError("the ball did not bounce");
}
BENCHMARK(BM_BounceTest)->Unit(benchmark::kNanosecond);

}  // namespace
