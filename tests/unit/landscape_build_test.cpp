// Building a round's landscape: the tiled texture, the carving of the
// current level, the edge, the base strip; the scenery set choosing the
// sprites and the colour; terrain surfaces the routines must refuse.
#include <gtest/gtest.h>

#include "display/display_state.h"
#include "state/shared_state.h"
#include "world/crater.h"
#include "world/landscape.h"
#include "world/level_file.h"
#include "world/terrain.h"
#include "world_test_sprites.h"

using world_test::kStrip;
using world_test::kTile;
using world_test::TestSprites;

namespace {

struct LevelScope {
  LevelScope(const LevelParams& l, int set) {
    g_level = l;
    g_game.scenerySet = static_cast<uint16_t>(set);
  }
  ~LevelScope() {
    g_level = LevelParams();
    g_game.Reset();
  }
};

}  // namespace

TEST(LandscapeBuild, AnAllZeroLevelIsTextureEverywhereWithTheBaseStripOnTop) {
  TestSprites s;
  // A tile with a pattern, to see where each copy lands (sizes 102 x 70).
  s.Make(144, 102, 70, 0);
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 102; ++x) s.Surface(144)->Row(y)[x] = static_cast<uint16_t>(0x0101 + x + 256 * (y % 64));
  // A base strip block with a transparent left half.
  for (int y = 0; y < 38; ++y)
    for (int x = 0; x < 19; ++x) s.Surface(89)->Row(y)[x] = 0;
  LevelScope scope(LevelParams(), 2);
  s.Ground(0, 0, kWorldWidth, kWorldHeight, 0);
  BuildLandscape();
  for (int y = 0; y < kWorldHeight; y += 3)
    for (int x = 0; x < kWorldWidth; x += 5) {
      uint16_t want = static_cast<uint16_t>(0x0101 + x % 102 + 256 * ((y % 70) % 64));
      const int bx = x - 50;
      if (y >= 730 && bx >= 0 && bx < 38 * 38 && bx % 38 >= 19) want = kStrip;
      ASSERT_EQ(s.At(x, y), want) << x << "," << y;
    }
}

TEST(LandscapeBuild, CarvesTheLevelAndEdgesItInTheSceneryColour) {
  TestSprites s;
  // c = 0: the disc |z| <= 100^(1/2^(N+1)) (N = 1: radius^2 10^(1/2)) seen in a window
  // whose top half is above it.
  LevelParams l;
  l.left = -4;
  l.right = 4;
  l.top = -3;
  l.bottom = 1;
  l.iterationLimit = 1;
  g_display.pixelLayout = kLayout565;
  LevelScope scope(l, 3);
  BuildLandscape();
  const uint16_t edge = TerrainEdgeColour(3);
  EXPECT_EQ(edge, (13 << 11) | (14 << 6) | 9);
  EXPECT_EQ(s.At(768, 0), 0);           // z = -3i: outside
  EXPECT_EQ(s.At(768, 700), kTile + 3);  // z about 0.65i: inside, away from the edge
  EXPECT_EQ(s.At(10, 700), 0);          // z about -3.95: outside
  int edges = 0;
  for (int y = 0; y < 730; ++y)
    for (int x = 0; x < kWorldWidth; ++x) edges += s.At(x, y) == edge;
  EXPECT_GT(edges, 500);
  // Straight above the disc's top the column passes sky, then the edge, then ground.
  int y = 0;
  while (s.At(768, y) == 0) ++y;
  EXPECT_EQ(s.At(768, y), edge);
  EXPECT_EQ(s.At(768, y + 1), edge);
  EXPECT_EQ(s.At(768, y + 3), kTile + 3);
  EXPECT_EQ(s.At(100, 740), kStrip);  // the base strip over the sky

  // A crater on this terrain is rimmed in the same colour.
  CarveCrater(768, 600, 20);
  EXPECT_EQ(s.At(768, 600), 0);
  EXPECT_EQ(s.At(768, 581), edge);
  g_display.pixelLayout = kLayout555;
}

TEST(LandscapeBuild, RefusesATerrainWhoseRowsAreNot1536PixelsApart) {
  TestSprites s;
  s.Make(kTerrainSprite, kWorldWidth - 1, kWorldHeight, 0x2222);
  LevelParams far;  // every point outside: a carving would clear everything
  far.left = far.right = 50;
  LevelScope scope(far, 0);
  BuildLandscape();  // the texture is drawn (copies are clipped), nothing is carved
  CarveCrater(100, 100, 30);
  for (int y = 0; y < kWorldHeight; y += 17)
    for (int x = 0; x < kWorldWidth - 1; x += 13) ASSERT_NE(s.Surface(kTerrainSprite)->Row(y)[x], 0) << x << "," << y;

  s.Make(kTerrainSprite, kWorldWidth, kWorldHeight + 1, 0x2222);
  BuildLandscape();
  EXPECT_NE(s.Surface(kTerrainSprite)->Row(10)[10], 0);

  // A lost surface cannot be locked: nothing changes either.
  s.Make(kTerrainSprite, kWorldWidth, kWorldHeight, 0x2222);
  s.Surface(kTerrainSprite)->SetLost(true);
  BuildLandscape();
  CarveCrater(100, 100, 30);
  EXPECT_EQ(s.At(100, 100), 0x2222);
  s.Surface(kTerrainSprite)->SetLost(false);

  // No terrain sprite at all.
  s.Make(kTerrainSprite, 1, 1, 0);
  (*Sprites())[kTerrainSprite] = SpriteEntry();
  BuildLandscape();
  CarveCrater(100, 100, 30);
}

TEST(LandscapeBuild, AMissingTileLeavesTheSurfaceAndAStrangeSceneryUsesTheFirst) {
  TestSprites s;
  (*Sprites())[142 + 4] = SpriteEntry();
  LevelScope scope(LevelParams(), 4);
  s.Ground(0, 0, kWorldWidth, kWorldHeight, 0x0707);
  BuildLandscape();
  EXPECT_EQ(s.At(500, 300), 0x0707);

  g_game.scenerySet = 9;
  EXPECT_EQ(CurrentScenerySet(), 0);
  EXPECT_EQ(TerrainEdgeColour(9), TerrainEdgeColour(0));
  BuildLandscape();
  EXPECT_EQ(s.At(500, 300), kTile);
}
