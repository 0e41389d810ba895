// The end of a game: the figures gathered for the standings, their ranking,
// the menu's rounds and strength choices, the money chart, and the HARD
// computer's plans.
#include <gtest/gtest.h>

#include "display/colour.h"
#include "players/computer.h"
#include "players_test_state.h"
#include "screen_test_fixture.h"
#include "screens/final_standings.h"
#include "screens/money_chart.h"
#include "screens/round_scene.h"
#include "screens/shop_computer.h"
#include "shell/main_menu.h"
#include "weapons/rewards.h"

namespace {

using players_test::PlayersTest;

class GameEnd : public PlayersTest {
 protected:
  void SetUp() override {
    PlayersTest::SetUp();
    UsePlayers(3);
  }
};

}  // namespace

TEST_F(GameEnd, DamageShotsHitsAndDropsCountedPerShooterAndVictim) {
  // Each step: the shooter, a new shot or not, the fort erased from, pixels.
  struct Step { int shooter; bool newShot; int victim; int16_t erased; };
  const Step steps[] = {
      {0, true, 1, 100},   // a hit on player 1
      {0, false, 2, 50},   // the same shot reaches player 2: still one hit
      {0, false, 0, 30},   // and its own fort
      {0, true, 0, 20},    // a shot that only hurts its own fort: no hit
      {0, true, 1, 0},     // nothing erased: no hit
      {1, true, 0, 70},    // the next player hits back
  };
  for (const Step& s : steps) {
    g_game.currentPlayer = static_cast<uint16_t>(s.shooter);
    if (s.newShot) BeginShot(g_players[s.shooter]);
    PayForDamage(s.victim, s.erased);
  }
  g_game.currentPlayer = 2;
  RewardSupplyDrop(1);
  RewardSupplyDrop(2);
  struct Expected { int32_t dealt, taken, self, shots, hits, drops; };
  const Expected expected[] = {{150, 70, 50, 3, 1, 0}, {70, 100, 0, 1, 1, 0}, {0, 50, 0, 0, 0, 2}};
  for (int i = 0; i < 3; ++i) {
    const PlayerStats& st = g_players[i].stats;
    const Expected& e = expected[i];
    EXPECT_EQ(st.damageDealt, e.dealt) << i;
    EXPECT_EQ(st.damageTaken, e.taken) << i;
    EXPECT_EQ(st.damageSelf, e.self) << i;
    EXPECT_EQ(st.shots, e.shots) << i;
    EXPECT_EQ(st.hits, e.hits) << i;
    EXPECT_EQ(st.drops, e.drops) << i;
  }
  EXPECT_EQ(g_players[0].money, 200);  // the designed pay is unchanged: every pixel, own fort included
}

TEST_F(GameEnd, StandingsRankRoundsSurvivedThenMoneyThenIndex) {
  struct Case { int32_t rounds[3], money[3]; int order[3]; };
  const Case cases[] = {
      {{1, 3, 2}, {0, 0, 0}, {1, 2, 0}},
      {{2, 2, 0}, {100, 900, 5000}, {1, 0, 2}},  // a tie in rounds goes to money
      {{1, 1, 1}, {50, 50, 50}, {0, 1, 2}},      // a full tie keeps index order
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 3; ++i) {
      g_players[i].roundsSurvived = c.rounds[i];
      g_players[i].money = c.money[i];
    }
    int order[kMaxPlayers];
    ASSERT_EQ(RankStandings(order), 3);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(order[k], c.order[k]) << c.rounds[0] << " " << k;
    EXPECT_EQ(StandingsWinner(), c.order[0]);
  }
}

TEST(MainMenuChoices, RoundsStepThroughTheirChoicesAndControlsThroughTheStrengths) {
  const int32_t rounds[][2] = {{0, 3}, {3, 5}, {5, 10}, {10, 20}, {20, 0}, {7, 10}, {25, 0}};
  for (const auto& r : rounds) EXPECT_EQ(NextRoundsChoice(r[0]), r[1]) << r[0];
  std::string text;
  RoundsText(0, &text);
  EXPECT_EQ(text, "ROUNDS: ENDLESS");

  PlayerRecord p;
  const char* cycle[] = {"COMPUTER", "HARD", "EASY", "HUMAN", "COMPUTER"};
  for (const char* name : cycle) {
    NextControl(p, false);
    EXPECT_EQ(ControlName(p), std::string(name));
    EXPECT_EQ(p.control, std::string(name) == "HUMAN" ? 0 : 1) << name;
  }
  NextControl(p, false);  // HARD
  NextControl(p, true);   // as designed: back to HUMAN, and no strength kept
  EXPECT_EQ(ControlName(p), std::string("HUMAN"));
  NextControl(p, true);
  EXPECT_EQ(ControlName(p), std::string("COMPUTER"));
}

