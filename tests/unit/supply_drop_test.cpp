// Supply drops: where a new one may appear (never next to another drop or
// over a fort), its kind, the fall onto the landing mask, and the fall again
// when the ground under it is shot away.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/random.h"
#include "sprites/blit.h"
#include "sprites/collision.h"
#include "weapon_test_world.h"

using weapon_test::WeaponWorld;

namespace {

// A generator state whose next number is below 20, so that a drop is tried.
uint32_t StateForADrop(uint32_t from) {
  for (uint32_t s = from;; ++s)
    if ((((s * 214013u + 2531011u) >> 16) & 0x7FFF) < 20) return s;
}

}  // namespace

TEST(SupplyDrop, AppearsAwayFromOtherDropsAndForts) {
  // Where the drop of this state falls with nothing in the way.
  const uint32_t state = StateForADrop(1000);
  float x;
  {
    WeaponWorld w;
    platform::SeedRand(state);
    SpawnSupplyDrop();
    ASSERT_NE(g_drops[0].kind, kDropNone);
    x = g_drops[0].x;
    EXPECT_GE(x, 60.0f);
    EXPECT_LE(x, 1460.0f);
    EXPECT_EQ(g_drops[0].y, -24.0f);
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
    platform::SeedRand(state);
    SpawnSupplyDrop();
    const SupplyDrop& drop = g_drops[c.otherDrop != 0 ? 1 : 0];  // the lowest free slot
    EXPECT_EQ(drop.kind != kDropNone, c.appears) << c.otherDrop << " " << c.fort;
    EXPECT_EQ(drop.x, c.appears ? x : 0.0f);
  }
}

TEST(SupplyDrop, KindIsOneOrTwoForEveryDraw) {
  const struct {
    int r, kind;
  } cases[] = {{0, 1}, {16383, 1}, {16384, 2}, {32767, 2}};
  for (const auto& c : cases) EXPECT_EQ(DropKind(c.r), c.kind) << c.r;
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
