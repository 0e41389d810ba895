// The computer opponent's search: one frame of trials (the 26 trajectories
// of speed 12 with the MISSILE's gravity) over a real landscape of our
// level.frc with the forts of small.spr, five of them placed.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/runtime.h"
#include "players/computer.h"
#include "sprites/sprite_loader.h"
#include "sprites/sprite_table.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "state/weapon_index.h"
#include "weapons/weapon_table.h"
#include "world/fort.h"
#include "world/fort_placement.h"
#include "world/level_file.h"

namespace {

// The game's sprites and a built landscape with five forts; false when the
// data files are missing.
bool SetUpRound(SpriteTable* table, int level) {
  platform::InitForTests();
  platform::ClearMessagesShown();
  LoadLevelTableFrom(platform::DataPath("level.frc"));
  LoadSpriteBank(platform::DataPath("small.spr"), BankLoad::kGame, table);
  if (!platform::MessagesShown().empty() || !(*table)[1].surface) return false;
  SetSprites(table);
  g_level = g_levelTable.Get(level);
  g_game.scenerySet = 0;
  g_game.numberOfPlayers = 5;
  platform::SeedRand(1);
  PlaceForts();
  RestoreFortPictures();
  g_game.currentPlayer = 0;
  g_game.currentWeapon = kMissile;
  return true;
}

void BM_AimSearch(benchmark::State& state) {
  auto table = std::make_unique<SpriteTable>();
  if (!SetUpRound(table.get(), static_cast<int>(state.range(0)))) {
    state.SkipWithError("no level.frc or small.spr: build the data first");
    return;
  }
  const ProjectileType& missile = WeaponType(kMissile);
  for (auto _ : state) {
    g_aim.Reset();
    AimSearch(12, missile.gravity, missile.maxSpeed);
    benchmark::DoNotOptimize(g_aim.bestMiss);
  }
  SetSprites(nullptr);
}
BENCHMARK(BM_AimSearch)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
