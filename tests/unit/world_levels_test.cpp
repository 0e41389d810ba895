// Levels: the level file (record layout and byte order, files of exactly,
// more and less than 26,000 bytes, a missing file, the choice of the round's
// level); our levels, as the build wrote them into data/level.frc, checked by
// code of this test's own: each of the 65 playable levels built by the game,
// and a search over every fort position for a set of 2, 3, 4 and 5 forts that
// keep the game's distances. Each must read as terrain (30 % to 70 % ground
// above the base strip, the top eighth almost empty, ground in the band above
// the strip), have room for five forts, keep its iteration limit small and
// look different from every other level: what the level search looks for,
// checked on what it found. And the signature that tells levels apart and the
// search's random numbers, fixed by the seed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

#include <unistd.h>

#include "assetgen/levels/level_search.h"
#include "assetgen/levels/search_random.h"
#include "platform/message_box.h"
#include "platform/random.h"
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

LevelParams Numbered(int i) {
  return {-1.5f - i * 0.001f, 0.25f * i,  1.75f + i, -0.5f * i, 0.01f * i - 0.8f,
          1e-3f * i,          static_cast<uint16_t>(i * 61 + 7)};
}

auto Tie(const LevelParams& l) { return std::tie(l.left, l.top, l.right, l.bottom, l.cReal, l.cImag, l.iterationLimit); }

std::vector<uint8_t> FileOf(int records) {
  std::vector<uint8_t> bytes(static_cast<size_t>(records) * kLevelRecordSize);
  for (int i = 0; i < records; ++i) EncodeLevelRecord(Numbered(i), bytes.data() + i * kLevelRecordSize);
  return bytes;
}

// Writes the bytes to a file of their own, loads it into the game's table
// and removes it.
void Load(const std::vector<uint8_t>& bytes) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("bulwark_level_" + std::to_string(::getpid()) + "_" + std::to_string(bytes.size()) + ".frc");
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  platform::ClearMessagesShown();
  g_levelTable.Reset();
  LoadLevelTableFrom(path.string());
  std::filesystem::remove(path);
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
    const double share = static_cast<double>(ground) / (kStripTop * W), skyShare = static_cast<double>(sky) / (H / 8 * W),
                 bandShare = static_cast<double>(band) / ((kStripTop - 640) * W);
    EXPECT_TRUE(share >= 0.30 && share <= 0.70 && skyShare <= 0.01 && bandShare >= 0.5)
        << "level " << i << ": ground " << share << ", in the top eighth " << skyShare << ", in the band " << bandShare;

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
    EXPECT_TRUE(l.iterationLimit <= kMaxLimit && std::fabs(l.right - l.left) > 0.1f && std::fabs(l.bottom - l.top) > 0.05f &&
                std::hypot(l.cReal, l.cImag) < 2.0f)
        << i;
  }
  g_levelTable.Reset();
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
    ASSERT_EQ(x, b.Next());
    differs = differs || x != c.Next();
  }
  for (int i = 0; i < 1000; ++i) {
    const int r = a.Rand15();
    const double u = a.Unit();
    ASSERT_TRUE(r >= 0 && r <= 32767 && u >= 0.0 && u < 1.0) << r << " " << u;
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(SearchRandom(0).Next(), 0xE220A8397B1DCDAFull);  // SplitMix64 from 0: its published first value
}

TEST(WorldLevelFile, RecordsAreLittleEndianFieldsInFileOrder) {
  // 1.0f is 0x3F800000; -2.0f is 0xC0000000; the limit's high byte comes last.
  const uint8_t record[26] = {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0, 0, 0, 0, 0,
                              0x00, 0x00, 0x20, 0x41, 0x00, 0x00, 0x80, 0xBF, 0, 0, 0, 0x3F, 0xFF, 0xFF};
  const LevelParams l = DecodeLevelRecord(record);
  EXPECT_EQ(Tie(l), Tie({1.0f, -2.0f, 0.0f, 10.0f, -1.0f, 0.5f, 65535}));  // the limit unsigned, not -1
  uint8_t back[26] = {};
  EncodeLevelRecord(l, back);
  EXPECT_EQ(0, std::memcmp(back, record, 26));
  // The limit's two bytes in order: 0x0102.
  const uint8_t limit[26] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02, 0x01};
  EXPECT_EQ(DecodeLevelRecord(limit).iterationLimit, 0x0102);
}

