// A human's turn: weapon icons, the DIRECT MISSILE's target click, charging,
// and the shot fired towards the pointer.
#include "players/human.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "players/turns.h"
#include "players_test_state.h"
#include "shell/input_handlers.h"
#include "weapons/flight_programs.h"
#include "weapons/weapon_table.h"

namespace {

using players_test::PlayersTest;

constexpr float kFortX = 300, kFortY = 400;
constexpr int kAimX = 340, kAimY = 410;  // the fort's aim point

class HumanTurn : public PlayersTest {
 protected:
  void SetUp() override {
    PlayersTest::SetUp();
    sprites_.Make(15, 9, 9, 0x0421);                   // the pointer probe
    sprites_.Make(kWeaponSlotSprite, 24, 24, 0x5294);  // a weapon slot
    g_game.currentPlayer = 1;
    Me().x = kFortX;
    Me().y = kFortY;
    Me().stock[kMissile] = kUnlimitedStock;
  }
  static PlayerRecord& Me() { return g_players[1]; }
  static void PointAt(int worldX, int worldY) {
    g_input.cursorX = worldX - g_game.viewX;
    g_input.cursorY = worldY - g_game.viewY;
  }
  // Frames with the button held; the frame in which the shot was fired, or 0.
  static int HoldFor(int frames) {
    g_input.leftButton = 1;
    for (int frame = 1; frame <= frames; ++frame) {
      const int over = g_turn.turnOver;
      HumanTurnStep();
      if (g_turn.turnOver != over) return frame;
    }
    return 0;
  }
  static void Release() {
    g_input.leftButton = 0;
    HumanTurnStep();
  }
  // Clicks the icon of weapon i.
  static void ClickIcon(int i) {
    g_input.cursorX = kWeaponSlotLeft + kWeaponSlotSpacing * i + 12;
    g_input.cursorY = g_config.screenHeight - kWeaponSlotAboveBottom + 12;
    g_input.leftButton = 1;
    HumanTurnStep();
  }

