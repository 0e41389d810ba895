// The round's landscape: the Julia carving (the meaning of the iteration
// limit, points outside the escape radius, the fast carver writing exactly
// the pixels of the one-pixel-at-a-time reference), the tiled texture, the
// base strip and the scenery set; terrain surfaces the routines must refuse;
// the edge pass, against its pixel-by-pixel form; craters, also at and beyond
// the world's borders.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "display/display_state.h"
#include "state/shared_state.h"
#include "world/crater.h"
#include "world/julia.h"
#include "world/landscape.h"
#include "world/level_file.h"
#include "world/terrain.h"
#include "world/terrain_edge.h"
#include "world_test_sprites.h"

using world_test::Players;
using world_test::TestSprites;
using world_test::kStrip;
using world_test::kTile;

namespace {

constexpr uint16_t kTexture = 0x5A6B;
constexpr uint16_t kEdge = 0x83CF;  // low byte non-zero: counts as solid

struct World {
  std::vector<uint16_t> px = std::vector<uint16_t>(static_cast<size_t>(kWorldWidth) * kWorldHeight, 0);
  uint16_t& at(int x, int y) { return px[static_cast<size_t>(y) * kWorldWidth + x]; }
  World& Fill(int x0, int y0, int x1, int y1, uint16_t v) {  // inclusive
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) at(x, y) = v;
    return *this;
  }
};

std::vector<uint16_t> Texture(uint32_t seed) {
  std::vector<uint16_t> t(static_cast<size_t>(kWorldWidth) * kWorldHeight);
  std::mt19937 rng(seed);
  for (auto& p : t) p = static_cast<uint16_t>(rng() | 1);  // every pixel solid
  return t;
}

LevelParams Level(float l, float t, float r, float b, float cr, float ci, uint16_t n) { return {l, t, r, b, cr, ci, n}; }

}  // namespace

TEST(LandscapeBuild, AnAllZeroLevelIsTextureEverywhereWithTheBaseStripOnTop) {
  TestSprites s;
  // A tile with a pattern, to see where each copy lands, and a base strip
  // block with a transparent left half.
  s.Make(144, 102, 70, 0);
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 102; ++x) s.Surface(144)->Row(y)[x] = static_cast<uint16_t>(0x0101 + x + 256 * (y % 64));
  for (int y = 0; y < 38; ++y) std::fill_n(s.Surface(89)->Row(y), 19, 0);
  Players scope(0);
  g_game.scenerySet = 2;
  s.Ground(0, 0, kWorldWidth, kWorldHeight, 0);
  BuildLandscape();
  for (int y = 0; y < kWorldHeight; y += 3)
    for (int x = 0; x < kWorldWidth; x += 5) {
      const int bx = x - 50;
      const bool strip = y >= 730 && bx >= 0 && bx < 38 * 38 && bx % 38 >= 19;
      ASSERT_EQ(s.At(x, y), strip ? kStrip : 0x0101 + x % 102 + 256 * ((y % 70) % 64)) << x << "," << y;
    }
}

TEST(LandscapeBuild, CarvesTheLevelAndEdgesItInTheSceneryColour) {
  TestSprites s;
  // c = 0, limit 1: the disc |z|^2 <= 10^(1/2), seen in a window whose top
  // half is above it.
  g_display.pixelLayout = kLayout565;
  Players scope(0);
  g_level = {-4, -3, 4, 1, 0, 0, 1};
  g_game.scenerySet = 3;
  BuildLandscape();
  const uint16_t edge = TerrainEdgeColour(3);
  EXPECT_EQ(edge, (13 << 11) | (14 << 6) | 9);
  EXPECT_EQ(s.At(768, 700), kTile + 3);  // z about 0.65i: inside, away from the edge
  EXPECT_EQ(s.At(100, 740), kStrip);     // the base strip drawn over the carved sky
  // Straight above the disc's top the column passes sky, then the edge, then ground.
  int y = 0;
  while (s.At(768, y) == 0) ++y;
  EXPECT_EQ(s.At(768, y), edge);
  EXPECT_EQ(s.At(768, y + 1), edge);
  EXPECT_EQ(s.At(768, y + 3), kTile + 3);
  g_display.pixelLayout = kLayout555;
}

TEST(LandscapeBuild, RefusesTerrainsOfTheWrongSizeLostOrMissing) {
  TestSprites s;
  Players scope(0);
  g_level = {50, 0, 50};  // every point outside: a carving would clear everything
  // Rows not 1536 pixels apart, or a lost surface that cannot be locked:
  // nothing is carved (the texture may be drawn, copies are clipped).
  for (int bad = 0; bad < 3; ++bad) {
    s.Make(kTerrainSprite, kWorldWidth - (bad == 0), kWorldHeight + (bad == 1), 0x2222);
    s.Surface(kTerrainSprite)->SetLost(bad == 2);
    BuildLandscape();
    CarveCrater(100, 100, 30);
    s.Surface(kTerrainSprite)->SetLost(false);
    for (int y = 0; y < kWorldHeight; y += 17)
      for (int x = 0; x < kWorldWidth - 1; x += 13) ASSERT_NE(s.Surface(kTerrainSprite)->Row(y)[x], 0) << bad << " at " << x << "," << y;
  }
  // No terrain sprite at all.
  (*Sprites())[kTerrainSprite] = SpriteEntry();
  BuildLandscape();
  CarveCrater(100, 100, 30);
}

