// Contacts: the ground (bouncing shells are not exploded by it in flight),
// forts and shields with the shooter's own fort and shield spared while a
// shell is launching, GIMLET and GROUND DEFENSE passing through, and the
// destroyed-fort check. Supply drops: where a new one may appear (never next
// to another drop or over a fort), the fall onto the landing mask and again
// when the ground under it is shot away, and their rewards.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "platform/random.h"
#include "players_test_state.h"
#include "sprites/collision.h"
#include "weapon_test_world.h"
#include "weapons/rewards.h"
#include "weapons/weapon_table.h"

using weapon_test::WeaponWorld;

namespace {

enum Where { kOnTheGround, kOnTheShield, kOnTheFort };

// Where the shell's 16 x 16 picture is centred to touch what: the ground
// starts at y = 600; forts stand at (200, 400) and (800, 400), their shields
// 35 pixels above.
void Aim(Projectile& p, Where where, int player) {
  const float fx = g_players[player].x, fy = g_players[player].y;
  p.x = where == kOnTheGround ? 500 : fx + 40;
  p.y = where == kOnTheGround ? 595 : where == kOnTheShield ? fy - 25 : fy + 25;
}

}  // namespace

TEST(ProjectileCollisions, GroundFortsAndShieldsByStateAndShooter) {
  // Player 0 shoots at the target's fort, ground or shield of the given charges.
  const struct { int type; uint16_t state; Where where; int target, charges; bool hit; int chargesAfter; } cases[] = {
      {1, kFlying, kOnTheGround, 1, 0, true, 0},
      {3, kFlying, kOnTheGround, 1, 0, false, 0},   // a grenade bounces instead
      {3, kLaunching, kOnTheGround, 1, 0, true, 0},  // but not while launching
      {kTypeGimlet, kFlying, kOnTheGround, 1, 0, true, 0},
      {1, kFlying, kOnTheShield, 1, 1, true, 0},  // an opponent's shield absorbs one charge
      {1, kFlying, kOnTheShield, 1, 0, false, 0},
      {1, kFlying, kOnTheShield, 0, 1, false, 1},  // the shooter's own shield never
      {1, kFlying, kOnTheFort, 0, 0, true, 0},  // in flight the own fort is hit
      {1, kLaunching, kOnTheFort, 0, 0, false, 0},
      {1, kLaunching, kOnTheFort, 1, 0, true, 0},
      {3, kFlying, kOnTheFort, 1, 0, true, 0},
      {kTypeGimlet, kFlying, kOnTheShield, 1, 1, false, 1},
      {kTypeGimlet, kFlying, kOnTheFort, 1, 0, false, 0},
      {kTypeGroundDefense, kFlying, kOnTheFort, 1, 0, false, 0},
  };
  for (const auto& c : cases) {
    WeaponWorld w;
    w.sprites.Ground(0, 600, kWorldWidth, kWorldHeight);
    WeaponWorld::PlaceFort(0, 200, 400);
    WeaponWorld::PlaceFort(1, 800, 400);
    g_players[c.target].shieldCharges = static_cast<int16_t>(c.charges);
    Projectile& p = WeaponWorld::Put(0, c.type, c.state, 0, 0);
    Aim(p, c.where, c.target);
    ProjectileCollisions();
    EXPECT_EQ(p.state, c.hit ? uint16_t{kHit} : c.state) << "case " << &c - cases;
    EXPECT_EQ(g_players[c.target].shieldCharges, c.chargesAfter) << "case " << &c - cases;
  }
}

TEST(ProjectileCollisions, OneShellUsesEveryShieldAndDropItTouches) {
  WeaponWorld w(3);
  WeaponWorld::PlaceFort(1, 700, 400);
  WeaponWorld::PlaceFort(2, 790, 400);  // the shields overlap at x 770 .. 799
  g_players[1].shieldCharges = 2;
  g_players[2].shieldCharges = 1;
  g_drops[3] = {500, 300, 0, kDropMoney};
  g_drops[7] = {510, 310, 0, kDropWeapon};
  WeaponWorld::Put(0, 1, kFlying, 785, 375);
  WeaponWorld::Put(1, 1, kFlying, 515, 315);
  ProjectileCollisions();
  EXPECT_TRUE(g_projectiles[0].state == kHit && g_projectiles[1].state == kHit);
  EXPECT_EQ(std::tie(g_players[1].shieldCharges, g_players[2].shieldCharges), std::make_tuple(int16_t{1}, int16_t{0}));
  EXPECT_TRUE(g_drops[3].kind == kDropNone && g_drops[7].kind == kDropNone && g_drops[7].x == 0);
  EXPECT_GE(g_players[0].money, 1000);  // the money drop's reward
}

