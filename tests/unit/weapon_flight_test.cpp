// Projectile flight: the direction of flight, the flight programs over the
// frames (fragments, bomblets, the steered missile), the ends of explosions
// (craters, damage and pay, ground built), removal at the world's bounds, a
// full table, the sounds of a shell's life; and the bounce off the ground: a
// GRENADE keeps five sixths of its speed each time and explodes once at rest,
// where a MISSILE explodes at once; pixels beyond the world's sides are never
// read; a terrain that cannot be locked gives a message and no bounce.
// And the data they run on: the weapon tables, the decoded flight programs,
// the projectile table's slots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>

#include "sprite_test_fixture.h"
#include "sprites/collision.h"
#include "weapon_test_world.h"
#include "weapons/bounce.h"
#include "weapons/flight_programs.h"
#include "weapons/weapon_table.h"
#include "world/crater.h"

using weapon_test::WeaponWorld;
using weapon_test::kBlast;

namespace {

int CountOfType(int type) {
  return static_cast<int>(std::count_if(std::begin(g_projectiles), std::end(g_projectiles), [type](const Projectile& p) { return p.type == type; }));
}

std::vector<uint16_t> TerrainCopy(WeaponWorld& w) {
  return {w.sprites.Terrain(), w.sprites.Terrain() + static_cast<size_t>(kWorldWidth) * kWorldHeight};
}

}  // namespace

TEST(ProjectileDirection, FollowsTheVelocityAndKeepsTheLastAtRest) {
  const struct { float vx, vy; int previous, expected; } cases[] = {
      {3, 0, 0, 10}, {0, 3, 0, 19}, {-3, 0, 0, 28}, {0, -3, 0, 1}, {0, 0, 7, 7},
      {-0.001f, -3, 0, 1},  // nearly straight up on the left: 36 - 0 would be beyond the table
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProjectileDirection(c.vx, c.vy, c.previous), c.expected) << c.vx << ", " << c.vy;
}

TEST(ProjectileFlight, ProgramsSpawnSteerAndExplodeOnTheirFrames) {
  // Counting frames from the shot: children of the given type in the table
  // after that frame, and the state of the shell itself.
  struct Milestone { int frame, children; uint16_t state; };
  const struct { int weapon; int childType; std::vector<Milestone> milestones; } cases[] = {
      {kSuperGrenade, 3, {{100, 0, kFlying}, {101, 1, kFlying}, {103, 3, kFlying}, {104, 3, kHit}}},
      {kHyperTube, kTypeBomblet, {{60, 0, kFlying}, {61, 1, kFlying}, {71, 1, kFlying}, {72, 2, kFlying}, {83, 3, kFlying}}},
      {kDirectMissile, kTypeBomblet, {{431, 0, kFlying}, {432, 0, kHit}}},
  };
  for (const auto& c : cases) {
    WeaponWorld w;
    WriteDirectMissileTarget(700, 250);
    ASSERT_EQ(LaunchProjectile(c.weapon + 1, c.weapon, 700, 300, 2, -10), 0);
    int frame = 0;
    for (const Milestone& m : c.milestones) {
      for (; frame < m.frame; ++frame) WeaponWorld::Frame();
      EXPECT_EQ(CountOfType(c.childType), m.children) << c.weapon << " frame " << frame;
      EXPECT_EQ(g_projectiles[0].state, m.state) << c.weapon << " frame " << frame;
    }
  }
}

TEST(ProjectileFlight, DirectMissileSteersToTheTargetFromFrame31) {
  WeaponWorld w;
  WriteDirectMissileTarget(900, 100);
  LaunchProjectile(kDirectMissile + 1, kDirectMissile, 700, 300, 2, -3);
  for (int f = 0; f < 30; ++f) WeaponWorld::Frame();
  const Projectile& p = g_projectiles[0];
  EXPECT_EQ(p.vx, 2.0f);  // ballistic so far
  const float vy = p.vy;
  WeaponWorld::Frame();  // x < 900 and y > 100: towards the target
  EXPECT_EQ(std::make_tuple(p.vx, p.vy), std::make_tuple(5.0f, vy - 1.4f + 0.05f));
  for (int f = 31; f < 430; ++f) WeaponWorld::Frame();
  EXPECT_TRUE(std::abs(p.x - 900) < 60 && std::abs(p.y - 100) < 60 && std::abs(p.vx) <= 15) << p.x << "," << p.y;
}

