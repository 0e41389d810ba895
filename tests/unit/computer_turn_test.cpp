// The computer's turn: its weapon for a new turn, the trial trajectories over
// the terrain, the end of the search with the power to reach, the fallback
// to the MISSILE, the GIMLET, the error of the shot, and DEFENSE.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "players/computer.h"
#include "players/turns.h"
#include "players_test_state.h"
#include "weapons/weapon_table.h"

namespace {

using players_test::PlayersTest;
using players_test::SetNextRand;

constexpr int kGroundY = 600;

class ComputerTurn : public PlayersTest {
 protected:
  static void PlaceForts(float x0, float y0, float x1, float y1) {
    std::tie(g_players[0].x, g_players[0].y, g_players[1].x, g_players[1].y) = std::tie(x0, y0, x1, y1);
  }
  // Ground from kGroundY down, sky above.
  void FlatGround() {
    sprites_.Ground(0, kGroundY, kWorldWidth, kWorldHeight);
    sprites_.Ground(0, 0, kWorldWidth, kGroundY, 0);
  }
  // White dots in the terrain rectangle strictly inside (x0, y0)-(x1, y1).
  int DotsWithin(int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0 + 1; y < y1; ++y)
      for (int x = x0 + 1; x < x1; ++x) n += sprites_.At(x, y) == kTrialDot;
    return n;
  }
  int Dots() { return DotsWithin(-1, -1, kWorldWidth, kWorldHeight); }

  world_test::TestSprites sprites_;
};

TEST_F(ComputerTurn, WeaponChoiceOddsAtTheirBoundariesAndTheFastWeaponsFirstSpeed) {
  g_game.currentPlayer = 1;
  PlayerRecord& p = g_players[1];
  struct { int r; int16_t damage, shield, stock; int weapon; } cases[] = {
      {4, 0, 0, 5, kBigMissile},     {5, 0, 0, 5, kGrenade},          {14, 0, 0, 5, kGrenade},
      {15, 0, 0, 5, kSuperGrenade},  {19, 0, 0, 5, kSuperGrenade},    {20, 0, 0, 5, kHyperTube},
      {24, 0, 0, 5, kHyperTube},     {25, 0, 0, 5, kBallGrenade},     {29, 0, 0, 5, kBallGrenade},
      {30, 0, 0, 5, kGroundDefense}, {33, 2400, 0, 5, kGroundDefense}, {34, 0, 0, 5, kMissile},
      {41, 1000, 0, 5, kMissile},    {34, 1001, 0, 5, kDefense},      {41, 1001, 0, 5, kDefense},
      {42, 1001, 0, 5, kMissile},    {41, 1001, 1, 5, kMissile},      {15, 2000, 0, 0, kMissile},  // none left
  };
  for (const auto& c : cases) {
    for (int w = 0; w < kWeaponCount; ++w) p.stock[w] = c.stock;
    p.damage = c.damage;
    p.shieldCharges = c.shield;
    g_game.currentWeapon = kGimlet;
    g_aim.Reset();
    SetNextRand((c.r * 32767 + 44) / 45);  // the lowest random number giving a draw of r (0..45)
    ComputerWeaponChoice();
    EXPECT_EQ(g_game.currentWeapon, c.weapon) << "r " << c.r << ", damage " << c.damage << ", shield " << c.shield;
    const bool fast = c.weapon == kHyperTube || c.weapon == kSuperGrenade;
    EXPECT_EQ(g_aim.trialSpeed, fast ? 7 : 4) << "r " << c.r;
  }
}

TEST_F(ComputerTurn, TrialsStopAtAnEnemyFortsSolidPixelsOnly) {
  // An enemy fort's solid pixels end a trial; the empty ones of its box let it through.
  PlaceForts(300, 550, 900, 550);
  g_input.rightButton = 1;
  for (bool solid : {true, false}) {
    FlatGround();
    sprites_.Make(10, 80, 50, solid ? 0x1111 : 0);
    g_aim.Reset();
    for (int speed = 4; speed <= 15; ++speed) AimSearch(speed, 0.1f, 15.0f);
    EXPECT_EQ(DotsWithin(900, 550, 980, 600) > 0, solid);
    EXPECT_TRUE(!solid || g_aim.bestMiss <= 60.0f) << g_aim.bestMiss;
    if (solid) continue;
    EXPECT_GT(DotsWithin(900, kGroundY - 1, 980, kGroundY + 1), 0) << "no trial through the box to the ground";
    const uint16_t* picture = sprites_.Surface(10)->Data();
    EXPECT_EQ(std::count(picture, picture + 80 * 50, 0), 80 * 50) << "dot in the fort picture";
  }
}

