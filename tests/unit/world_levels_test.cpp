// Our levels, as the build wrote them into data/level.frc, checked by code of
// this test's own: each of the 65 playable levels built by the game, and a
// search over every fort position for a set of 2, 3, 4 and 5 forts that keep
// the game's distances. Each must read as terrain (30 % to 70 % ground above
// the base strip, the top eighth almost empty, ground in the band above the
// strip), have room for five forts, keep its iteration limit small and look
// different from every other level. And the level search's checks: what a
// built level measures, which levels are playable, the signature that tells
// levels apart, the search's random numbers fixed by the seed.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "assetgen/levels/level_search.h"
#include "assetgen/levels/level_stage.h"
#include "assetgen/levels/search_random.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "state/shared_state.h"
#include "world/landscape.h"
#include "world/level_file.h"
#include "world/terrain.h"
#include "world_test_sprites.h"

using namespace levels;

namespace {

constexpr int W = kWorldWidth, H = kWorldHeight, kStripTop = 730;
constexpr int kMaxLimit = 40;

// Ground (1) or sky (0) of a level as the game builds it: the carving, the
// edge and the base strip.
std::vector<uint8_t> Carve(world_test::TestSprites& s, const LevelParams& l) {
  g_level = l;
  BuildLandscape();
  g_level = LevelParams();
  std::vector<uint8_t> g(static_cast<size_t>(W) * H);
  for (size_t i = 0; i < g.size(); ++i) g[i] = s.Terrain()[i] != 0;
  return g;
}

// Ground counts over rectangles inside the world, from a summed-area table.
class GroundSums {
 public:
  explicit GroundSums(const std::vector<uint8_t>& g) : s_(static_cast<size_t>(W + 1) * (H + 1), 0) {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        s_[At(x + 1, y + 1)] = g[static_cast<size_t>(y) * W + x] + s_[At(x, y + 1)] + s_[At(x + 1, y)] - s_[At(x, y)];
  }
  // Ground pixels in [x0, x1) x [y0, y1).
  int Count(int x0, int y0, int x1, int y1) const {
    return s_[At(x1, y1)] - s_[At(x0, y1)] - s_[At(x1, y0)] + s_[At(x0, y0)];
  }

 private:
  static size_t At(int x, int y) { return static_cast<size_t>(y) * (W + 1) + x; }
  std::vector<int> s_;
};

struct Spot {
  int x, y;
};

// Every place a fort can stand: body rows y+2 .. y+41 free over its 80
// columns, ground under at least two of the four 20-column quarters of rows
// y+44 .. y+49; x and y in the ranges the placement draws from.
std::vector<Spot> StandingSpots(const GroundSums& sums) {
  std::vector<Spot> spots;
  for (int x = 40; x <= 1415; ++x)
    for (int y = 10; y <= 690; ++y) {
      if (sums.Count(x, y + 2, x + 80, y + 42)) continue;
      int feet = 0;
      for (int k = 0; k < 4; ++k) feet += sums.Count(x + 20 * k, y + 44, x + 20 * k + 20, y + 50) > 0;
      if (feet >= 2) spots.push_back({x, y});
    }
  return spots;
}

// n spots 80 apart across and 1000 / n apart in a straight line, chosen from
// the left: true when such a set exists among the spots.
bool RoomFor(int n, const std::vector<Spot>& spots) {
  std::vector<Spot> chosen;
  for (const Spot& s : spots) {
    bool ok = true;
    for (const Spot& c : chosen) {
      const double d = std::sqrt(static_cast<double>(s.x - c.x) * (s.x - c.x) + static_cast<double>(s.y - c.y) * (s.y - c.y));
      ok = ok && std::abs(s.x - c.x) >= 80 && static_cast<int>(d) >= 1000 / n;
    }
    if (ok) chosen.push_back(s);
    if (static_cast<int>(chosen.size()) == n) return true;
  }
  return false;
}

// The level file the build wrote, whole: loading it shows no message.
const LevelTable& Levels() {
  platform::ClearMessagesShown();
  LoadLevelTableFrom(platform::DataPath("level.frc"));
  EXPECT_TRUE(platform::MessagesShown().empty()) << platform::DataPath("level.frc");
  return g_levelTable;
}

}  // namespace