TEST(ProjectileFlight, ExplosionLeavesTheCraterOfItsLastPictureOrBuildsGround) {
  // Radius 0: GROUND DEFENSE, whose last picture, the 64 x 40 mound, becomes ground.
  const struct { int type, radius; } cases[] = {{1, 28}, {2, 50}, {6, 41}, {11, 16}, {kTypeGroundDefense, 0}};
  for (const auto& c : cases) {
    WeaponWorld w;
    w.sprites.Ground(0, 300, kWorldWidth, kWorldHeight);
    std::vector<uint16_t> expected = TerrainCopy(w);
    if (c.radius) CarveCraterInto(expected.data(), 700, 420, c.radius, TerrainEdgeColour(g_game.scenerySet));
    for (int y = 400; y < 440 && !c.radius; ++y) std::fill_n(expected.begin() + y * kWorldWidth + 668, 64, weapon_test::kMound);
    WeaponWorld::Put(0, c.type, kHit, 700.7f, 420.9f);
    // Hit to exploding at the first animation step, then length + 1 steps of
    // three frames each.
    const int frames = 3 * (ProjectileTypeRecord(c.type).explosionLength + 1) + 1;
    for (int f = 1; f < frames; ++f) WeaponWorld::Frame(false);
    ASSERT_EQ(g_projectiles[0].state, kExploding) << c.type;
    WeaponWorld::Frame(false);
    EXPECT_EQ(g_projectiles[0].type, 0) << c.type;
    EXPECT_TRUE(TerrainCopy(w) == expected) << c.type;
  }
}

TEST(ProjectileFlight, ExplosionDamagesEveryFortUnderItAndPaysTheShooter) {
  // Player 0 and 1 side by side under the blast, player 2 far away.
  // A huge blast erases more than 32767: a negative count.
  const struct { int type, shooter; bool hugeBlast; } cases[] = {{1, 1, false}, {2, 2, false}, {kTypeGimlet, 0, false}, {1, 0, true}};
  for (const auto& c : cases) {
    WeaponWorld w(3);
    WeaponWorld::PlaceFort(0, 600, 380);
    WeaponWorld::PlaceFort(1, 680.6f, 380.2f);
    WeaponWorld::PlaceFort(2, 1200, 380);
    const ProjectileType& type = ProjectileTypeRecord(c.type);
    const int blast = type.explosionSprite + type.explosionLength;  // the picture before the last
    if (c.hugeBlast) w.sprites.Make(blast, 400, 200, kBlast), w.sprites.Make(9, 300, 100, 0x1111);
    // The counts the same blast erases from copies of the forts.
    const SpriteEntry& disc = Sprite(blast);
    int16_t expected[3] = {};
    int32_t total = 0;
    for (int p = 0; p < 3 && c.type != kTypeGimlet; ++p) {
      SpriteEntry copy = MakeSprite(Sprite(9 + p).width, Sprite(9 + p).height, {}, 0x1111);
      expected[p] = static_cast<int16_t>(EraseUnderSprite(disc, 680 - disc.width / 2, 400 - disc.height / 2, copy,
                                                          static_cast<int>(g_players[p].x), 380));
      total += expected[p];
    }
    // Above 32767 as an unsigned count for the huge blast.
    ASSERT_TRUE(c.type == kTypeGimlet || ((c.hugeBlast ? expected[0] < 0 : expected[0] > 0) && expected[1] > 0 && expected[2] == 0));
    g_game.currentPlayer = static_cast<uint16_t>(c.shooter);
    WeaponWorld::Put(0, c.type, kHit, 680.9f, 400.9f);
    for (int f = 0; f < 40 && g_projectiles[0].type != 0; ++f) WeaponWorld::Frame(false);
    for (int p = 0; p < 3; ++p) {
      EXPECT_EQ(g_players[p].damage, expected[p]) << c.type << " fort " << p;
      EXPECT_EQ(g_players[p].money, p == c.shooter ? total : 0) << c.type << " player " << p;
    }
  }
}

TEST(ProjectileFlight, RemovedBeyondTheWorldsBounds) {
  const struct { float x, y; bool removed; } cases[] = {
      {1596, 100, false}, {1596.5f, 100, true}, {-60, 100, false},    {-60.5f, 100, true},
      {700, 788, false},  {700, 788.5f, true},  {700, -10000, false}, {700, -10000.5f, true}};
  for (const auto& c : cases) {
    WeaponWorld w;
    WeaponWorld::Put(0, 1, kHit, c.x, c.y);  // a hit shell does not move
    g_game.framePhase = 1;
    ProjectileFlight();
    EXPECT_EQ(g_projectiles[0].type == 0, c.removed) << c.x << ", " << c.y;
  }
}