TEST_F(ComputerTurn, AFailedLockSkipsThatSpeedAndATrialThatCanNeitherLeaveNorLandIsGivenUp) {
  FlatGround();
  PlaceForts(700, 550, 900, 550);
  g_input.rightButton = 1;
  sprites_.Surface(kTerrainSprite)->SetLost(true);
  ComputerTurnStep();
  EXPECT_EQ(std::make_tuple(g_aim.trialSpeed, g_aim.bestMiss), std::make_tuple(5, 1000000.0f));
  sprites_.Surface(kTerrainSprite)->SetLost(false);
  ComputerTurnStep();  // the trials start inside its own (solid) fort and fan out past it
  EXPECT_EQ(std::make_tuple(g_aim.trialSpeed, g_aim.bestSpeed, Dots()), std::make_tuple(6, 5, 26));
  EXPECT_EQ(DotsWithin(700, 550, 780, 600), 0) << "stopped by its own fort";
  g_input.rightButton = 0;  // dots only with the right button
  ComputerTurnStep();
  EXPECT_EQ(Dots(), 26);

  FlatGround();
  g_aim.Reset();
  PlaceForts(700, 300, 100, 300);
  AimSearch(0, 0.0f, 15.0f);  // no speed, no gravity: every trial hangs in the air
  EXPECT_EQ(std::make_tuple(g_aim.bestMiss, Dots()), std::make_tuple(1000000.0f, 0));
}

TEST_F(ComputerTurn, DefenseEndsItsSearchInOneFrameAndRaisesTheShieldWithoutALaunch) {
  FlatGround();
  PlaceForts(200, 550, 400, 550);
  g_players[0].stock[kDefense] = 1;
  g_game.currentWeapon = kDefense;
  ComputerTurnStep();
  EXPECT_EQ(std::make_tuple(g_aim.aimed, g_aim.bestSpeed), std::make_tuple(1, 100));  // 4 x 100 / 3, capped
  int frames = 0;  // after the first
  for (; !g_turn.turnOver && frames < 200; ++frames) ComputerTurnStep();
  EXPECT_EQ(frames, 100);
  EXPECT_EQ(std::make_tuple(ProjectilesInUse(), g_players[0].shieldCharges.load(), g_game.shotPower.load()),
            std::make_tuple(0, 3, 0));
}

TEST_F(ComputerTurn, AfterItsTopSpeedAWeaponMissingWidelyFallsBackElseItChargesAndAWideMissileIsAGimlet) {
  PlaceForts(500, 300, 100, 300);  // an empty terrain and fort picture: the trials change nothing
  sprites_.Make(10, 80, 50, 0);
  g_players[0].stock[kGrenade] = 5;
  g_players[0].stock[kMissile] = kUnlimitedStock;
  // The weapon, the last speed searched, the best miss and speed, the GIMLETs;
  // then the weapon, the aim state and whether the shot was fired.
  struct { int weapon; int16_t speed; float bestMiss; int16_t bestSpeed, gimlets; int then; uint16_t aimed;
           int16_t trialSpeed, power; bool fired; } cases[] = {
      {kGrenade, 14, 60.5f, 6, 1, kMissile, 0, 4, 6, false},  // searched again from 4 with the MISSILE
      {kGrenade, 13, 900.0f, 6, 1, kGrenade, 0, 14, 6, false},
      {kGrenade, 14, 60.0f, 7, 1, kGrenade, 1, 0, 50, false},  // 7 x 100 / 14
      {kGimlet, 15, 900.0f, 15, 1, kGimlet, 1, 0, 100, false},
      {kMissile, 15, 40.5f, 0, 1, kGimlet, 1, 0, 0, true},  // no power to charge: fired at once
      {kMissile, 15, 40.0f, 0, 1, kMissile, 1, 0, 0, true},
      {kMissile, 15, 900.0f, 0, 0, kMissile, 1, 0, 0, true},
  };
  for (const auto& c : cases) {
    for (Projectile& p : g_projectiles) p = Projectile();
    g_players[0].stock[kGimlet] = c.gimlets;
    g_game.currentWeapon = static_cast<uint16_t>(c.weapon);
    g_game.shotPower = 0;
    g_turn.turnOver = 0;
    g_aim = {0, c.speed, c.bestMiss, c.bestSpeed, 2.0f, -3.0f};
    ComputerTurnStep();
    EXPECT_EQ(std::make_tuple(g_game.currentWeapon.load(), g_aim.aimed, g_aim.trialSpeed, g_aim.bestSpeed),
              std::make_tuple(c.then, c.aimed, c.trialSpeed, c.power))
        << "weapon " << c.weapon << ", speed " << c.speed << ", miss " << c.bestMiss;
    EXPECT_EQ(g_game.shotPower, c.aimed && c.power > 0 ? 1 : 0) << "the first step of the gauge";
    ASSERT_EQ(ProjectilesInUse(), c.fired ? 1 : 0);
    if (!c.fired) continue;
    EXPECT_EQ(std::make_tuple(g_projectiles[0].type, g_players[0].stock[kGimlet]),
              std::make_tuple(ProjectileTypeOfWeapon(c.then), c.gimlets - (c.then == kGimlet ? 1 : 0)));
  }
}

}  // namespace