TEST(WorldLevels, EveryPlayableLevelIsTerrainWithRoomForFiveFortsAndLooksItsOwn) {
  const LevelTable& table = Levels();
  world_test::TestSprites sprites;
  std::vector<std::vector<uint8_t>> looks;
  for (int i = 0; i < kPlayableLevels; ++i) {
    const LevelParams l = table.Get(i);
    EXPECT_LE(l.iterationLimit, kMaxLimit) << "level " << i;
    const std::vector<uint8_t> g = Carve(sprites, l);
    int64_t ground = 0, sky = 0, band = 0;
    for (int y = 0; y < kStripTop; ++y)
      for (int x = 0; x < W; ++x) {
        const int v = g[static_cast<size_t>(y) * W + x];
        ground += v;
        if (y < H / 8) sky += v;
        if (y >= 640) band += v;
      }
    const double share = static_cast<double>(ground) / (static_cast<double>(kStripTop) * W);
    EXPECT_GE(share, 0.30) << "level " << i;
    EXPECT_LE(share, 0.70) << "level " << i;
    EXPECT_LE(static_cast<double>(sky) / (H / 8 * W), 0.01) << "level " << i;
    EXPECT_GE(static_cast<double>(band) / ((kStripTop - 640) * W), 0.5) << "level " << i;

    const std::vector<Spot> spots = StandingSpots(GroundSums(g));
    for (int n = 2; n <= 5; ++n) EXPECT_TRUE(RoomFor(n, spots)) << "level " << i << ", " << n << " forts";

    std::vector<uint8_t> look;  // every fourth pixel of every fourth row
    for (int y = 0; y < H; y += 4)
      for (int x = 0; x < W; x += 4) look.push_back(g[static_cast<size_t>(y) * W + x]);
    for (size_t j = 0; j < looks.size(); ++j) {
      size_t differ = 0;
      for (size_t k = 0; k < look.size(); ++k) differ += look[k] != looks[j][k];
      EXPECT_GE(differ, look.size() / 20) << "levels " << j << " and " << i << " look alike";
    }
    looks.push_back(std::move(look));
  }
  g_levelTable.Reset();
}

TEST(WorldLevels, TheOtherRecordsAreLevelsOfTheSameKind) {
  const LevelTable& table = Levels();
  for (int i = kPlayableLevels; i < kLevelCount; ++i) {
    const LevelParams l = table.Get(i);
    for (float v : {l.left, l.top, l.right, l.bottom, l.cReal, l.cImag}) ASSERT_TRUE(std::isfinite(v)) << i;
    EXPECT_LE(l.iterationLimit, kMaxLimit) << i;
    EXPECT_GT(std::fabs(l.right - l.left), 0.1f) << i;
    EXPECT_GT(std::fabs(l.bottom - l.top), 0.05f) << i;
    EXPECT_LT(std::hypot(l.cReal, l.cImag), 2.0f) << i;
  }
  g_levelTable.Reset();
}

TEST(WorldLevelSearch, AllGroundAndAllSkyAreNotPlayable) {
  LevelStage stage;
  // All zero: every point inside, ground everywhere, no fort stands.
  LevelCheck solid = CheckLevel(stage, LevelParams(), 1);
  EXPECT_DOUBLE_EQ(solid.solidShare, 1.0);
  EXPECT_DOUBLE_EQ(solid.skyBandSolid, 1.0);
  EXPECT_FALSE(solid.fortsStand);
  EXPECT_FALSE(Playable(solid));

  // A window far outside the set: sky everywhere; the forts stand on the
  // base strip, but there is no terrain.
  LevelParams far;
  far.left = far.right = 20;
  LevelCheck sky = CheckLevel(stage, far, 1);
  EXPECT_DOUBLE_EQ(sky.solidShare, 0.0);
  EXPECT_EQ(sky.surfaceRange, 0);
  EXPECT_TRUE(sky.fortsStand);
  EXPECT_FALSE(Playable(sky));
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
  EXPECT_TRUE(Playable(c));

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
  EXPECT_FALSE(Playable(d));
}

TEST(WorldLevelSearch, SignaturesTellTerrainsApart) {
  std::vector<uint16_t> a(static_cast<size_t>(kWorldWidth) * kWorldHeight, 0);
  std::vector<uint16_t> b = a;
  for (size_t i = a.size() / 2; i < a.size(); ++i) a[i] = 1;  // the lower half ground
  for (int y = 0; y < kWorldHeight; ++y)
    for (int x = 0; x < kWorldWidth / 2; ++x) b[static_cast<size_t>(y) * kWorldWidth + x] = 1;  // the left half
  const Signature sa = TerrainSignature(a.data()), sb = TerrainSignature(b.data());
  EXPECT_EQ(SignatureDistance(sa, sa), 0);
  EXPECT_EQ(SignatureDistance(sa, sb), 48 * 24 / 2);  // they differ in two of the four quarters
}

TEST(WorldLevelSearch, TheSearchNumbersAreFixedByTheSeed) {
  SearchRandom a(42), b(42), c(43);
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
  EXPECT_EQ(SearchRandom(0).Next(), 0xE220A8397B1DCDAFull);
}
