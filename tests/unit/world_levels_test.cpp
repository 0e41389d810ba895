// Levels: the level file (record layout and byte order, files of exactly,
// more and less than 26,000 bytes, the choice of the round's level); our
// levels, as the build wrote them into data/level.frc: each of the 65
// playable levels built, and its forts placed (2, 3, 4 and 5 of them, each
// standing, at worst closer than the full distance), by the game's own code.
// Each must read as terrain (30 % to 70 % ground above the base strip, the
// top eighth almost empty, ground in the band above the strip), have room for
// the forts, keep its iteration limit small and look different from every
// other level: what the level search looks for, checked on what it found. The
// other 935 records are valid levels of the same kind. And the search's
// random numbers, fixed by the seed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "assetgen/levels/search_random.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/runtime.h"
#include "state/shared_state.h"
#include "world/fort_placement.h"
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

LevelParams Numbered(int i) {
  return {-1.5f - i * 0.001f, 0.25f * i, 1.75f + i, -0.5f * i, 0.01f * i - 0.8f, 1e-3f * i, static_cast<uint16_t>(i * 61 + 7)};
}

auto Tie(const LevelParams& l) { return std::tie(l.left, l.top, l.right, l.bottom, l.cReal, l.cImag, l.iterationLimit); }

std::vector<uint8_t> FileOf(int records) {
  std::vector<uint8_t> bytes(static_cast<size_t>(records) * kLevelRecordSize);
  for (int i = 0; i < records; ++i) EncodeLevelRecord(Numbered(i), bytes.data() + i * kLevelRecordSize);
  return bytes;
}

}  // namespace

TEST(WorldLevels, TheLevelsAreTerrainWithRoomForFortsAndLookTheirOwn) {
  platform::ClearMessagesShown();
  LoadLevelTableFrom(platform::DataPath("level.frc"));
  EXPECT_TRUE(platform::MessagesShown().empty()) << platform::DataPath("level.frc");  // the whole file
  const LevelTable& table = g_levelTable;
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

    for (int n = 2; n <= 5; ++n) {
      world_test::Players players(n);
      platform::SeedRand(static_cast<uint32_t>(i));
      const PlacementReport report = PlaceFortsOnLandscape(n, GameRandom());
      for (int f = 0; f < n; ++f) EXPECT_NE(report.how[f], FortPlacement::kFalling) << "level " << i << ", " << n << " forts";
    }

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
  for (int i = kPlayableLevels; i < kLevelCount; ++i) {  // the others: valid levels of the same kind
    const LevelParams l = table.Get(i);
    EXPECT_TRUE(l.iterationLimit <= kMaxLimit && std::fabs(l.right - l.left) > 0.1f && std::fabs(l.bottom - l.top) > 0.05f &&
                std::hypot(l.cReal, l.cImag) < 2.0f) << i;
  }
  g_levelTable.Reset();
}

TEST(WorldLevelSearch, TheSearchNumbersAreFixedByTheSeed) {
  EXPECT_EQ(SearchRandom(0).Next(), 0xE220A8397B1DCDAFull);  // SplitMix64 from 0: its published first value
  SearchRandom a(42);
  EXPECT_NE(a.Next(), SearchRandom(43).Next());
  for (int i = 0; i < 1000; ++i) {
    const int r = a.Rand15();
    const double u = a.Unit();
    ASSERT_TRUE(r >= 0 && r <= 32767 && u >= 0.0 && u < 1.0) << r << " " << u;
  }
}

TEST(WorldLevelFile, RecordsAreLittleEndianFieldsInFileOrder) {
  // 1.0f is 0x3F800000; -2.0f is 0xC0000000; the limit's high byte comes last.
  const uint8_t record[26] = {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0, 0, 0, 0, 0,
                              0x00, 0x00, 0x20, 0x41, 0x00, 0x00, 0x80, 0xBF, 0, 0, 0, 0x3F, 0x02, 0x81};
  const LevelParams l = DecodeLevelRecord(record);
  EXPECT_EQ(Tie(l), Tie({1.0f, -2.0f, 0.0f, 10.0f, -1.0f, 0.5f, 0x8102}));  // the limit unsigned
  uint8_t back[26] = {};
  EncodeLevelRecord(l, back);
  EXPECT_EQ(0, std::memcmp(back, record, 26));
}

TEST(WorldLevelFile, ExactLongerAndShortFiles) {
  std::vector<uint8_t> exact = FileOf(kLevelCount), longer = FileOf(1003);
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
}

TEST(WorldLevelFile, SelectionPicksAmongTheFirstSixtyFiveByTheRoundsRandomNumber) {
  // 32767, the only draw that picks the last one.
  for (const auto& [r, index] : {std::pair{0, 0}, {511, 0}, {512, 1}, {16384, 32}, {32766, 63}, {32767, 64}})
    EXPECT_EQ(LevelIndexFor(r), index) << r;
  world_test::Players scope(0);  // puts the level and the game state back
  std::vector<uint8_t> bytes = FileOf(kLevelCount);
  ParseLevelTable(bytes.data(), bytes.size(), &g_levelTable);
  platform::SeedRand(12345);
  const int r = platform::Rand();
  platform::SeedRand(12345);
  const int index = SelectLevel();
  EXPECT_EQ(index, LevelIndexFor(r));
  EXPECT_EQ(g_game.levelIndex, index);
  EXPECT_EQ(Tie(g_level), Tie(Numbered(index)));
  g_levelTable.Reset();
}
