// The weapon tables, the decoding of the flight programs and the projectile
// table's slots: the data every projectile runs on.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/message_box.h"
#include "weapons/flight_programs.h"
#include "weapons/projectile_table.h"
#include "weapons/weapon_table.h"

TEST(FlightPrograms, DecodedFromTheStoredList) {
  BuildFlightPrograms();
  const struct {
    int program, step;
    uint16_t opcode;
    float a, b;
    uint16_t duration;
  } cases[] = {
      {0, 0, kOpAccelerate, 0, 0, 1},  {0, 1, kOpAccelerate, 0, 0, 10000}, {0, 2, kOpEnd, 0, 0, 0},
      {3, 0, kOpAccelerate, 0, 0, 100}, {3, 3, kOpSpawn, 12, 0, 1},      {3, 4, kOpExplode, 0, 0, 1},
      {3, 5, kOpEnd, 0, 0, 0},          {4, 1, kOpSteer, 0, 0, 400},      {4, 2, 255, 3.0f, 1.4f, 1},
      {5, 3, kOpJump, 0, 0, 2},         {5, 4, kOpEnd, 0, 0, 0},          {9, 1, kOpAccelerate, 0, 0, 10000},
      {10, 0, kOpAccelerate, -1, -7, 1}, {11, 0, kOpAccelerate, 1, -7, 1}, {12, 0, kOpAccelerate, 0, -7, 1},
      {13, 0, kOpAccelerate, 0, 0, 10000}, {13, 1, kOpEnd, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const FlightStep& s = ProgramStep(c.program, c.step);
    EXPECT_EQ(std::tie(s.opcode, s.a, s.b, s.duration), std::tie(c.opcode, c.a, c.b, c.duration)) << c.program << "/" << c.step;
  }
  // The steered missile's target is written into its program and cleared by rebuilding.
  WriteDirectMissileTarget(700.5f, 320.25f);
  EXPECT_EQ(std::tie(ProgramStep(4, 1).a, ProgramStep(4, 1).b), std::make_tuple(700.5f, 320.25f));
  ResetProjectiles();
  EXPECT_EQ(std::tie(ProgramStep(4, 1).a, ProgramStep(4, 1).b), std::make_tuple(0.0f, 0.0f));
}

TEST(FlightPrograms, DecodingStaysInsideTheListAndTheTable) {
  static FlightProgramTable table;
  // A program of 300 steps keeps 255 and its end step; the next still decodes.
  std::vector<float> list;
  for (int i = 0; i < 300; ++i) list.insert(list.end(), {0, static_cast<float>(i), 0, 1});
  list.push_back(256);
  list.insert(list.end(), {7, 0, 0, 1, 256, 256});
  EXPECT_EQ(DecodeFlightPrograms(list.data(), list.size(), table), 2);
  EXPECT_EQ(table[0][254].a, 254.0f);
  EXPECT_EQ(table[0][255].opcode, kOpEnd);
  EXPECT_EQ(table[1][0].opcode, kOpExplode);
  // A list cut in the middle of a step stops there; one without end marks too.
  const float cut[] = {0, 1, 2, 3, 4, 5};
  EXPECT_EQ(DecodeFlightPrograms(cut, 6, table), 1);
  EXPECT_EQ(table[0][1].opcode, kOpEnd);
  std::vector<float> many;
  for (int p = 0; p < 20; ++p) many.insert(many.end(), {0, 0, 0, 1, 256});
  EXPECT_EQ(DecodeFlightPrograms(many.data(), many.size(), table), kFlightPrograms);
  // Out of the table reads an end step.
  EXPECT_EQ(ProgramStep(14, 0).opcode, kOpEnd);
  EXPECT_EQ(ProgramStep(0, 256).opcode, kOpEnd);
  EXPECT_EQ(ProgramStep(-1, 0).opcode, kOpEnd);
}

TEST(WeaponTable, RecordsOutOfRangeAreEmptyAndTheShopValues) {
  EXPECT_EQ(ProjectileTypeRecord(0).maxSpeed, 0.0f);
  EXPECT_EQ(ProjectileTypeRecord(12).launchSprite, 0);
  EXPECT_STREQ(WeaponName(kGroundDefense), "GROUND DEFENSE");
  EXPECT_EQ(WeaponPrice(kHyperTube), 2300);
  EXPECT_EQ(WeaponIcon(kDefense), 445);
}

TEST(ProjectileTable, LowestFreeSlotAndAFullTable) {
  ResetProjectiles();
  platform::ClearMessagesShown();
  EXPECT_EQ(LaunchProjectile(1, 0, 10, 20, 1, -2), 0);
  EXPECT_EQ(SpawnProjectile(11, 13, 30, 40), 1);
  EXPECT_EQ(g_projectiles[1].vx, 0.0f);
  EXPECT_EQ(g_projectiles[1].state, kLaunching);
  EXPECT_EQ(g_projectiles[1].stepFramesLeft, 10000);
  FreeSlot(0);
  EXPECT_EQ(g_projectiles[0].type, 0);
  EXPECT_EQ(LaunchProjectile(2, 1, 0, 0, 0, 0), 0);  // the freed slot is reused first
  for (int i = 2; i < kProjectileSlots; ++i) ASSERT_EQ(SpawnProjectile(11, 13, 0, 0), i);
  EXPECT_EQ(ProjectilesInUse(), kProjectileSlots);
  EXPECT_EQ(SpawnProjectile(11, 13, 0, 0), -1);
  EXPECT_EQ(platform::MessagesShown(), std::vector<std::string>{kProjectileTableFull});
  ResetProjectiles();
  EXPECT_EQ(ProjectilesInUse(), 0);
  platform::ClearMessagesShown();
}

TEST(ProjectileTable, PictureByState) {
  // Launching: launch sprite + step; flying: the sprite of its direction +
  // step (direction 0, before the first is computed, shows direction 1);
  // exploding: explosion sprite + step.
  const struct {
    int type;
    uint16_t state;
    int direction, step, sprite;
  } cases[] = {{1, kLaunching, 0, 0, 106}, {1, kFlying, 0, 0, 106}, {1, kFlying, 10, 0, 115}, {3, kFlying, 10, 7, 190},
               {3, kExploding, 10, 2, 24}};
  for (const auto& c : cases) {
    Projectile p;
    p.type = static_cast<uint16_t>(c.type), p.state = c.state;
    p.direction = static_cast<decltype(p.direction)>(c.direction), p.animStep = static_cast<decltype(p.animStep)>(c.step);
    EXPECT_EQ(ProjectileSprite(p), c.sprite) << c.type << " " << c.state << " " << c.direction;
  }
}
