// The painters' toolkit: quantising to bank pixels, outlines, periodic noise
// and seamless tiles, the shells' direction frames, lettering and the Julia
// coverage of the painted scenes.
#include <gtest/gtest.h>

#include <cmath>

#include "assetgen/art/canvas.h"
#include "assetgen/art/geom.h"
#include "assetgen/art/julia.h"
#include "assetgen/art/lettering.h"
#include "assetgen/art/materials.h"
#include "assetgen/art/noise.h"
#include "assetgen/art/objects.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace {

using namespace art;

TEST(AssetgenArtToolkit, QuantisingKeepsOpaqueBlackAndDropsFaintEdges) {
  EXPECT_EQ(Pack555(Rgb{0, 0, 0}), 0x0421) << "opaque black must not read as transparent";
  EXPECT_EQ(Pack555(Rgb{1, 1, 1}), 0x7FFF);
  EXPECT_EQ(Pack555(Rgb{1, 0, 0}), 0x7C00);
  EXPECT_EQ(Pack555(Rgb{0.5f, 0.2f, 0}, 0, true) & 0x1F, 1) << "blue kept at 1 for ground";
  Canvas c(3, 1);
  c.Set(0, 0, Rgb{1, 1, 1}, 0.49f);
  c.Set(1, 0, Rgb{0, 0, 1}, 0.5f);
  c.Set(2, 0, Rgb{0, 0, 0}, 1);
  const SpriteImage s = Quantise(c);
  EXPECT_EQ(s.pixels, (std::vector<uint16_t>{0, 0x001F, 0x0421}));
  // Large runs of one colour stay one colour, even dithered.
  Canvas flat(16, 4);
  flat.Wash([](Vec2) { return 1.0f; }, [](Vec2) { return Rgb{0, 1, 0}; });
  QuantiseOptions d;
  d.dither = true;
  for (uint16_t v : Quantise(flat, d).pixels) ASSERT_EQ(v, 0x03E0);
}

TEST(AssetgenArtToolkit, OutlineWrapsShapesFourConnectedAndShapesAreAntialiased) {
  Canvas c(9, 9);
  c.Fill([](Vec2 p) { return SdRect(p, 3, 3, 6, 6); }, [](Vec2) { return Rgb{1, 1, 1}; });
  EXPECT_FLOAT_EQ(c.Alpha(4, 4), 1.0f);
  EXPECT_FLOAT_EQ(c.Alpha(2, 4), 0.0f) << "edges on pixel boundaries are crisp";
  Outline(&c, Rgb{0, 0, 0});
  const SpriteImage s = Quantise(c);
  auto at = [&](int x, int y) { return s.pixels[static_cast<size_t>(y) * 9 + x]; };
  EXPECT_EQ(at(4, 4), 0x7FFF);
  EXPECT_EQ(at(2, 4), 0x0421) << "outline beside the shape";
  EXPECT_EQ(at(4, 2), 0x0421);
  EXPECT_EQ(at(2, 2), 0) << "no outline at the diagonal corner";
  EXPECT_EQ(at(1, 4), 0);
  // A circle's rim pixels are partly covered.
  Canvas round(20, 20);
  round.Fill([](Vec2 p) { return SdCircle(p, {10, 10}, 6.3f); }, [](Vec2) { return Rgb{1, 1, 1}; });
  int partial = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) partial += round.Alpha(x, y) > 0.05f && round.Alpha(x, y) < 0.95f;
  EXPECT_GT(partial, 12);
}