  world_test::TestSprites sprites_;
};

TEST_F(HumanTurn, TheDivisorOfEveryWeaponAndItsSpeedAtFullPower) {
  const int divisors[kWeaponCount] = {6, 7, 7, 7, 6, 7, 33, 7, 8, 6};
  const int fullSpeed[kWeaponCount] = {16, 14, 14, 14, 16, 14, 3, 14, 12, 16};
  for (int w = 0; w < kWeaponCount; ++w) {
    EXPECT_EQ(ShotDivisor(w), divisors[w]) << w;
    EXPECT_EQ(100 / ShotDivisor(w), fullSpeed[w]) << w;
  }
}

TEST_F(HumanTurn, FullPowerFiresInThe100thFrameWithoutRelease) {
  g_game.viewX = 200;
  g_game.viewY = 100;
  PointAt(kAimX + 300, kAimY);
  EXPECT_EQ(HoldFor(99), 0);
  EXPECT_EQ(g_game.shotPower, 99);
  EXPECT_EQ(HoldFor(1), 1);
  EXPECT_EQ(g_input.leftButton, 0);
  EXPECT_EQ(g_game.shotPower, 0);
  ASSERT_EQ(ProjectilesInUse(), 1);
  const Projectile& shell = g_projectiles[0];
  EXPECT_EQ(shell.type, 1);
  EXPECT_EQ(shell.program, kMissile);
  EXPECT_EQ(shell.x, static_cast<float>(kAimX));
  EXPECT_EQ(shell.y, static_cast<float>(kAimY));
  EXPECT_EQ(shell.vx, 16.0f);
  EXPECT_EQ(shell.vy, 0.0f);
  EXPECT_EQ(Me().stock[kMissile], kUnlimitedStock);
  // Once the turn is over a press charges nothing.
  EXPECT_EQ(HoldFor(5), 0);
  EXPECT_EQ(g_game.shotPower, 0);
}

TEST_F(HumanTurn, TheShotFliesTowardsThePointer) {
  struct Case {
    int dx, dy;  // pointer from the aim point
    float angle;
  } cases[] = {
      {0, -50, -std::numbers::pi_v<float> / 2},  // straight up
      {0, 50, std::numbers::pi_v<float> / 2},    // straight down
      {-100, 0, 3.14159f},                       // left
      {100, -100, -std::numbers::pi_v<float> / 4},
      {-100, -100, 3.14159f + std::numbers::pi_v<float> / 4},  // up and left
  };
  for (const Case& c : cases) {
    for (Projectile& p : g_projectiles) p = Projectile();
    g_turn.turnOver = 0;
    PointAt(kAimX + c.dx, kAimY + c.dy);
    g_game.shotPower = 60;  // speed 10
    Release();
    const Projectile& shell = g_projectiles[0];
    ASSERT_EQ(shell.type, 1);
    EXPECT_NEAR(shell.vx, 10 * std::cos(c.angle), 1e-5) << c.dx << ", " << c.dy;
    EXPECT_NEAR(shell.vy, 10 * std::sin(c.angle), 1e-5) << c.dx << ", " << c.dy;
  }
}

TEST_F(HumanTurn, ReleaseBeforeTheDivisorLaunchesAtRest) {
  Me().stock[kGrenade] = 2;
  g_game.currentWeapon = kGrenade;
  PointAt(kAimX + 200, kAimY - 200);
  EXPECT_EQ(HoldFor(6), 0);  // the GRENADE's divisor is 7
  Release();
  ASSERT_EQ(ProjectilesInUse(), 1);
  EXPECT_EQ(g_projectiles[0].type, ProjectileTypeOfWeapon(kGrenade));
  EXPECT_EQ(g_projectiles[0].vx, 0.0f);
  EXPECT_EQ(g_projectiles[0].vy, 0.0f);
  EXPECT_EQ(g_turn.turnOver, 1);
  EXPECT_EQ(Me().stock[kGrenade], 1);
}

TEST_F(HumanTurn, ATurnWhoseTimerRanOutWhileChargingStillFires) {
  PointAt(kAimX + 100, kAimY);
  EXPECT_EQ(HoldFor(30), 0);
  g_turn.turnTimer = 1;
  GameTick();
  EXPECT_EQ(g_turn.turnOver, 0);
  Release();
  EXPECT_EQ(g_turn.turnOver, 1);
  EXPECT_EQ(g_projectiles[0].vx, 5.0f);
}

TEST_F(HumanTurn, DefenseByMouseReArmsARaisedShieldWhileTheDigitKeyRefuses) {
  players_test::ShieldSound sound;
  Me().stock[kDefense] = 2;
  Me().shieldCharges = 1;
  OnKeyDown('7');
  EXPECT_EQ(g_game.currentWeapon, kMissile);
  ClickIcon(kDefense);
  EXPECT_EQ(g_game.currentWeapon, kDefense);
  EXPECT_EQ(g_game.shotPower, 0);  // the click was used up
  PointAt(kAimX + 50, kAimY - 50);
  EXPECT_EQ(HoldFor(40), 0);
  Release();
  EXPECT_EQ(ProjectilesInUse(), 0);
  EXPECT_EQ(Me().shieldCharges, 3);
  EXPECT_EQ(Me().stock[kDefense], 1);
  EXPECT_EQ(g_turn.turnOver, 1);
  EXPECT_EQ(sound.Playing(), 1);
}

TEST_F(HumanTurn, AClickOnAnEmptyIconIsUsedUpWithoutChangingTheWeapon) {
  Me().stock[kGimlet] = 0;
  Me().stock[kGrenade] = 1;
  ClickIcon(kGimlet);
  EXPECT_EQ(g_game.currentWeapon, kMissile);
  EXPECT_EQ(g_input.leftButton, 0);
  EXPECT_EQ(g_game.shotPower, 0);
  ClickIcon(kGrenade);
  EXPECT_EQ(g_game.currentWeapon, kGrenade);
  EXPECT_EQ(ProjectilesInUse(), 0);
  g_turn.turnOver = 1;  // icons still choose once the shot is gone
  ClickIcon(kMissile);
  EXPECT_EQ(g_game.currentWeapon, kMissile);
}

TEST_F(HumanTurn, TheFirstDirectMissileClickMarksTheTargetAndDoesNotCharge) {
  Me().stock[kDirectMissile] = 1;
  g_game.currentWeapon = kDirectMissile;
  g_game.viewX = 500;
  g_game.viewY = 200;
  g_input.cursorX = 123;
  g_input.cursorY = 45;
  EXPECT_EQ(HoldFor(1), 0);
  EXPECT_EQ(g_game.targetMarked, 1);
  EXPECT_EQ(g_game.shotPower, 0);
  EXPECT_EQ(g_input.leftButton, 0);
  EXPECT_EQ(ProgramStep(kDirectMissile, 1).a, 623.0f);
  EXPECT_EQ(ProgramStep(kDirectMissile, 1).b, 245.0f);
  EXPECT_EQ(g_turn.directTargetX, 623.0f);
  EXPECT_EQ(g_turn.directTargetY, 245.0f);
  g_input.cursorX = 300;  // the next press charges and keeps the mark
  EXPECT_EQ(HoldFor(12), 0);
  EXPECT_EQ(g_game.shotPower, 12);
  Release();
  EXPECT_EQ(g_projectiles[0].type, ProjectileTypeOfWeapon(kDirectMissile));
  EXPECT_EQ(Me().stock[kDirectMissile], 0);
  EXPECT_EQ(g_turn.directTargetX, 623.0f);
}

}  // namespace
