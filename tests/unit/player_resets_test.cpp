// The program-start and new-game resets of the player records.
#include <gtest/gtest.h>

#include "players/player_resets.h"

TEST(PlayerResets, ProgramStartGivesDefaultNamesAndEmptyRecords) {
  for (auto& p : g_players) {
    p.name = "OLD";
    p.money = 99;
    p.control = 1;
    p.colourIndex = 4;
    p.stock[kGimlet] = 7;
  }
  ProgramStartReset();
  for (int i = 0; i < kMaxPlayers; ++i) {
    const PlayerRecord& p = g_players[i];
    EXPECT_EQ(p.name, "NONAME 0" + std::to_string(i + 1));
    EXPECT_EQ(p.colourIndex, i);
    EXPECT_EQ(p.control, 0);
    EXPECT_EQ(p.money, 0);
    EXPECT_EQ(p.stock[kMissile], kUnlimitedStock);
    for (int w = 1; w < kWeaponCount; ++w) EXPECT_EQ(p.stock[w], 0) << w;
  }
}

TEST(PlayerResets, NewGameGivesTheStartingStockAndKeepsNamesAndControls) {
  ProgramStartReset();
  g_players[2].name = "ALICE";
  g_players[2].control = 1;
  g_players[2].money = 12000;
  g_players[2].roundsSurvived = 3;
  g_players[2].damage = 700;
  g_players[2].destroyed = 1;
  g_players[2].shieldCharges = 2;
  g_players[2].colourIndex = 0;
  g_players[2].x = 300;
  NewGameReset();
  const PlayerRecord& p = g_players[2];
  EXPECT_EQ(p.name, "ALICE");
  EXPECT_EQ(p.control, 1);
  EXPECT_EQ(p.money, 0);
  EXPECT_EQ(p.roundsSurvived, 0);
  EXPECT_EQ(p.damage, 0);
  EXPECT_EQ(p.destroyed, 0);
  EXPECT_EQ(p.shieldCharges, 0);
  EXPECT_EQ(p.colourIndex, 2);
  EXPECT_EQ(p.x, 0.0f);
  const int expected[kWeaponCount] = {10000, 0, 1, 0, 0, 0, 0, 1, 0, 10};
  for (int w = 0; w < kWeaponCount; ++w) EXPECT_EQ(p.stock[w], expected[w]) << w;
}
