// The bounce off the ground: a GRENADE on flat ground bounces, keeping five
// sixths of its speed each time, and explodes once at rest, where a MISSILE
// explodes at once; pixels beyond the world's sides are never read; a
// terrain that cannot be locked gives a message and no bounce.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "weapon_test_world.h"
#include "weapons/bounce.h"
#include "weapons/weapon_table.h"

using weapon_test::WeaponWorld;

TEST(ProjectileBounce, GrenadeBouncesToRestWhereAMissileExplodes) {
  const struct {
    int weapon;
    bool bounces;
  } cases[] = {{kGrenade, true}, {kBallGrenade, true}, {kMissile, false}};
  for (const auto& c : cases) {
    WeaponWorld w;
    w.sprites.Ground(0, 500, kWorldWidth, kWorldHeight);
    const ProjectileType& type = WeaponType(c.weapon);
    LaunchProjectile(c.weapon + 1, c.weapon, 400, 440, 3, 2);
    Projectile& p = g_projectiles[0];
    int bounces = 0, frames = 0;
    // Hit, or already exploding when the hit came on an animation frame.
    auto exploded = [&p] { return p.state == kHit || p.state == kExploding; };
    while (!exploded() && frames < 3000) {
      const float vx = p.vx, vy = p.vy;
      WeaponWorld::Frame();
      ++frames;
      if (exploded()) break;
      if (p.vx == vx && p.vy == vy + type.gravity) continue;  // plain flight
      // A bounce: five sixths of the speed, turned away from the ground.
      ++bounces;
      const float before = std::sqrt(vx * vx + vy * vy), after = std::sqrt(p.vx * p.vx + p.vy * p.vy);
      EXPECT_NEAR(after, before * 0.8333333f, before * 1e-5f) << c.weapon << " frame " << frames;
      EXPECT_LE(p.vy, 0.0f) << c.weapon << " frame " << frames;
    }
    ASSERT_TRUE(exploded()) << c.weapon;
    if (c.bounces) {
      EXPECT_GE(bounces, 3) << c.weapon;
      EXPECT_LT(p.vx * p.vx, 0.01f) << c.weapon;  // at rest
      EXPECT_LT(p.vy * p.vy, 0.01f) << c.weapon;
    } else {
      EXPECT_EQ(bounces, 0);
      EXPECT_LT(frames, 40);
    }
    EXPECT_LT(p.y, 500.0f) << c.weapon;
  }
}

TEST(ProjectileBounce, GroundBeyondTheWorldsSidesDoesNotCount) {
  // Ground in the five outermost columns of one side; a ball at the other
  // side whose scan circle reaches past the world's edge would find it in
  // the neighbouring rows if the pixels there were read.
  std::vector<uint16_t> leftGround(static_cast<size_t>(kWorldWidth) * kWorldHeight, 0), rightGround = leftGround;
  for (int y = 0; y < kWorldHeight; ++y)
    for (int x = 0; x < 5; ++x) {
      leftGround[static_cast<size_t>(y) * kWorldWidth + x] = 0x1234;
      rightGround[static_cast<size_t>(y) * kWorldWidth + kWorldWidth - 1 - x] = 0x1234;
    }
  const struct {
    const std::vector<uint16_t>* terrain;
    float x, vx;
    bool bounces;
  } cases[] = {{&rightGround, 4.5f, -2, false},
               {&leftGround, 1531.5f, 2, false},
               {&leftGround, 12, -2, true},
               {&rightGround, 1524, 2, true}};
  for (const auto& c : cases) {
    float vx = c.vx, vy = 0.5f;
    EXPECT_EQ(BounceOnPixels(c.terrain->data(), c.x, 400, vx, vy, 7), c.bounces) << c.x;
  }
}

TEST(ProjectileBounce, AnUnlockableTerrainShowsItsMessageAndDoesNotBounce) {
  WeaponWorld w;
  w.sprites.Ground(0, 500, kWorldWidth, kWorldHeight);
  float vx = 1, vy = 2;
  EXPECT_TRUE(BounceOffTerrain(400, 495, vx, vy, 7));
  w.sprites.Surface(kTerrainSprite)->SetLost(true);
  vx = 1, vy = 2;
  EXPECT_FALSE(BounceOffTerrain(400, 495, vx, vy, 7));
  EXPECT_EQ(vx, 1.0f);
  EXPECT_EQ(vy, 2.0f);
  EXPECT_EQ(platform::MessagesShown(), std::vector<std::string>{"error lock powerhnost"});
}