TEST(MoneyChart, ScaleAndPlacesOfThePoints) {
  const int32_t scales[][2] = {{0, 1000}, {1000, 1000}, {1001, 2000}, {4999, 5000}, {5001, 10000}, {123456, 200000}};
  for (const auto& s : scales) EXPECT_EQ(ChartScaleTop(s[0]), s[1]) << s[0];
  const ChartBox box{100, 50, 500, 250};
  EXPECT_EQ(ChartX(box, 0, 4), 100);
  EXPECT_EQ(ChartX(box, 4, 4), 500);
  EXPECT_EQ(ChartX(box, 1, 4), 200);
  EXPECT_EQ(ChartY(box, 0, 2000), 250);
  EXPECT_EQ(ChartY(box, 2000, 2000), 50);
  EXPECT_EQ(ChartY(box, 500, 2000), 200);
  EXPECT_EQ(RoundLabelStep(3, 400, 20), 1);
  EXPECT_EQ(RoundLabelStep(200, 400, 20), 12);  // 400 / 200 x 12 = 24 pixels a label
}

namespace {

class StandingsScreen : public screen_test::ScreenTest {};

}  // namespace

TEST_F(StandingsScreen, ChartLinesRunInTheFortsColoursThroughEachRoundsMoney) {
  UsePlayers(2);
  g_players[0].colourIndex = 0;
  g_players[1].colourIndex = 3;
  std::vector<MoneyAfterRound> history = {{1000, 2000}, {4000, 500}};
  const ChartBox box{100, 50, 500, 250};
  FillSurface(g_display.back, 0, nullptr);
  DrawMoneyChart(box, history, 2);
  // Scale top 5000: player 0 ends at (500, 90), player 1 passes (300, 170).
  const auto pixel = [&](int x, int y) { return back.Row(y)[x]; };
  EXPECT_EQ(pixel(500, 90), PlayerColour(0) & 0xFFFF);
  EXPECT_EQ(pixel(300, 170), PlayerColour(3) & 0xFFFF);
  EXPECT_NE(pixel(98, 150), 0);  // the money axis
  EXPECT_EQ(pixel(400, 100), 0);
}

TEST_F(GameEnd, HardComputerWeaponsAndShoppingFollowItsPlan) {
  PlayerRecord p;
  p.stock[kMissile] = 10000;
  EXPECT_EQ(HardWeaponChoice(p), kMissile);
  p.stock[kGrenade] = 1;
  EXPECT_EQ(HardWeaponChoice(p), kMissile);  // only the shells that fly as its trials do
  p.stock[kBigMissile] = 1;
  EXPECT_EQ(HardWeaponChoice(p), kBigMissile);
  p.stock[kDefense] = 1;
  p.damage = 1600;
  EXPECT_EQ(HardWeaponChoice(p), kDefense);
  p.shieldCharges = 2;
  EXPECT_EQ(HardWeaponChoice(p), kBigMissile);

  struct Case { int32_t money; int16_t defense, gimlets; int expected; };
  const Case cases[] = {
      {399, 0, 0, -1},            // below the floor
      {2400, 0, 0, kDefense},     // a shield when it can pay for it twice
      {2300, 0, 0, kGimlet},      // not twice: GIMLETs first
      {5000, 1, 4, kBigMissile},
      {1399, 1, 4, -1},
  };
  for (const Case& c : cases) {
    PlayerRecord customer;
    customer.strength = kStrengthHard;
    customer.money = c.money;
    customer.stock[kDefense] = c.defense;
    customer.stock[kGimlet] = c.gimlets;
    EXPECT_EQ(ComputerShopChoice(customer), c.expected) << c.money;
  }
}
