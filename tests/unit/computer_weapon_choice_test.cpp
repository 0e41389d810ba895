// The computer's weapon for a new turn: the odds table at its boundaries,
// DEFENSE only for a damaged fort without a shield, the fallback to MISSILE
// when the stock is empty, and the faster weapons' higher first trial speed.
#include <gtest/gtest.h>

#include "players/computer.h"
#include "players_test_state.h"

namespace {

using players_test::PlayersTest;
using players_test::SetNextRand;

class ComputerWeaponChoiceTest : public PlayersTest {
 protected:
  // The weapon chosen for a draw of r (0..45) by player 1.
  int ChoiceFor(int r) {
    g_aim.Reset();
    SetNextRand((r * 32767 + 44) / 45);  // the lowest random number giving r
    ComputerWeaponChoice();
    return g_game.currentWeapon;
  }
};

TEST_F(ComputerWeaponChoiceTest, TheOddsTableAtItsBoundaries) {
  g_game.currentPlayer = 1;
  PlayerRecord& p = g_players[1];
  for (int w = 0; w < kWeaponCount; ++w) p.stock[w] = 5;
  struct Case {
    int r;
    int16_t damage, shield;
    int weapon;
  } cases[] = {
      {0, 0, 0, kBigMissile},        {4, 0, 0, kBigMissile},    {5, 0, 0, kGrenade},        {14, 0, 0, kGrenade},
      {15, 0, 0, kSuperGrenade},     {19, 0, 0, kSuperGrenade}, {20, 0, 0, kHyperTube},     {24, 0, 0, kHyperTube},
      {25, 0, 0, kBallGrenade},      {29, 0, 0, kBallGrenade},  {30, 0, 0, kGroundDefense}, {33, 0, 0, kGroundDefense},
      {34, 0, 0, kMissile},          {41, 1000, 0, kMissile},   {34, 1001, 0, kDefense},    {41, 1001, 0, kDefense},
      {42, 1001, 0, kMissile},       {45, 2000, 0, kMissile},   {41, 1001, 1, kMissile},    {34, 2400, 3, kMissile},
      {33, 2400, 0, kGroundDefense},
  };
  for (const Case& c : cases) {
    p.damage = c.damage;
    p.shieldCharges = c.shield;
    g_game.currentWeapon = kGimlet;
    EXPECT_EQ(ChoiceFor(c.r), c.weapon) << "r " << c.r << ", damage " << c.damage << ", shield " << c.shield;
    const bool fast = c.weapon == kHyperTube || c.weapon == kSuperGrenade;
    EXPECT_EQ(g_aim.trialSpeed, fast ? 7 : 4) << "r " << c.r;
  }
}

TEST_F(ComputerWeaponChoiceTest, AnEmptyStockFallsBackToMissile) {
  g_game.currentPlayer = 1;
  PlayerRecord& p = g_players[1];
  p.damage = 2000;
  for (int r : {0, 5, 15, 20, 25, 30, 34}) {
    for (int w = 0; w < kWeaponCount; ++w) p.stock[w] = 0;
    EXPECT_EQ(ChoiceFor(r), kMissile) << "r " << r;
    EXPECT_EQ(g_aim.trialSpeed, 4) << "r " << r;
  }
  p.stock[kHyperTube] = kUnlimitedStock;
  EXPECT_EQ(ChoiceFor(22), kHyperTube);
}

}  // namespace