TEST(ProjectileFlight, AFullTableTakesNoMoreBomblets) {
  WeaponWorld w;
  LaunchProjectile(kHyperTube + 1, kHyperTube, 700, 300, 0, -10);
  for (int slot = 1; slot < kProjectileSlots; ++slot) WeaponWorld::Put(slot, kTypeBomblet, kHit, 100, 100);
  g_projectiles[0].stepFramesLeft = 1;  // the bomblet step comes next
  g_game.framePhase = 1;
  WeaponWorld::Frame(false);
  WeaponWorld::Frame(false);
  EXPECT_EQ(ProjectilesInUse(), kProjectileSlots);
  EXPECT_EQ(platform::MessagesShown(), std::vector<std::string>{kProjectileTableFull});
}

TEST(ProjectileFlight, FlightSoundOnTheShellsOwnChannelExplosionOnANewOne) {
  // Handles: 3 (the looping fuse) 1, 10 (launch) 2, 13 (boom) 3.
  weapon_test::FakeSounds sounds({{3, true}, {10, false}, {13, false}});
  const auto& voices = sounds.device->voices;
  WeaponWorld w;
  LaunchProjectile(kSuperGrenade + 1, kSuperGrenade, 700, 300, 2, -10);
  const int own = g_projectiles[0].soundChannel;
  EXPECT_EQ(voices[g_game.soundChannel].sound, 2);  // the launch, on a second channel
  for (int f = 0; f < 4; ++f) WeaponWorld::Frame();  // the launch ends at the second step
  EXPECT_TRUE(voices[own].sound == 1 && voices[own].playing);
  for (int f = 0; f < 200 && g_projectiles[0].state != kExploding; ++f) WeaponWorld::Frame();
  EXPECT_TRUE(g_projectiles[0].state == kExploding && !voices[own].playing);
  const int boom = g_game.soundChannel;
  EXPECT_TRUE(boom != own && voices[boom].sound == 3 && sounds.system->Channel(boom).autoRelease == 1) << boom;
  for (int f = 0; f < 40 && g_projectiles[0].type != 0; ++f) WeaponWorld::Frame();
  EXPECT_TRUE(g_projectiles[0].type == 0 && sounds.system->Channel(own).reserved == 0);
}