TEST(WorldLevelFile, ExactLongerAndShortFiles) {
  std::vector<uint8_t> exact = FileOf(kLevelCount), longer = FileOf(1003);
  ASSERT_EQ(exact.size(), 26000u);
  longer.push_back(0x55);
  LevelTable t, u;
  EXPECT_EQ(ParseLevelTable(exact.data(), exact.size(), &t), kLevelCount);
  for (int i : {0, 1, 64, 65, 500, 999}) EXPECT_EQ(Tie(t.Get(i)), Tie(Numbered(i))) << i;
  EXPECT_EQ(ParseLevelTable(longer.data(), longer.size(), &u), kLevelCount);
  EXPECT_EQ(0, std::memcmp(&t, &u, sizeof t));

  // A short file keeps its whole records and zeroes the rest, stale contents too.
  std::vector<uint8_t> cut = FileOf(41);
  cut.resize(cut.size() - 5);  // the 41st record is cut
  t.Set(100, Numbered(3));
  EXPECT_EQ(ParseLevelTable(cut.data(), cut.size(), &t), 40);
  EXPECT_EQ(Tie(t.Get(39)), Tie(Numbered(39)));
  for (int i : {40, 41, 100, 999}) EXPECT_EQ(Tie(t.Get(i)), Tie(LevelParams())) << i;
  EXPECT_EQ(ParseLevelTable(nullptr, 0, &t), 0);
  EXPECT_EQ(Tie(t.Get(0)), Tie(LevelParams()));

  // Loading such a file reports it once and keeps what was read; a complete
  // file says nothing.
  Load(cut);
  ASSERT_EQ(platform::MessagesShown(), std::vector<std::string>{kShortLevelFileMessage});
  EXPECT_EQ(Tie(g_levelTable.Get(39)), Tie(Numbered(39)));
  EXPECT_EQ(Tie(g_levelTable.Get(40)), Tie(LevelParams()));
  Load(exact);
  EXPECT_TRUE(platform::MessagesShown().empty());
  EXPECT_EQ(Tie(g_levelTable.Get(999)), Tie(Numbered(999)));
  g_levelTable.Reset();
}

TEST(WorldLevelFile, AMissingFileSaysNoOpenEarthAndLeavesTheTableZero) {
  platform::ClearMessagesShown();
  g_levelTable.Reset();
  LoadLevelTableFrom((std::filesystem::temp_directory_path() / ("bulwark_no_such_level_" + std::to_string(::getpid()) + ".frc")).string());
  EXPECT_EQ(platform::MessagesShown(), std::vector<std::string>{"no open earth"});
  EXPECT_EQ(Tie(g_levelTable.Get(0)), Tie(LevelParams()));
  platform::ClearMessagesShown();
}

TEST(WorldLevelFile, SelectionPicksAmongTheFirstSixtyFiveByTheRoundsRandomNumber) {
  // 32767, the only draw that picks the last one.
  for (const auto& [r, index] : {std::pair{0, 0}, {511, 0}, {512, 1}, {16384, 32}, {32766, 63}, {32767, 64}})
    EXPECT_EQ(LevelIndexFor(r), index) << r;
  std::vector<uint8_t> bytes = FileOf(kLevelCount);
  ParseLevelTable(bytes.data(), bytes.size(), &g_levelTable);
  platform::SeedRand(12345);
  const int r = platform::Rand();
  platform::SeedRand(12345);
  const int index = SelectLevel();
  EXPECT_EQ(index, r * 64 / 32767);
  EXPECT_EQ(g_game.levelIndex, index);
  EXPECT_EQ(Tie(g_level), Tie(Numbered(index)));
  g_levelTable.Reset();
  g_level = LevelParams();
  g_game.Reset();
}