TEST(LandscapeBuild, AMissingTileLeavesTheSurfaceAndAStrangeSceneryUsesTheFirst) {
  TestSprites s;
  (*Sprites())[142 + 4] = SpriteEntry();
  Players scope(0);
  g_game.scenerySet = 4;
  s.Ground(0, 0, kWorldWidth, kWorldHeight, 0x0707);
  BuildLandscape();
  EXPECT_EQ(s.At(500, 300), 0x0707);
  g_game.scenerySet = 9;
  EXPECT_EQ(TerrainEdgeColour(9), TerrainEdgeColour(0));
  BuildLandscape();
  EXPECT_EQ(s.At(500, 300), kTile);
}

// The edge pass visits every pixel with 1 <= x <= 1534 and 1 <= y <= 766; a
// solid pixel with an empty neighbour paints itself, its left neighbour and
// the pixel above, and those writes count for later pixels: the line grows
// outwards above and left of the ground, inwards on the right and bottom.
TEST(LandscapeEdge, ABlockGetsItsOutlineAndAnOuterLineAboveAndLeft) {
  World w;
  w.Fill(10, 10, 19, 19, kTexture);
  DrawTerrainEdge(w.px.data(), kEdge);
  World want;
  want.Fill(10, 9, 19, 10, kEdge).Fill(10, 18, 19, 19, kEdge).Fill(9, 10, 10, 19, kEdge).Fill(18, 10, 19, 19, kEdge);
  want.Fill(11, 11, 17, 17, kTexture);
  EXPECT_TRUE(w.px == want.px);
}

// The row-at-once pass against the pixel-by-pixel one on random ground:
// blobs that reach the borders, speckles of sky and of texture pixels whose
// low byte is 0 (empty to this pass until painted), and edge colours with and
// without a low byte.
TEST(LandscapeEdge, RowAtOncePassMatchesThePixelByPixelPass) {
  std::mt19937 rng(11);
  for (int round = 0; round < 4; ++round) {
    World w;
    // Blobs of ground, speckles of sky, some zero-low-byte texture pixels.
    for (int b = 0; b < 300; ++b) {
      const int x = static_cast<int>(rng() % kWorldWidth), y = static_cast<int>(rng() % kWorldHeight);
      const int rw = 1 + static_cast<int>(rng() % 80), rh = 1 + static_cast<int>(rng() % 60);
      w.Fill(x, y, std::min(x + rw, kWorldWidth - 1), std::min(y + rh, kWorldHeight - 1), kTexture);
    }
    for (auto& p : w.px) {
      const uint32_t r = rng() % 100;
      p = r < 3 ? 0 : r < 5 ? 0x3100 : r < 7 ? static_cast<uint16_t>(rng()) : p;
    }
    for (uint16_t edge : {kEdge, uint16_t{0x0001}, uint16_t{0x7C00}}) {
      std::vector<uint16_t> a = w.px, b = w.px;
      DrawTerrainEdge(a.data(), edge);
      DrawTerrainEdgeInOrder(b.data(), edge);
      ASSERT_TRUE(a == b) << "round " << round << " edge " << edge;
    }
  }
}

// Craters against their rule: for every offset -r <= dx, dy < r that lands
// inside the world, a solid pixel with dx^2 + dy^2 < r^2 - 3r is cleared and
// one with dx^2 + dy^2 <= r^2 takes the rim colour (a radius of 3 or less only
// recolours); sky and everything else stay. The buffer is exactly the world's
// size: a write outside it is caught by the address sanitizer.
TEST(LandscapeCrater, CarvesTheDiscAndRimInsideTheWorldOnly) {
  constexpr uint16_t kGround = 0x2345, kRim = 0x7C1F;
  const struct {
    int x, y, r;
  } cases[] = {{500, 300, 10},  {700, 400, 0},  {700, 400, 3},  {700, 400, 4},  {0, 0, 30},     {-29, 400, 30},
               {768, -29, 30},  {1535, 767, 30}, {1540, 770, 30}, {700, 767, 20}, {700, 760, 9}, {1535, 300, 20},
               {100000, -100000, 52}, {INT_MIN, INT_MAX, 52}, {700, 300, -20}, {0, 0, INT_MAX}};
  for (const auto& c : cases) {
    World w;
    w.Fill(0, 0, kWorldWidth - 1, kWorldHeight - 1, kGround).Fill(0, 305, kWorldWidth - 1, 305, 0);  // a row of sky
    const std::vector<uint16_t> before = w.px;
    CarveCraterInto(w.px.data(), c.x, c.y, c.r, kRim);
    const int64_t r = c.r;
    for (int y = 0; y < kWorldHeight; ++y)
      for (int x = 0; x < kWorldWidth; ++x) {
        const int64_t dx = x - int64_t{c.x}, dy = y - int64_t{c.y};
        uint16_t want = before[static_cast<size_t>(y) * kWorldWidth + x];
        if (want != 0 && dx >= -r && dx < r && dy >= -r && dy < r) {
          const int64_t d2 = dx * dx + dy * dy;
          want = d2 < r * r - 3 * r ? 0 : d2 <= r * r ? kRim : want;
        }
        ASSERT_EQ(w.at(x, y), want) << "crater " << c.x << "," << c.y << " r " << c.r << " at " << x << "," << y;
      }
  }
}

