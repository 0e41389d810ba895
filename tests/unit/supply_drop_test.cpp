// Supply drops: where a new one may appear (never next to another drop or
// over a fort), the fall onto the landing mask, and the fall again
// when the ground under it is shot away.
#include <gtest/gtest.h>

#include "players_test_state.h"
#include "sprites/blit.h"
#include "sprites/collision.h"
#include "weapon_test_world.h"

using weapon_test::WeaponWorld;

TEST(SupplyDrop, AppearsAwayFromOtherDropsAndForts) {
  // Where the drop after a first draw of 0 (a drop is tried) falls with
  // nothing in the way.
  float x;
  {
    WeaponWorld w;
    players_test::SetNextRand(0);
    SpawnSupplyDrop();
    ASSERT_NE(g_drops[0].kind, kDropNone);
    x = g_drops[0].x;
    EXPECT_GE(x, 60.0f);
    EXPECT_LE(x, 1460.0f);
    EXPECT_EQ(g_drops[0].y, -24.0f);
    // A drop is tried for first draws of 0 to 19 only (about one frame in 1640).
    ClearSupplyDrops();
    players_test::SetNextRand(19);
    SpawnSupplyDrop();
    EXPECT_NE(g_drops[0].kind, kDropNone);
    ClearSupplyDrops();
    players_test::SetNextRand(20);
    SpawnSupplyDrop();
    EXPECT_EQ(g_drops[0].kind, kDropNone);
  }
  const struct {
    float otherDrop, fort;  // 0: none
    bool appears;
  } cases[] = {{x + 29.5f, 0, false}, {x - 29.5f, 0, false}, {x + 30.5f, 0, true}, {x - 30.5f, 0, true},
               {0, x + 29.5f, false}, {0, x + 30.5f, true},  {0, x - 85.5f, false}, {0, x - 86.5f, true}};
  for (const auto& c : cases) {
    WeaponWorld w;
    if (c.otherDrop != 0) g_drops[0] = {c.otherDrop, 400, 0, kDropMoney};
    if (c.fort != 0) WeaponWorld::PlaceFort(1, c.fort, 400);
    players_test::SetNextRand(0);
    SpawnSupplyDrop();
    const SupplyDrop& drop = g_drops[c.otherDrop != 0 ? 1 : 0];  // the lowest free slot
    EXPECT_EQ(drop.kind != kDropNone, c.appears) << c.otherDrop << " " << c.fort;
    EXPECT_EQ(drop.x, c.appears ? x : 0.0f);
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
  EXPECT_EQ(g_drops[0].y, rest);
  EXPECT_EQ(g_drops[0].fallSpeed, 0.0f);
  // A crater under it: it falls again, faster each frame.
  w.sprites.Ground(650, 480, 760, 560, 0);
  SupplyDropFall();
  SupplyDropFall();
  EXPECT_GT(g_drops[0].y, rest + 0.25f);
}