TEST(SupplyDropReward, MoneyOrAWeaponForTheShooterWithItsMessage) {
  for (int kind : {kDropMoney, kDropWeapon}) {
    for (uint32_t seed : {77u, 900001u}) {
      world_test::Players players(3);
      g_game.currentPlayer = 2;
      g_players[2].name = "NONAME 03";
      g_players[2].money = 7;
      for (int k = 0; k < kWeaponCount; ++k) g_players[2].stock[k] = 5;
      platform::SeedRand(seed);
      const int r = platform::Rand();  // the one draw
      platform::SeedRand(seed);
      RewardSupplyDrop(kind);
      const int gained = g_players[2].money - 7, weapon = DropWeapon(r * 50 / platform::kRandMax);
      const bool money = kind == kDropMoney;
      EXPECT_EQ(gained, money ? 1000 + r * 1000 / platform::kRandMax : 0) << seed;
      for (int k = 0; k < kWeaponCount; ++k) EXPECT_EQ(g_players[2].stock[k], !money && k == weapon ? 6 : 5) << seed;
      EXPECT_EQ(g_game.statusMessage, "NONAME 03 : " + (money ? std::to_string(gained) + "$" : WeaponName(weapon)));
      EXPECT_EQ(g_game.messageTimer, 100);
    }
  }
}

TEST(SupplyDropReward, WeaponTableOfTheDraw) {
  // Each weapon's share of the draws 0 .. 50.
  const struct { int first, last, weapon; } shares[] = {
      {0, 5, kBigMissile},      {6, 15, kGrenade},    {16, 20, kSuperGrenade}, {21, 26, kDirectMissile}, {27, 28, kHyperTube},
      {29, 31, kDefense},       {32, 36, kGroundDefense}, {37, 39, kBallGrenade}, {40, 50, kGimlet}};
  for (const auto& c : shares)
    for (int n = c.first; n <= c.last; ++n) EXPECT_EQ(DropWeapon(n), c.weapon) << n;
}

TEST(DestroyedFortCheck, AboveTwoThousandFiveHundredOnceWithItsSound) {
  weapon_test::FakeSounds sounds({{22, false}});
  WeaponWorld w(3);
  std::tie(g_players[0].damage, g_players[1].damage, g_players[2].damage) = std::make_tuple(2500, 2501, 3000);
  g_players[2].destroyed = 1;  // already: no second sound
  DestroyedFortCheck();
  DestroyedFortCheck();
  EXPECT_EQ(std::tie(g_players[0].destroyed, g_players[1].destroyed, g_players[2].destroyed), std::make_tuple(0, 1, 1));
  EXPECT_EQ(sounds.Playing(1), 1);
}

TEST(SupplyDrop, AppearsAwayFromOtherDropsAndForts) {
  // A drop is tried for first draws of 0 to 19 only (about one frame in 1640);
  // after a draw of 0 it appears at x, y with nothing in the way.
  float x = 0;
  {
    WeaponWorld w;
    players_test::SetNextRand(0);
    SpawnSupplyDrop();
    x = g_drops[0].x;
    EXPECT_TRUE(x >= 60 && x <= 1460 && g_drops[0].y == -24.0f) << x << ", " << g_drops[0].y;
  }
  // The first draw, and another drop or a fort at the given x (0: none).
  const struct { int draw; float otherDrop, fort; bool appears; } cases[] = {
      {19, 0, 0, true},         {20, 0, 0, false},        {0, x + 29.5f, 0, false}, {0, x - 29.5f, 0, false},
      {0, x + 30.5f, 0, true},  {0, x - 30.5f, 0, true},  {0, 0, x + 29.5f, false}, {0, 0, x + 30.5f, true},
      {0, 0, x - 85.5f, false}, {0, 0, x - 86.5f, true}};
  for (const auto& c : cases) {
    WeaponWorld w;
    if (c.otherDrop != 0) g_drops[0] = {c.otherDrop, 400, 0, kDropMoney};
    if (c.fort != 0) WeaponWorld::PlaceFort(1, c.fort, 400);
    players_test::SetNextRand(c.draw);
    SpawnSupplyDrop();
    const SupplyDrop& drop = g_drops[c.otherDrop != 0 ? 1 : 0];  // the lowest free slot
    EXPECT_EQ(drop.kind != kDropNone, c.appears) << c.draw << " " << c.otherDrop << " " << c.fort;
  }
}

TEST(SupplyDrop, LandsOnItsMaskAndFallsAgainWhenTheGroundGoes) {
  WeaponWorld w;
  w.sprites.Ground(0, 500, kWorldWidth, kWorldHeight);
  g_drops[0] = {700, -24, 0, kDropWeapon};
  auto maskOnGround = [] {
    return SpritesCollide(Sprite(425), 700, static_cast<int>(g_drops[0].y) + 22, Sprite(kTerrainSprite), 0, 0);
  };
  int frames = 0;
  while (!maskOnGround() && frames < 500) SupplyDropFall(), ++frames;
  ASSERT_TRUE(maskOnGround());
  const float rest = g_drops[0].y;
  EXPECT_GT(rest + 24, 500.0f);
  for (int f = 0; f < 50; ++f) SupplyDropFall();
  EXPECT_EQ(std::tie(g_drops[0].y, g_drops[0].fallSpeed), std::make_tuple(rest, 0.0f));
  // A crater under it: it falls again, faster each frame.
  w.sprites.Ground(650, 480, 760, 560, 0);
  SupplyDropFall();
  SupplyDropFall();
  EXPECT_GT(g_drops[0].y, rest + 0.25f);
}
