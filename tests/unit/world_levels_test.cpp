// Our levels, as the build wrote them into data/level.frc, checked by code of
// this test's own: a plain carving of each of the 65 playable levels with
// its edge, and a search over every fort position for a set of 2, 3, 4 and 5
// forts that keep the game's distances. Each must read as terrain (30 % to
// 70 % ground above the base strip, the top eighth almost empty, ground in
// the band above the strip), have room for five forts, keep its iteration
// limit small and look different from every other level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/runtime.h"
#include "world/level_file.h"

namespace {

constexpr int W = 1536, H = 768, kStripTop = 730;
constexpr int kMaxLimit = 40;

// Ground (1) or sky (0) of a level, carved from the level's definition, edge
// added (the edge pass turns sky left of and above ground into ground), and
// the base strip under it.
std::vector<uint8_t> Carve(const LevelParams& l) {
  std::vector<uint8_t> g(static_cast<size_t>(W) * H, 1);
  const float dx = (l.right - l.left) * 0.0006514658f, dy = (l.bottom - l.top) * 0.0013037809f;
  for (int row = 0; row < H; ++row)
    for (int col = 0; col < W; ++col) {
      float re = static_cast<float>(col) * dx + l.left, im = static_cast<float>(row) * dy + l.top;
      bool out = re * re + im * im > 100.0f;
      for (int k = 0; k <= l.iterationLimit && !out; ++k) {
        const float r2 = re * re - im * im + l.cReal;
        im = 2.0f * re * im + l.cImag;
        re = r2;
        out = re * re + im * im > 100.0f;
      }
      if (out) g[static_cast<size_t>(row) * W + col] = 0;
    }
  for (int y = 1; y < H - 1; ++y)
    for (int x = 1; x < W - 1; ++x) {
      uint8_t* p = &g[static_cast<size_t>(y) * W + x];
      if (*p && !(p[-1] && p[1] && p[-W] && p[W])) p[-1] = p[-W] = 1;
    }
  for (int y = kStripTop; y < H; ++y)
    for (int x = 50; x < 50 + 38 * 38; ++x) g[static_cast<size_t>(y) * W + x] = 1;
  return g;
}

// Ground counts over rectangles, from a summed-area table.
class GroundSums {
 public:
  explicit GroundSums(const std::vector<uint8_t>& g) : s_(static_cast<size_t>(W + 1) * (H + 1), 0) {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        At(x + 1, y + 1) = g[static_cast<size_t>(y) * W + x] + At(x, y + 1) + At(x + 1, y) - At(x, y);
  }
  // Ground pixels in [x0, x1) x [y0, y1), clipped to the world.
  int Count(int x0, int y0, int x1, int y1) const {
    x0 = std::clamp(x0, 0, W);
    x1 = std::clamp(x1, 0, W);
    y0 = std::clamp(y0, 0, H);
    y1 = std::clamp(y1, 0, H);
    if (x0 >= x1 || y0 >= y1) return 0;
    return Get(x1, y1) - Get(x0, y1) - Get(x1, y0) + Get(x0, y0);
  }

 private:
  int& At(int x, int y) { return s_[static_cast<size_t>(y) * (W + 1) + x]; }
  int Get(int x, int y) const { return s_[static_cast<size_t>(y) * (W + 1) + x]; }
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

bool ReadLevels(LevelTable* table, std::string* why) {
  std::ifstream f(platform::DataPath("level.frc"), std::ios::binary);
  if (!f) {
    *why = "no " + platform::DataPath("level.frc");
    return false;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (bytes.size() != static_cast<size_t>(kLevelFileSize)) {
    *why = "level.frc has " + std::to_string(bytes.size()) + " bytes";
    return false;
  }
  return ParseLevelTable(bytes.data(), bytes.size(), table) == kLevelCount;
}

}  // namespace

TEST(WorldLevels, EveryPlayableLevelIsTerrainWithRoomForFiveFortsAndLooksItsOwn) {
  static LevelTable table;
  std::string why;
  ASSERT_TRUE(ReadLevels(&table, &why)) << why;
  std::vector<std::vector<uint8_t>> looks;
  for (int i = 0; i < kPlayableLevels; ++i) {
    const LevelParams l = table.Get(i);
    EXPECT_LE(l.iterationLimit, kMaxLimit) << "level " << i;
    const std::vector<uint8_t> g = Carve(l);
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
}

TEST(WorldLevels, TheOtherRecordsAreLevelsOfTheSameKind) {
  static LevelTable table;
  std::string why;
  ASSERT_TRUE(ReadLevels(&table, &why)) << why;
  for (int i = kPlayableLevels; i < kLevelCount; ++i) {
    const LevelParams l = table.Get(i);
    for (float v : {l.left, l.top, l.right, l.bottom, l.cReal, l.cImag}) ASSERT_TRUE(std::isfinite(v)) << i;
    EXPECT_LE(l.iterationLimit, kMaxLimit) << i;
    EXPECT_GT(std::fabs(l.right - l.left), 0.1f) << i;
    EXPECT_GT(std::fabs(l.bottom - l.top), 0.05f) << i;
    EXPECT_LT(std::hypot(l.cReal, l.cImag), 2.0f) << i;
  }
}
