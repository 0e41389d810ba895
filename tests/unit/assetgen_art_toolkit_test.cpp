// The painters' toolkit: quantising to bank pixels, outlines, periodic noise
// and seamless tiles, the shells' direction frames, lettering and the Julia
// coverage of the painted scenes.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <tuple>

#include "assetgen/art/canvas.h"
#include "assetgen/art/geom.h"
#include "assetgen/art/julia.h"
#include "assetgen/art/lettering.h"
#include "assetgen/art/materials.h"
#include "assetgen/art/noise.h"
#include "assetgen/art/objects.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace {

using namespace art;

TEST(AssetgenArtToolkit, QuantisingKeepsOpaqueBlackAndOutlinesWrapShapesFourConnected) {
  // Opaque black must not read as transparent (0). The ground's blue kept
  // at 1 and the canvases' single runs show in the generated banks.
  Canvas c(3, 1);
  c.Set(0, 0, Rgb{1, 1, 1}, 0.49f);  // faint edges are dropped
  c.Set(1, 0, Rgb{0, 0, 1}, 0.5f);
  c.Set(2, 0, Rgb{0, 0, 0}, 1);
  EXPECT_EQ(Quantise(c).pixels, (std::vector<uint16_t>{0, 0x001F, 0x0421}));

  Canvas square(9, 9);
  square.Fill([](Vec2 p) { return SdRect(p, 3, 3, 6, 6); }, [](Vec2) { return Rgb{1, 1, 1}; });
  Outline(&square, Rgb{0, 0, 0});
  const SpriteImage s = Quantise(square);
  auto at = [&](int x, int y) { return s.pixels[static_cast<size_t>(y) * 9 + x]; };
  // Inside, beside the shape (outline: the edges on pixel boundaries are
  // crisp), the diagonal corner and further out (none).
  EXPECT_EQ(std::tuple(at(4, 4), at(2, 4), at(4, 2), at(2, 2), at(1, 4)), std::tuple(0x7FFF, 0x0421, 0x0421, 0, 0));
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
        ASSERT_TRUE(std::fabs(c.r - right.r) < 0.02f && std::fabs(c.g - right.g) < 0.02f && std::fabs(c.b - below.b) < 0.02f &&
                    std::fabs(c.g - below.g) < 0.02f)
            << "set " << set << " at " << x << "," << y;
      }
  Masonry strip = MakeMasonry(Rgb{0.5f, 0.5f, 0.5f}, Rgb{0.2f, 0.2f, 0.2f}, 9.5f, 19, 3u);
  strip.period = 2;
  for (float y = 0.5f; y < 38; y += 3.0f)
    for (float x = 0.5f; x < 38; x += 3.0f) ASSERT_NEAR(MasonryAt(strip, {x, y}).r, MasonryAt(strip, {x + 38, y}).r, 1e-4) << x << "," << y;
}

TEST(AssetgenArtToolkit, DirectionFramesTurnClockwiseFromUp) {
  auto nose = [](int d) { return Frame{{0, 0}, DirectionAngle(d)}.ToScreen({0, 1}); };
  // Up, right, down, left.
  for (auto [d, x, y] : {std::tuple{1, 0.0f, -1.0f}, {10, 1.0f, 0.0f}, {19, 0.0f, 1.0f}, {28, -1.0f, 0.0f}}) {
    EXPECT_NEAR(nose(d).x, x, 1e-5) << d;
    EXPECT_NEAR(nose(d).y, y, 1e-5) << d;
  }
}

TEST(AssetgenArtToolkit, LetteringFitsAndJuliaCoverageFollowsTheSet) {
  const TextMask m = RenderText("BULWARK", Face::kSerif, 40);
  ASSERT_TRUE(LetteringError().empty()) << LetteringError();
  EXPECT_TRUE(m.inkRight - m.inkLeft > 100 && m.inkBottom - m.inkTop > 20);
  const int cell = FitCellHeight("PRESS ANY KEY", Face::kSans, 60, 150, 14);
  const TextMask fitted = RenderText("PRESS ANY KEY", Face::kSans, cell), bigger = RenderText("PRESS ANY KEY", Face::kSans, cell + 1);
  EXPECT_TRUE(fitted.inkRight - fitted.inkLeft <= 150 && fitted.inkBottom - fitted.inkTop <= 14);
  EXPECT_TRUE(bigger.inkRight - bigger.inkLeft > 150 || bigger.inkBottom - bigger.inkTop > 14) << "the largest that fits";
  CloseLetteringFonts();
  // c = 0: the filled set is the unit disc, radius 10 pixels here.
  const std::vector<float> disc = JuliaCoverage({0, 0, -2, -2, 2, 2, 30}, 40, 40);
  EXPECT_FLOAT_EQ(disc[20 * 40 + 20], 1.0f);
  EXPECT_FLOAT_EQ(disc[20 * 40 + 2], 0.0f);
  EXPECT_NEAR(std::accumulate(disc.begin(), disc.end(), 0.0f), kPi * 100, 30);
}

}  // namespace
