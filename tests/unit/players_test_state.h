// A clean game for the players' tests: the records of n players, the turn,
// phases, aim state, input and projectiles at their initial values, and the
// random numbers under the test's control. Everything is put back after each
// test.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "platform/random.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/projectile_table.h"
#include "world_test_sprites.h"

namespace players_test {

// Makes the calling thread's next platform::Rand() return value (0..32767):
// the generator steps state = state x 214013 + 2531011 and returns bits 16..30,
// so the state is set one step before a state holding value in those bits.
inline void SetNextRand(int value) {
  uint32_t inverse = 214013;  // Newton's iteration for the inverse modulo 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
  platform::SeedRand(((static_cast<uint32_t>(value) << 16) - 2531011u) * inverse);
}

class PlayersTest : public testing::Test {
 protected:
  void SetUp() override {
    savedRand_ = platform::RandState();
    Clear();
    UsePlayers(2);
  }
  void TearDown() override {
    players_.reset();
    Clear();
    platform::SeedRand(savedRand_);
  }

  // n players in the game, every record empty.
  void UsePlayers(int n) { players_.emplace(n); }
  // A shell in slot i (a fragment when i is not the lowest).
  static void PutShell(int slot, float x = 100, float y = 100) { g_projectiles[slot] = {.x = x, .y = y, .type = 1}; }

 private:
  static void Clear() {
    g_game.Reset();
    g_config.Reset();
    g_input.Reset();
    g_turn.Reset();
    g_phases.Reset();
    g_aim.Reset();
    for (Projectile& p : g_projectiles) p = Projectile();
  }
  std::optional<world_test::Players> players_;
  uint32_t savedRand_ = 0;
};

}  // namespace players_test
