// Costs of a round's frame at 1024 x 768 over a real landscape of our data:
// the whole picture with five shielded forts, 20 supply drops and 50 shells
// in the air, with the player aids and with --classic, still and with a
// crater cut every frame (which the overview map has to follow); one pass of the frame loop's steps (picture included) while
// computer players aim and shells fly; and whole rounds of five computers.
#include <benchmark/benchmark.h>

#include "platform/runtime.h"
#include "players/last_shot.h"
#include "round_world.h"
#include "screens/round_scene.h"
#include "shell/round_end.h"
#include "shell/round_setup.h"
#include "state/turn_state.h"
#include "weapons/projectile_flight.h"
#include "world/crater.h"

namespace {

// 50 shells of the kinds that fly, spread over the world, with their
// directions computed.
void LaunchShells(int count) {
  static constexpr int kTypes[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11};
  platform::SeedRand(777);
  for (int i = 0; i < count; ++i) {
    const int type = kTypes[i % 10];
    const int slot = LaunchProjectile(type, type == 11 ? 13 : type - 1, 60.0f + platform::RandBelow(1400),
                                      60.0f + platform::RandBelow(500), (platform::RandBelow(200) - 100) / 20.0f,
                                      (platform::RandBelow(200) - 140) / 20.0f);
    if (slot < 0) break;
    Projectile& p = g_projectiles[slot];
    p.state = kFlying;
    p.direction = static_cast<uint16_t>(ProjectileDirection(p.vx, p.vy, 1));
  }
}

void BusyScene() {
  for (int i = 0; i < kMaxPlayers; ++i) g_players[i].shieldCharges = 3;
  for (int d = 0; d < kSupplyDrops; ++d)
    g_drops[d] = {60.0f + 70 * d, 100.0f + 20 * (d % 8), 0, static_cast<uint8_t>(1 + d % 2)};
  LaunchShells(50);
  g_game.viewX = 256;
  g_game.viewY = 0;
  g_game.shotPower = 37;
  g_game.targetMarked = 1;
  g_turn.directTargetX = 700;
  g_turn.directTargetY = 300;
  g_game.statusMessage = "NONAME 02 : 1500$";
  g_turn.turnTimer = 499;
  g_game.roundTimer = 4321;
  // A human's last shot to show while aiming, its path full of points.
  RecordShot(0, -1, 47, 62);
  LastShot& last = g_lastShots[0];
  for (last.count = 0; last.count < kLastShotPoints; ++last.count) {
    last.x[last.count] = static_cast<int16_t>(300 + 4 * last.count);
    last.y[last.count] = static_cast<int16_t>(200 + (last.count * last.count) / 80);
  }
}

// Arguments: --classic (1) or the aids (0); a crater a frame (1) or none.
void BM_DrawRoundScene(benchmark::State& state) {
  bench::RoundWorld world(7, 5);
  if (!world.ready()) {
    state.SkipWithError("no level.frc or small.spr: build the data first");
    return;
  }
  platform::SetClassicForTests(state.range(0) == 1);
  const bool craters = state.range(1) == 1;
  BusyScene();
  DrawRoundScene();  // the overview map's first picture of the world, made once a round
  int n = 0;
  for (auto _ : state) {
    if (craters) {
      ++n;
      CarveCrater(100 + (n * 97) % 1300, 300 + (n * 53) % 400, 20);
    }
    DrawRoundScene();
    benchmark::DoNotOptimize(g_display.back->Data());
  }
  platform::SetClassicForTests(false);
}
BENCHMARK(BM_DrawRoundScene)
    ->ArgNames({"classic", "crater"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMicrosecond);

// Five computer players play on; whenever fewer than 20 shells are left in
// the air, 50 more are launched (outside the timing).
void BM_RoundFrame(benchmark::State& state) {
  bench::RoundWorld world(7, 5);
  if (!world.ready()) {
    state.SkipWithError("no level.frc or small.spr: build the data first");
    return;
  }
  for (int i = 0; i < kMaxPlayers; ++i) g_players[i].control = 1;
  g_game.roundTimer = 8000;
  g_turn.turnTimer = g_turn.turnLength;
  BusyScene();
  for (auto _ : state) {
    if (ProjectilesInUse() < 20) {
      state.PauseTiming();
      LaunchShells(50);
      state.ResumeTiming();
    }
    RoundFrameSteps();
    benchmark::DoNotOptimize(g_display.back->Data());
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RoundFrame)->Unit(benchmark::kMicrosecond);

// Whole rounds of five computer players, from the round's set-up to its end,
// drawing included, as a headless --autoplay 5 game plays them.
void BM_AutoplayRound(benchmark::State& state) {
  bench::RoundWorld world(7, 5);
  if (!world.ready()) {
    state.SkipWithError("no level.frc or small.spr: build the data first");
    return;
  }
  for (int i = 0; i < kMaxPlayers; ++i) g_players[i].control = 1;
  int64_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RoundSetUp();
    state.ResumeTiming();
    do {
      RoundFrameSteps();
      ++frames;
    } while (RoundEndTest() == RoundEnd::kGoOn);
  }
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AutoplayRound)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