TEST(ProjectileBounce, GrenadeBouncesToRestWhereAMissileExplodes) {
  const struct { int weapon; bool bounces; } cases[] = {{kGrenade, true}, {kBallGrenade, true}, {kMissile, false}};
  for (const auto& c : cases) {
    WeaponWorld w;
    w.sprites.Ground(0, 500, kWorldWidth, kWorldHeight);
    const ProjectileType& type = WeaponType(c.weapon);
    LaunchProjectile(c.weapon + 1, c.weapon, 400, 440, 3, 2);
    Projectile& p = g_projectiles[0];
    int bounces = 0, frames = 0;
    // Hit, or already exploding when the hit came on an animation frame.
    auto exploded = [&p] { return p.state == kHit || p.state == kExploding; };
    for (; !exploded() && frames < 3000; ++frames) {
      const float vx = p.vx, vy = p.vy;
      WeaponWorld::Frame();
      if (exploded() || (p.vx == vx && p.vy == vy + type.gravity)) continue;  // plain flight
      // A bounce: five sixths of the speed, turned away from the ground.
      ++bounces;
      const float before = std::hypot(vx, vy);
      EXPECT_NEAR(std::hypot(p.vx, p.vy), before * 0.8333333f, before * 1e-5f) << c.weapon << " frame " << frames;
      EXPECT_LE(p.vy, 0.0f) << c.weapon << " frame " << frames;
    }
    // A grenade at rest after three bounces or more; a missile at once.
    EXPECT_TRUE(c.bounces ? bounces >= 3 && p.vx * p.vx < 0.01f && p.vy * p.vy < 0.01f : bounces == 0 && frames < 40)
        << c.weapon << ": " << bounces << " bounces in " << frames << " frames";
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
  // A ball moving straight left whose scan circle starts and ends on the
  // point (1536, 400), one past the last column: read, that pixel would be
  // the ground of row 401's first column. A ground pixel at its centre keeps
  // the scan from being skipped as all sky.
  std::vector<uint16_t> edge = leftGround;
  edge[static_cast<size_t>(400) * kWorldWidth + 1527] = 0x1234;
  const struct { const std::vector<uint16_t>* terrain; float x, vx, vy; bool bounces; } cases[] = {
      {&rightGround, 4.5f, -2, 0.5f, false}, {&leftGround, 1531.5f, 2, 0.5f, false}, {&edge, 1527, -2, 0, false},
      {&leftGround, 12, -2, 0.5f, true},     {&rightGround, 1524, 2, 0.5f, true}};
  for (const auto& c : cases) {
    float vx = c.vx, vy = c.vy;
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
  EXPECT_EQ(std::make_tuple(vx, vy), std::make_tuple(1.0f, 2.0f));
  EXPECT_EQ(platform::MessagesShown(), std::vector<std::string>{"error lock powerhnost"});
}

TEST(FlightPrograms, DecodingStaysInsideTheListAndTheTable) {
  static FlightProgramTable table;
  // A program of 300 steps keeps 255 and its end step; the next still decodes.
  std::vector<float> list;
  for (int i = 0; i < 300; ++i) list.insert(list.end(), {0, static_cast<float>(i), 0, 1});
  list.insert(list.end(), {256, 7, 0, 0, 1, 256, 256});  // its end, then a program of one step
  EXPECT_EQ(DecodeFlightPrograms(list.data(), list.size(), table), 2);
  EXPECT_EQ(std::make_tuple(table[0][254].a, table[0][255].opcode, table[1][0].opcode),
            std::make_tuple(254.0f, kOpEnd, kOpExplode));
  // A list cut in the middle of a step stops there; one without end marks too.
  const float cut[] = {0, 1, 2, 3, 4, 5};
  EXPECT_EQ(DecodeFlightPrograms(cut, 6, table), 1);
  EXPECT_EQ(table[0][1].opcode, kOpEnd);
  std::vector<float> many;
  for (int p = 0; p < 20; ++p) many.insert(many.end(), {0, 0, 0, 1, 256});
  EXPECT_EQ(DecodeFlightPrograms(many.data(), many.size(), table), kFlightPrograms);
  // Out of the table reads an end step.
  for (const auto& [program, step] : {std::pair{14, 0}, {0, 256}, {-1, 0}})
    EXPECT_EQ(ProgramStep(program, step).opcode, kOpEnd) << program << "/" << step;
}

TEST(WeaponTable, RecordsOutOfRangeAreEmpty) {
  EXPECT_EQ(ProjectileTypeRecord(0).maxSpeed, 0.0f);
  EXPECT_EQ(ProjectileTypeRecord(12).launchSprite, 0);
}

TEST(ProjectileTable, LowestFreeSlotAndAFullTable) {
  WeaponWorld w;
  EXPECT_EQ(LaunchProjectile(1, 0, 10, 20, 1, -2), 0);
  EXPECT_EQ(SpawnProjectile(11, 13, 30, 40), 1);
  FreeSlot(0);
  EXPECT_EQ(LaunchProjectile(2, 1, 0, 0, 0, 0), 0);  // the freed slot is reused first
  for (int i = 2; i < kProjectileSlots; ++i) ASSERT_EQ(SpawnProjectile(11, 13, 0, 0), i);
  EXPECT_EQ(ProjectilesInUse(), kProjectileSlots);
  EXPECT_EQ(SpawnProjectile(11, 13, 0, 0), -1);
  EXPECT_EQ(platform::MessagesShown(), std::vector<std::string>{kProjectileTableFull});
}

TEST(ProjectileTable, PictureByState) {
  // Launching: launch sprite + step; flying: the sprite of its direction +
  // step (direction 0, before the first is computed, shows direction 1);
  // exploding: explosion sprite + step.
  const struct { int type; uint16_t state; int direction, step, sprite; } cases[] = {
      {1, kLaunching, 0, 0, 106}, {1, kFlying, 0, 0, 106}, {1, kFlying, 10, 0, 115}, {3, kFlying, 10, 7, 190},
      {3, kExploding, 10, 2, 24}};
  for (const auto& c : cases) {
    Projectile p;
    p.type = static_cast<uint16_t>(c.type), p.state = c.state;
    p.direction = static_cast<decltype(p.direction)>(c.direction), p.animStep = static_cast<decltype(p.animStep)>(c.step);
    EXPECT_EQ(ProjectileSprite(p), c.sprite) << c.type << " " << c.state << " " << c.direction;
  }
}
