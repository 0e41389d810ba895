// A human's turn: weapon icons, the DIRECT MISSILE's target click, charging,
// and the shot fired towards the pointer.
#include "players/human.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

#include "players_test_state.h"
#include "weapon_test_world.h"
#include "weapons/flight_programs.h"
#include "weapons/weapon_table.h"

namespace {

constexpr int kAimX = 340, kAimY = 410;  // the aim point of the fort at (300, 400)

class HumanTurn : public players_test::PlayersTest {
 protected:
  void SetUp() override {
    PlayersTest::SetUp();
    sprites_.Make(15, 9, 9, 0x0421);                   // the pointer probe
    sprites_.Make(kWeaponSlotSprite, 24, 24, 0x5294);  // a weapon slot
    g_game.currentPlayer = 1;
    std::tie(Me().x, Me().y) = std::make_tuple(300.0f, 400.0f);
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
    HoldFor(1);
  }

  world_test::TestSprites sprites_;
};

TEST_F(HumanTurn, TheDivisorOfEveryWeapon) {
  const int divisors[kWeaponCount] = {6, 7, 7, 7, 6, 7, 33, 7, 8, 6};
  for (int w = 0; w < kWeaponCount; ++w) EXPECT_EQ(ShotDivisor(w), divisors[w]) << w;
}

TEST_F(HumanTurn, FullPowerFiresInThe100thFrameWithoutRelease) {
  std::tie(g_game.viewX, g_game.viewY) = std::make_tuple(200, 100);
  PointAt(kAimX + 300, kAimY);
  EXPECT_EQ(HoldFor(99), 0);
  EXPECT_EQ(HoldFor(1), 1);
  EXPECT_EQ(std::make_tuple(g_input.leftButton.load(), g_game.shotPower.load()), std::make_tuple(0, 0));
  const Projectile& shell = g_projectiles[0];
  EXPECT_EQ(std::make_tuple(shell.type, shell.program, shell.x, shell.y, shell.vx, shell.vy),
            std::make_tuple(1, kMissile, float{kAimX}, float{kAimY}, 16.0f, 0.0f));
  EXPECT_EQ(Me().stock[kMissile], kUnlimitedStock);
  EXPECT_EQ(HoldFor(5), 0);  // once the turn is over a press charges nothing
  EXPECT_EQ(g_game.shotPower, 0);
  g_projectiles[0] = Projectile();
  g_turn.turnOver = 0;
  g_turn.powerLimit = 11;  // held at the limit, the gauge takes no step past it
  g_game.shotPower = 11;
  EXPECT_EQ(HoldFor(1), 1);
  EXPECT_EQ(g_projectiles[0].vx, 1.0f);  // 11 / 6
}

TEST_F(HumanTurn, TheShotFliesTowardsThePointerAtPowerOverDivisor) {
  constexpr float kPi = std::numbers::pi_v<float>;
  struct { int weapon, dx, dy; uint16_t power; float speed, angle; } cases[] = {  // dx, dy from the aim point
      {kMissile, 0, -50, 60, 10, -kPi / 2},                // straight up
      {kMissile, -100, 0, 60, 10, 3.14159f},               // left
      {kMissile, 100, -100, 60, 10, -kPi / 4},
      {kMissile, -100, -100, 60, 10, 3.14159f + kPi / 4},  // up and left
      {kGrenade, 200, -200, 6, 0, 0},                      // released before the divisor of 7: at rest
  };
  Me().stock[kGrenade] = 2;
  for (const auto& c : cases) {
    for (Projectile& p : g_projectiles) p = Projectile();
    g_turn.turnOver = 0;
    g_game.currentWeapon = static_cast<uint16_t>(c.weapon);
    PointAt(kAimX + c.dx, kAimY + c.dy);
    g_game.shotPower = c.power;
    Release();
    EXPECT_EQ(g_projectiles[0].type, ProjectileTypeOfWeapon(c.weapon));
    EXPECT_NEAR(g_projectiles[0].vx, c.speed * std::cos(c.angle), 1e-5) << c.dx << ", " << c.dy;
    EXPECT_NEAR(g_projectiles[0].vy, c.speed * std::sin(c.angle), 1e-5) << c.dx << ", " << c.dy;
  }
  EXPECT_EQ(std::make_tuple(Me().stock[kGrenade], g_turn.turnOver), std::make_tuple(1, 1));
}

TEST_F(HumanTurn, IconClicksChooseOnlyWeaponsLeftAndDefenseReArmsARaisedShield) {
  weapon_test::FakeSounds sound({{11, false}});
  Me().stock[kDefense] = 2;
  Me().stock[kGrenade] = 1;
  Me().shieldCharges = 1;
  ClickIcon(kGimlet);  // none left: the click is used up, the weapon stays
  EXPECT_EQ(std::make_tuple(g_game.currentWeapon.load(), g_input.leftButton.load(), g_game.shotPower.load()),
            std::make_tuple(kMissile, 0, 0));
  ClickIcon(kGrenade);
  EXPECT_EQ(g_game.currentWeapon, kGrenade);
  ClickIcon(kDefense);
  EXPECT_EQ(std::make_tuple(g_game.currentWeapon.load(), g_game.shotPower.load()), std::make_tuple(kDefense, 0));
  PointAt(kAimX + 50, kAimY - 50);
  EXPECT_EQ(HoldFor(40), 0);
  Release();
  EXPECT_EQ(std::make_tuple(ProjectilesInUse(), Me().shieldCharges.load(), Me().stock[kDefense], g_turn.turnOver,
                            sound.Playing(1)),
            std::make_tuple(0, 3, 1, 1, 1));
  ClickIcon(kMissile);  // icons still choose once the shot is gone
  EXPECT_EQ(g_game.currentWeapon, kMissile);
}

TEST_F(HumanTurn, TheFirstDirectMissileClickMarksTheTargetAndDoesNotCharge) {
  Me().stock[kDirectMissile] = 1;
  g_game.currentWeapon = kDirectMissile;
  std::tie(g_game.viewX, g_game.viewY) = std::make_tuple(500, 200);
  std::tie(g_input.cursorX, g_input.cursorY) = std::make_tuple(123, 45);
  EXPECT_EQ(HoldFor(1), 0);
  EXPECT_EQ(std::make_tuple(g_game.targetMarked.load(), g_game.shotPower.load(), g_input.leftButton.load()),
            std::make_tuple(1, 0, 0));
  EXPECT_EQ(std::make_tuple(ProgramStep(kDirectMissile, 1).a, ProgramStep(kDirectMissile, 1).b, g_turn.directTargetX,
                            g_turn.directTargetY),
            std::make_tuple(623.0f, 245.0f, 623.0f, 245.0f));
  g_input.cursorX = 300;  // the next press charges and keeps the mark
  EXPECT_EQ(HoldFor(12), 0);
  Release();
  EXPECT_EQ(std::make_tuple(g_projectiles[0].type, Me().stock[kDirectMissile], g_turn.directTargetX),
            std::make_tuple(ProjectileTypeOfWeapon(kDirectMissile), 0, 623.0f));
}

}  // namespace