TEST(Julia, StepFactorsAreTheSingleFloatsOfTheWorldSize) {
  const JuliaFrame f = MakeJuliaFrame(Level(0, 0, 1, 1, 0, 0, 0));
  EXPECT_EQ(f.dx, 0.0006514658f);
  EXPECT_EQ(f.dy, 0.0013037809f);
  EXPECT_EQ(MakeJuliaFrame(Level(0, 0, 0, 0, 0, 0, 65535)).iterations, 65536u);
}

// The point test: the start, then N + 1 iterations for a limit of N, each
// tested against |z|^2 > 100; the window maps column 0 .. 1535 and row
// 0 .. 767 onto left .. right and top .. bottom.
TEST(Julia, APointIsInsideWhenNoIterateOfTheLimitLeavesTheRadius) {
  const struct {
    LevelParams level;
    int column, row;
    bool inside;
  } cases[] = {
      {Level(3, 0, 3, 0, 0, 0, 0), 0, 0, true},            // 9, then 81
      {Level(3.3f, 0, 3.3f, 0, 0, 0, 0), 0, 0, false},     // 10.9, then 118.6
      {Level(3, 0, 3, 0, 0, 0, 1), 0, 0, false},           // 9, 81, then 6561
      {Level(1.3f, 0, 1.3f, 0, 0, 0, 2), 0, 0, true},      // 1.69, 2.86, 8.16, then 66.5
      {Level(10, 0, 10, 0, -90, 0, 3), 0, 0, true},        // exactly on the radius: the fixed point 10
      {Level(10.5f, 0, 20, 5, -99.75f, 0, 65535), 0, 0, false},  // the fixed point 10.5, outside from the start
      {Level(0, -2, 10, 2, 0, 0, 0), 0, 767, true},        // z = 2i: 4, then 16
      {Level(0, -2, 10, 2, 0, 0, 0), 1535, 0, false},      // z = 10 - 2i: 104
  };
  for (const auto& c : cases)
    EXPECT_EQ(JuliaInside(MakeJuliaFrame(c.level), c.column, c.row), c.inside) << c.level.left << " at " << c.column << "," << c.row;
}

// The fast carver against the reference, bit for bit, over the awkward
// levels: all zero, a mirrored and flipped window, an iteration limit of 0,
// starts all outside, a window of one column, subnormal, huge and non-finite
// values, a longer limit. Only zeros are written: sky stays sky.
TEST(Julia, FastCarverWritesExactlyThePixelsOfTheReference) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float tiny = std::numeric_limits<float>::denorm_min();
  const LevelParams levels[] = {
      LevelParams(),
      Level(1.6f, 1.3f, -1.6f, -0.3f, 0.285f, 0.01f, 25),  // mirrored and upside down
      Level(-2, -1, 2, 1, -0.4f, 0.6f, 0),
      Level(10.5f, 0, 20, 5, -99.75f, 0, 65535),           // every start outside: only the start's test clears
      Level(-0.7f, -0.7f, -0.7f, 0.9f, -0.12f, 0.75f, 40),  // one column's point everywhere
      Level(-tiny, tiny, tiny, -tiny, tiny, tiny, 5),      // subnormal
      Level(-3e38f, -3e38f, 3e38f, 3e38f, 0, 0, 4),        // overflowing squares
      Level(-2, -1, 2, 1, inf, 0, 3),
      Level(-2, nan, 2, 1, 0, 0, 3),                       // NaN never compares as outside
      Level(-1e-3f, 0.1f, 1e-3f, 0.102f, -0.75f, 0.1f, 90),
  };
  std::vector<uint16_t> texture = Texture(5);
  for (size_t k = 0; k < texture.size(); k += 3) texture[k] = 0;
  for (size_t i = 0; i < std::size(levels); ++i) {
    std::vector<uint16_t> reference = texture, fast = texture;
    CarveJuliaScalar(reference.data(), levels[i]);
    CarveJulia(fast.data(), levels[i]);
    ASSERT_TRUE(reference == fast) << "level " << i;
    for (size_t k = 0; k < fast.size(); ++k) ASSERT_TRUE(fast[k] == texture[k] || fast[k] == 0) << i << " " << k;
  }
}

