// The terrain edge pass: which pixels become edge pixels, the writes into the
// left and upper neighbours counting for later tests, the low-byte rule, the
// untouched outer rows and columns, and the row-at-once pass agreeing with
// the pixel-by-pixel one.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "world/terrain.h"
#include "world/terrain_edge.h"

namespace {

constexpr uint16_t kTexture = 0x5A6B;
constexpr uint16_t kEdge = 0x83CF;  // low byte non-zero: counts as solid

struct World {
  std::vector<uint16_t> px = std::vector<uint16_t>(static_cast<size_t>(kWorldWidth) * kWorldHeight, 0);
  uint16_t& at(int x, int y) { return px[static_cast<size_t>(y) * kWorldWidth + x]; }
  void Fill(int x0, int y0, int x1, int y1, uint16_t v) {  // inclusive
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) at(x, y) = v;
  }
};

}  // namespace

TEST(LandscapeEdge, ABlockGetsItsOutlineAndAnOuterLineAboveAndLeft) {
  World w;
  w.Fill(10, 10, 19, 19, kTexture);
  DrawTerrainEdge(w.px.data(), kEdge);
  // Every pixel of the block's outline is an edge pixel.
  for (int i = 10; i <= 19; ++i) {
    EXPECT_EQ(w.at(i, 10), kEdge);
    EXPECT_EQ(w.at(i, 19), kEdge);
    EXPECT_EQ(w.at(10, i), kEdge);
    EXPECT_EQ(w.at(19, i), kEdge);
  }
  // The sky above and left of the block is painted: the line grows outwards
  // there; on the right and bottom it grows inwards.
  for (int i = 10; i <= 19; ++i) {
    EXPECT_EQ(w.at(i, 9), kEdge) << i;
    EXPECT_EQ(w.at(9, i), kEdge) << i;
    EXPECT_EQ(w.at(18, i), kEdge) << i;
    EXPECT_EQ(w.at(i, 18), kEdge) << i;
    EXPECT_EQ(w.at(i, 20), 0) << i;
    EXPECT_EQ(w.at(20, i), 0) << i;
  }
  EXPECT_EQ(w.at(9, 9), 0);
  for (int y = 11; y <= 17; ++y)
    for (int x = 11; x <= 17; ++x) EXPECT_EQ(w.at(x, y), kTexture) << x << "," << y;
}

// A one-pixel bump on flat ground: painting the sky left of the bump makes
// that pixel solid before the row below is visited, so the ground pixel
// under it is no edge pixel, though it had sky above it at the start.
TEST(LandscapeEdge, WritesIntoTheSkyCountForLaterPixels) {
  World w;
  w.Fill(5, 11, 30, 40, kTexture);
  w.at(20, 10) = kTexture;
  DrawTerrainEdge(w.px.data(), kEdge);
  EXPECT_EQ(w.at(20, 10), kEdge);
  EXPECT_EQ(w.at(19, 10), kEdge);
  EXPECT_EQ(w.at(20, 9), kEdge);
  EXPECT_EQ(w.at(19, 11), kTexture);  // sky above it turned solid first
  EXPECT_EQ(w.at(18, 11), kEdge);
  EXPECT_EQ(w.at(21, 11), kEdge);
  EXPECT_EQ(w.at(20, 11), kEdge);  // left neighbour of the edge pixel (21, 11)
  EXPECT_EQ(w.at(20, 12), kTexture);
}

// A texture pixel whose low byte is 0 is empty to this pass only: its
// neighbours become edge pixels, the one to its right paints it, and once
// painted it counts as solid for the row below.
TEST(LandscapeEdge, APixelWithAZeroLowByteCountsAsEmpty) {
  World w;
  w.Fill(40, 40, 60, 60, kTexture);
  w.at(50, 50) = 0x1200;
  DrawTerrainEdge(w.px.data(), kEdge);
  EXPECT_EQ(w.at(50, 49), kEdge);  // below it is "empty"
  EXPECT_EQ(w.at(49, 49), kEdge);
  EXPECT_EQ(w.at(50, 48), kEdge);
  EXPECT_EQ(w.at(49, 50), kEdge);  // right of it is "empty"
  EXPECT_EQ(w.at(48, 50), kEdge);
  EXPECT_EQ(w.at(51, 50), kEdge);  // left of it is "empty"
  EXPECT_EQ(w.at(50, 50), kEdge);  // painted as the left neighbour of (51, 50)
  EXPECT_EQ(w.at(50, 51), kTexture);  // its upper neighbour was painted by then
  EXPECT_EQ(w.at(52, 50), kTexture);

  // Whole rows of such pixels: the edge pass treats them as sky.
  World stripes;
  stripes.Fill(0, 100, kWorldWidth - 1, 200, kTexture);
  stripes.Fill(0, 150, kWorldWidth - 1, 150, 0x4400);
  DrawTerrainEdge(stripes.px.data(), kEdge);
  EXPECT_EQ(stripes.at(700, 149), kEdge);
  EXPECT_EQ(stripes.at(700, 151), kEdge);
  EXPECT_EQ(stripes.at(700, 150), kEdge);  // painted as the upper neighbour of row 151
  EXPECT_EQ(stripes.at(700, 152), kTexture);
}

TEST(LandscapeEdge, TheOutermostRowsAndColumnsAreNeverVisited) {
  World full;
  full.Fill(0, 0, kWorldWidth - 1, kWorldHeight - 1, kTexture);
  const std::vector<uint16_t> solid = full.px;
  DrawTerrainEdge(full.px.data(), kEdge);
  EXPECT_EQ(full.px, solid);  // no pixel has an empty neighbour

  // Solid only on the outer ring: those pixels are never visited and no
  // visited pixel is solid, so nothing changes, although the ring has sky
  // next to it everywhere.
  World ring;
  ring.Fill(0, 0, kWorldWidth - 1, 0, kTexture);
  ring.Fill(0, kWorldHeight - 1, kWorldWidth - 1, kWorldHeight - 1, kTexture);
  ring.Fill(0, 0, 0, kWorldHeight - 1, kTexture);
  ring.Fill(kWorldWidth - 1, 0, kWorldWidth - 1, kWorldHeight - 1, kTexture);
  const std::vector<uint16_t> before = ring.px;
  DrawTerrainEdge(ring.px.data(), kEdge);
  EXPECT_EQ(ring.px, before);

  // Ground along the top-left corner paints row 0 and column 0.
  World corner;
  corner.Fill(1, 1, 3, 3, kTexture);
  DrawTerrainEdge(corner.px.data(), kEdge);
  EXPECT_EQ(corner.at(1, 0), kEdge);
  EXPECT_EQ(corner.at(0, 1), kEdge);
  EXPECT_EQ(corner.at(0, 0), 0);
}

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
      if (r < 3) p = 0;
      else if (r < 5) p = 0x3100;
      else if (r < 7) p = static_cast<uint16_t>(rng());
    }
    for (uint16_t edge : {kEdge, uint16_t{0x0001}, uint16_t{0x7C00}}) {
      std::vector<uint16_t> a = w.px, b = w.px;
      DrawTerrainEdge(a.data(), edge);
      DrawTerrainEdgeInOrder(b.data(), edge);
      ASSERT_EQ(a, b) << "round " << round << " edge " << edge;
    }
  }
}
