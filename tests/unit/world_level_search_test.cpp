// The level search's checks: what a built level measures, which levels are
// playable, the signature that tells levels apart, and the search's random
// numbers staying the same from run to run.
#include <gtest/gtest.h>

#include <vector>

#include "assetgen/levels/level_search.h"
#include "assetgen/levels/level_stage.h"
#include "assetgen/levels/search_random.h"
#include "world/level_file.h"
#include "world/terrain.h"

using levels::CheckLevel;
using levels::LevelCheck;
using levels::LevelStage;

TEST(WorldLevelSearch, AllGroundAndAllSkyAreNotPlayable) {
  LevelStage stage;
  // All zero: every point inside, ground everywhere, no fort stands.
  LevelCheck solid = CheckLevel(stage, LevelParams(), 1);
  EXPECT_DOUBLE_EQ(solid.solidShare, 1.0);
  EXPECT_DOUBLE_EQ(solid.skyBandSolid, 1.0);
  EXPECT_FALSE(solid.fortsStand);
  EXPECT_FALSE(levels::Playable(solid));

  // A window far outside the set: sky everywhere; the forts stand on the
  // base strip, but there is no terrain.
  LevelParams far;
  far.left = far.right = 20;
  LevelCheck sky = CheckLevel(stage, far, 1);
  EXPECT_DOUBLE_EQ(sky.solidShare, 0.0);
  EXPECT_EQ(sky.surfaceRange, 0);
  EXPECT_TRUE(sky.fortsStand);
  EXPECT_FALSE(levels::Playable(sky));
}

TEST(WorldLevelSearch, ABroadHillIsPlayableButARoundOneLeavesNoRoom) {
  // c = 0 with limit 6: the disc |z| <= 100^(1/128), radius about 1.037.
  // Seen through a narrow window on its top, it is a broad, gently curved
  // hill whose top lies well below the sky band.
  LevelParams broad;
  broad.left = -0.35f;
  broad.right = 0.35f;
  broad.top = -1.237f;
  broad.bottom = -0.737f;
  broad.iterationLimit = 6;
  LevelStage stage;
  const LevelCheck c = CheckLevel(stage, broad, 7);
  EXPECT_NEAR(c.solidShare, 0.5, 0.05);
  EXPECT_EQ(c.skyBandSolid, 0.0);
  EXPECT_EQ(c.groundBandSolid, 1.0);
  EXPECT_NEAR(c.surfaceRange, 95, 5);  // the arc drops about 0.06 over half the window
  EXPECT_TRUE(c.fortsStand);
  EXPECT_TRUE(levels::Playable(c));

  // The whole disc: a dome whose flanks are too steep to stand on, so five
  // forts 200 apart rarely find room.
  LevelParams round = broad;
  round.left = -1.6f;
  round.right = 1.6f;
  round.top = -1.45f;
  round.bottom = -0.15f;
  const LevelCheck d = CheckLevel(stage, round, 7);
  EXPECT_GT(d.solidShare, 0.3);
  EXPECT_FALSE(d.fortsStand);
  EXPECT_FALSE(levels::Playable(d));
}

TEST(WorldLevelSearch, SignaturesTellTerrainsApart) {
  std::vector<uint16_t> a(static_cast<size_t>(kWorldWidth) * kWorldHeight, 0);
  std::vector<uint16_t> b = a;
  for (size_t i = a.size() / 2; i < a.size(); ++i) a[i] = 1;  // the lower half ground
  for (int y = 0; y < kWorldHeight; ++y)
    for (int x = 0; x < kWorldWidth / 2; ++x) b[static_cast<size_t>(y) * kWorldWidth + x] = 1;  // the left half
  const levels::Signature sa = levels::TerrainSignature(a.data()), sb = levels::TerrainSignature(b.data());
  EXPECT_EQ(levels::SignatureDistance(sa, sa), 0);
  EXPECT_EQ(levels::SignatureDistance(sa, sb), 48 * 24 / 2);  // they differ in two of the four quarters
}

TEST(WorldLevelSearch, TheSearchNumbersAreFixedByTheSeed) {
  levels::SearchRandom a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    const uint64_t x = a.Next();
    EXPECT_EQ(x, b.Next());
    differs = differs || x != c.Next();
  }
  EXPECT_TRUE(differs);
  for (int i = 0; i < 1000; ++i) {
    const int r = a.Rand15();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 32767);
    const double u = a.Unit();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
  }
  // SplitMix64 from 0: its published first value.
  EXPECT_EQ(levels::SearchRandom(0).Next(), 0xE220A8397B1DCDAFull);
}