TEST(AssetgenArtToolkit, PeriodicNoiseRepeatsAndTilesHaveNoSeam) {
  for (float y : {0.3f, 2.7f, 5.1f})
    for (float x : {0.1f, 1.9f, 7.4f}) {
      EXPECT_NEAR(ValueNoise(x, y, 9u, {8, 6}), ValueNoise(x + 8, y + 6, 9u, {8, 6}), 1e-4);
      EXPECT_NEAR(Fbm(x, y, 9u, 4, {8, 6}), Fbm(x + 8, y - 6, 9u, 4, {8, 6}), 1e-4);
      EXPECT_NEAR(Worley(x, y, 9u, {8, 6}).f1, Worley(x - 8, y + 6, 9u, {8, 6}).f1, 1e-4);
      EXPECT_GT(std::fabs(ValueNoise(x, y, 9u) - ValueNoise(x + 3, y, 9u)) + std::fabs(ValueNoise(x, y, 9u) - ValueNoise(x, y + 2, 9u)), 1e-3)
          << "without a period it does not repeat so soon";
    }
  // The ground textures repeat every 128 x 96 pixels, so tiles laid side by
  // side meet without a seam; so do the base strip's blocks every 38.
  for (int set = 0; set < 5; ++set)
    for (float y = 0.5f; y < 96; y += 7.0f)
      for (float x = 0.5f; x < 128; x += 5.0f) {
        const Rgb c = GroundColour(set, {x, y}), right = GroundColour(set, {x + 128, y}), below = GroundColour(set, {x, y + 96});
        ASSERT_NEAR(c.r, right.r, 0.02f) << "set " << set << " at " << x << "," << y;
        ASSERT_NEAR(c.g, right.g, 0.02f) << "set " << set << " at " << x << "," << y;
        ASSERT_NEAR(c.b, below.b, 0.02f) << "set " << set << " at " << x << "," << y;
        ASSERT_NEAR(c.g, below.g, 0.02f) << "set " << set << " at " << x << "," << y;
      }
  Masonry strip = MakeMasonry(Rgb{0.5f, 0.5f, 0.5f}, Rgb{0.2f, 0.2f, 0.2f}, 9.5f, 19, 3u);
  strip.period = 2;
  for (float y = 0.5f; y < 38; y += 3.0f)
    for (float x = 0.5f; x < 38; x += 3.0f) {
      const Rgb a = MasonryAt(strip, {x, y}), b = MasonryAt(strip, {x + 38, y});
      ASSERT_NEAR(a.r, b.r, 1e-4) << x << "," << y;
    }
}

TEST(AssetgenArtToolkit, DirectionFramesTurnClockwiseFromUp) {
  auto nose = [](int d) { return Frame{{0, 0}, DirectionAngle(d)}.ToScreen({0, 1}); };
  EXPECT_NEAR(nose(1).x, 0, 1e-5);
  EXPECT_NEAR(nose(1).y, -1, 1e-5);  // up
  EXPECT_NEAR(nose(10).x, 1, 1e-5);  // right
  EXPECT_NEAR(nose(19).y, 1, 1e-5);  // down
  EXPECT_NEAR(nose(28).x, -1, 1e-5);  // left
  // Local undoes ToScreen.
  const Frame f{{5, 7}, 0.7f};
  const Vec2 p{9, 2};
  const Vec2 l = f.Local(p);
  const Vec2 back = f.origin + f.ToScreen(l);
  EXPECT_NEAR(back.x, p.x, 1e-4);
  EXPECT_NEAR(back.y, p.y, 1e-4);
  // A MISSILE flying right has its ink spread along x.
  const SpriteImage right = PaintMissile(9), up = PaintMissile(0);
  auto spread = [](const SpriteImage& s, bool alongX) {
    int lo = 99, hi = -1;
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x)
        if (s.pixels[static_cast<size_t>(y) * s.width + x]) {
          lo = std::min(lo, alongX ? x : y);
          hi = std::max(hi, alongX ? x : y);
        }
    return hi - lo;
  };
  EXPECT_GT(spread(right, true), spread(right, false) + 4);
  EXPECT_GT(spread(up, false), spread(up, true) + 4);
}

TEST(AssetgenArtToolkit, LetteringFitsAndJuliaCoverageFollowsTheSet) {
  const TextMask m = RenderText("BULWARK", Face::kSerif, 40);
  ASSERT_TRUE(LetteringError().empty()) << LetteringError();
  EXPECT_GT(m.inkRight - m.inkLeft, 100);
  EXPECT_GT(m.inkBottom - m.inkTop, 20);
  const int cell = FitCellHeight("PRESS ANY KEY", Face::kSans, 60, 150, 14);
  const TextMask fitted = RenderText("PRESS ANY KEY", Face::kSans, cell);
  EXPECT_LE(fitted.inkRight - fitted.inkLeft, 150);
  EXPECT_LE(fitted.inkBottom - fitted.inkTop, 14);
  const TextMask bigger = RenderText("PRESS ANY KEY", Face::kSans, cell + 1);
  EXPECT_TRUE(bigger.inkRight - bigger.inkLeft > 150 || bigger.inkBottom - bigger.inkTop > 14) << "the largest that fits";
  CloseLetteringFonts();

  // c = 0: the filled set is the unit disc.
  const std::vector<float> disc = JuliaCoverage({0, 0, -2, -2, 2, 2, 30}, 40, 40);
  EXPECT_FLOAT_EQ(disc[20 * 40 + 20], 1.0f);
  EXPECT_FLOAT_EQ(disc[20 * 40 + 2], 0.0f);
  float area = 0;
  for (float v : disc) area += v;
  EXPECT_NEAR(area, kPi * 100, 30);  // radius 1 is 10 pixels
}

}  // namespace
