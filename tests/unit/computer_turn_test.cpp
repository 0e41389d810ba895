// The computer's turn: the trial trajectories over the terrain, the end of
// the search with the power to reach, the fallback to the MISSILE, the
// GIMLET, the error of the shot, DEFENSE, and a whole turn from its start.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/message_box.h"
#include "platform/runtime.h"
#include "players/computer.h"
#include "players/turns.h"
#include "players_test_state.h"
#include "weapons/weapon_table.h"
#include "world/fort_placement.h"
#include "world/landscape.h"
#include "world/level_file.h"

namespace {

using players_test::PlayersTest;
using players_test::SetNextRand;

constexpr int kGroundY = 600;

class ComputerTurn : public PlayersTest {
 protected:
  void SetUp() override {
    PlayersTest::SetUp();
    for (int i = 0; i < 2; ++i) {
      g_players[i].control = 1;
      g_players[i].stock[kMissile] = kUnlimitedStock;
    }
  }
  static void PlaceFort(int i, float x, float y) {
    g_players[i].x = x;
    g_players[i].y = y;
  }
  // Ground from kGroundY down.
  void FlatGround() { sprites_.Ground(0, kGroundY, kWorldWidth, kWorldHeight); }
  // Ground everywhere but the rectangle [x0, x1) x [y0, y1).
  void Pit(int x0, int y0, int x1, int y1) {
    sprites_.Ground(0, 0, kWorldWidth, kWorldHeight);
    sprites_.Ground(x0, y0, x1, y1, 0);
  }
  // White dots in the terrain rectangle strictly inside (x0, y0)-(x1, y1).
  int DotsWithin(int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0 + 1; y < y1; ++y)
      for (int x = x0 + 1; x < x1; ++x) n += sprites_.At(x, y) == kTrialDot;
    return n;
  }
  int Dots() { return DotsWithin(-1, -1, kWorldWidth, kWorldHeight); }
  // Runs whole frames of the computer's turn until it fires; the frame, or 0.
  static int FramesUntilFired(int limit) {
    for (int frame = 1; frame <= limit; ++frame) {
      ComputerTurnStep();
      if (g_turn.turnOver) return frame;
    }
    return 0;
  }

  world_test::TestSprites sprites_;
};

TEST_F(ComputerTurn, TrialsFanOutAndLeaveWhiteDotsOnlyWithTheRightButton) {
  FlatGround();
  PlaceFort(0, 700, 550);  // the trials start inside its own (solid) fort
  PlaceFort(1, 100, 550);
  struct Case {
    int weapon;
    uint8_t rightButton;
    int dots;
  } cases[] = {{kMissile, 1, 26}, {kDefense, 1, 18}, {kMissile, 0, 0}};
  for (const Case& c : cases) {
    FlatGround();
    sprites_.Ground(0, 0, kWorldWidth, kGroundY, 0);
    g_game.currentWeapon = static_cast<uint16_t>(c.weapon);
    g_input.rightButton = c.rightButton;
    g_aim.Reset();
    AimSearch(6, 0.1f, 15.0f);
    EXPECT_EQ(Dots(), c.dots) << "weapon " << c.weapon << ", right button " << int{c.rightButton};
    EXPECT_EQ(DotsWithin(700, 550, 780, 600), 0) << "stopped by its own fort";
    EXPECT_EQ(g_aim.bestSpeed, 6);
    EXPECT_LT(g_aim.bestMiss, 1000000.0f);
  }
}

TEST_F(ComputerTurn, TrialsEndOnAFortsSolidPixelsAndFlyOnThroughItsBoxsEmptyOnes) {
  PlaceFort(0, 300, 550);
  PlaceFort(1, 900, 550);
  g_input.rightButton = 1;
  for (bool solid : {true, false}) {
    FlatGround();
    sprites_.Ground(0, 0, kWorldWidth, kGroundY, 0);
    sprites_.Make(10, 80, 50, solid ? 0x1111 : 0);
    g_aim.Reset();
    for (int speed = 4; speed <= 15; ++speed) AimSearch(speed, 0.1f, 15.0f);
    if (solid) {
      EXPECT_GT(DotsWithin(900, 550, 980, 600), 0);
      EXPECT_LE(g_aim.bestMiss, 60.0f);
    } else {
      EXPECT_EQ(DotsWithin(900, 550, 980, 600), 0);
      EXPECT_GT(DotsWithin(900, kGroundY - 1, 980, kGroundY + 1), 0) << "no trial through the box to the ground";
      for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 80; ++x) ASSERT_EQ(sprites_.Surface(10)->At(x, y), 0) << "dot in the fort picture";
    }
  }
}

TEST_F(ComputerTurn, DefenseEndsItsSearchInOneFrameAndRaisesTheShieldWithoutALaunch) {
  players_test::ShieldSound sound;
  FlatGround();
  PlaceFort(0, 200, 550);
  PlaceFort(1, 400, 550);
  g_players[0].stock[kDefense] = 1;
  g_game.currentWeapon = kDefense;
  ComputerTurnStep();
  EXPECT_EQ(g_aim.aimed, 1);
  EXPECT_EQ(g_aim.bestSpeed, 100) << "4 x 100 / 3 is capped at the power limit";
  EXPECT_EQ(g_game.shotPower, 1);
  EXPECT_EQ(FramesUntilFired(200), 100);
  EXPECT_EQ(ProjectilesInUse(), 0);
  EXPECT_EQ(g_players[0].shieldCharges, 3);
  EXPECT_EQ(g_players[0].stock[kDefense], 0);
  EXPECT_EQ(g_game.shotPower, 0);
  EXPECT_EQ(sound.Playing(), 1);
}

TEST_F(ComputerTurn, AMissileMissingWidelyBecomesAGimlet) {
  struct Case {
    int weapon;
    float bestMiss;
    int16_t gimlets;
    int fired;
  } cases[] = {{kMissile, 40.5f, 1, kGimlet},
               {kMissile, 40.0f, 1, kMissile},
               {kMissile, 900.0f, 0, kMissile},
               {kGrenade, 900.0f, 1, kGrenade},
               {kGimlet, 900.0f, 1, kGimlet}};
  PlaceFort(0, 500, 300);
  for (const Case& c : cases) {
    for (Projectile& p : g_projectiles) p = Projectile();
    g_players[0].stock[kGimlet] = c.gimlets;
    g_players[0].stock[kGrenade] = 1;
    g_game.currentWeapon = static_cast<uint16_t>(c.weapon);
    g_turn.turnOver = 0;
    g_aim = {1, 0, c.bestMiss, 0, 2.0f, -3.0f};
    ComputerTurnStep();
    ASSERT_EQ(ProjectilesInUse(), 1);
    EXPECT_EQ(g_projectiles[0].type, ProjectileTypeOfWeapon(c.fired)) << c.weapon << ", miss " << c.bestMiss;
    EXPECT_EQ(g_game.currentWeapon, c.fired);
    EXPECT_EQ(g_players[0].stock[kGimlet], c.gimlets - (c.fired == kGimlet ? 1 : 0));
    EXPECT_EQ(g_players[0].stock[kMissile], kUnlimitedStock);
  }
}

TEST_F(ComputerTurn, WithEveryTrialLeavingTheWorldTheShellStartsWithOnlyTheError) {
  PlaceFort(0, 700, 300);  // an empty terrain and fort picture: every trial falls out of the world
  PlaceFort(1, 100, 300);
  sprites_.Make(10, 80, 50, 0);
  g_players[0].stock[kGimlet] = 1;
  SetNextRand(0);  // the lowest error for velocity x
  EXPECT_EQ(FramesUntilFired(50), 12);
  EXPECT_EQ(g_aim.bestMiss, 1000000.0f);
  ASSERT_EQ(ProjectilesInUse(), 1);
  const Projectile& shell = g_projectiles[0];
  EXPECT_EQ(shell.type, ProjectileTypeOfWeapon(kGimlet));
  EXPECT_EQ(shell.x, 740.0f);
  EXPECT_EQ(shell.y, 310.0f);
  EXPECT_FLOAT_EQ(shell.vx, -0.75f);
  EXPECT_LE(std::fabs(shell.vy), 0.75f);
}

TEST_F(ComputerTurn, AFailedLockSkipsThatSpeedsTrials) {
  FlatGround();
  PlaceFort(0, 700, 550);
  PlaceFort(1, 900, 550);
  g_input.rightButton = 1;
  sprites_.Surface(kTerrainSprite)->SetLost(true);
  ComputerTurnStep();
  EXPECT_EQ(g_aim.trialSpeed, 5);
  EXPECT_EQ(g_aim.bestMiss, 1000000.0f);
  sprites_.Surface(kTerrainSprite)->SetLost(false);
  ComputerTurnStep();
  EXPECT_EQ(g_aim.trialSpeed, 6);
  EXPECT_EQ(g_aim.bestSpeed, 5);
  EXPECT_EQ(Dots(), 26);
}

TEST_F(ComputerTurn, ATrialThatCanNeitherLeaveNorLandIsGivenUp) {
  PlaceFort(0, 700, 300);
  PlaceFort(1, 100, 300);
  g_input.rightButton = 1;
  AimSearch(0, 0.0f, 15.0f);  // no speed, no gravity: every trial hangs in the air
  EXPECT_EQ(g_aim.bestMiss, 1000000.0f);
  EXPECT_EQ(Dots(), 0);
}

TEST_F(ComputerTurn, AWholeTurnFallsBackToTheMissileAndFiresWithin123Frames) {
  // Player 0 has just fired; the computer, player 1, chooses a GRENADE
  // and searches from a pit, far from player 0.
  PlaceFort(0, 100, 600);
  PlaceFort(1, 700, 300);
  Pit(690, 270, 790, 350);
  g_players[1].stock[kGrenade] = 1;
  g_players[1].stock[kGimlet] = 10;
  g_turn.turnOver = 1;
  SetNextRand(12 * 32767 / 45 + 1);  // GRENADE
  for (int frame = 0; frame < 50; ++frame) TurnChange();
  ASSERT_EQ(g_game.currentPlayer, 1);
  ASSERT_EQ(g_game.currentWeapon, kGrenade);

  int fallback = 0, aimed = 0, fired = 0;
  float keptMiss = 0;
  for (int frame = 1; frame <= 200 && !fired; ++frame) {
    const float missBefore = g_aim.bestMiss;
    ComputerTurnStep();
    EXPECT_LE(g_aim.bestMiss, missBefore) << "frame " << frame;
    if (!fallback && g_game.currentWeapon == kMissile) {
      fallback = frame;
      keptMiss = g_aim.bestMiss;
      EXPECT_EQ(g_aim.trialSpeed, 4);
      EXPECT_GT(keptMiss, kFallbackMiss);
      EXPECT_LT(keptMiss, 1000000.0f);
    }
    if (!aimed && g_aim.aimed) aimed = frame;
    if (g_turn.turnOver) fired = frame;
    TurnChange();
    StepFramePhase();
  }
  EXPECT_EQ(fallback, 11);  // GRENADE speeds 4 to 14
  EXPECT_EQ(aimed, 23);     // then MISSILE speeds 4 to 15
  EXPECT_GT(fired, aimed);
  EXPECT_LE(fired, 23 + 100);
  ASSERT_EQ(ProjectilesInUse(), 1);
  EXPECT_EQ(g_projectiles[0].type, ProjectileTypeOfWeapon(kGimlet));
  EXPECT_EQ(g_players[1].stock[kGimlet], 9);
  EXPECT_EQ(g_players[1].stock[kGrenade], 1);
}

}  // namespace

namespace {

// Whether the enemy's fort is open to the shooter's: nothing but sky above
// either fort's box and on the straight line between the middles of their tops.
bool Open(world_test::TestSprites& s, const PlayerRecord& shooter, const PlayerRecord& enemy) {
  for (const PlayerRecord* p : {&shooter, &enemy})
    for (int y = 0; y < static_cast<int>(p->y); ++y)
      for (int x = static_cast<int>(p->x); x < static_cast<int>(p->x) + 80; ++x)
        if (s.At(x, y) != 0) return false;
  for (int k = 0; k <= 1000; ++k) {
    const float t = k / 1000.0f;
    const int x = static_cast<int>(shooter.x + 40 + t * (enemy.x - shooter.x));
    const int y = static_cast<int>(shooter.y + t * (enemy.y - shooter.y));
    if (s.At(x, y) != 0) return false;
  }
  return true;
}

}  // namespace

TEST_F(ComputerTurn, OnOurLevelsTheSearchComesWithin60PixelsOfAnOpenEnemyFort) {
  static LevelTable saved;
  saved = g_levelTable;
  platform::ClearMessagesShown();
  LoadLevelTableFrom(platform::DataPath("level.frc"));
  ASSERT_TRUE(platform::MessagesShown().empty()) << "no level.frc: build the data first";
  int open = 0;
  for (int level = 0; level < 12; ++level) {
    g_level = g_levelTable.Get(level);
    g_game.scenerySet = static_cast<uint16_t>(level % 5);
    BuildLandscape();
    UsePlayers(5);
    platform::SeedRand(static_cast<uint32_t>(level) * 7919u + 1u);
    PlaceFortsOnLandscape(5, GameRandom());
    bool anyOpen = false;
    for (int enemy = 1; enemy < 5; ++enemy) anyOpen = anyOpen || Open(sprites_, g_players[0], g_players[enemy]);
    if (!anyOpen) continue;
    ++open;
    g_game.currentPlayer = 0;
    g_game.currentWeapon = kMissile;
    g_aim.Reset();
    for (int speed = 4; speed <= 15; ++speed) AimSearch(speed, 0.1f, 15.0f);
    EXPECT_LT(g_aim.bestMiss, 60.0f) << "level " << level;
  }
  EXPECT_GE(open, 3);
  g_levelTable = saved;
}
