// The Julia carving: the meaning of the iteration limit, points outside the
// escape radius, and the fast carver (SIMD blocks, two
// threads) writing exactly the pixels of the one-pixel-at-a-time reference.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "world/julia.h"
#include "world/terrain.h"

namespace {

constexpr size_t kPixels = static_cast<size_t>(kWorldWidth) * kWorldHeight;

std::vector<uint16_t> Texture(uint32_t seed) {
  std::vector<uint16_t> t(kPixels);
  std::mt19937 rng(seed);
  for (auto& p : t) p = static_cast<uint16_t>(rng() | 1);  // every pixel solid
  return t;
}

LevelParams Level(float l, float t, float r, float b, float cr, float ci, uint16_t n) { return {l, t, r, b, cr, ci, n}; }

// |z|^2 of the pixel's starting point, in double.
double StartRadius2(const LevelParams& l, int x, int y) {
  const double a = l.left + (static_cast<double>(l.right) - l.left) * x / 1535.0;
  const double b = l.top + (static_cast<double>(l.bottom) - l.top) * y / 767.0;
  return a * a + b * b;
}

}  // namespace

TEST(Julia, StepFactorsAreTheSingleFloatsOfTheWorldSize) {
  const JuliaFrame f = MakeJuliaFrame(Level(0, 0, 1, 1, 0, 0, 0));
  EXPECT_EQ(f.dx, 0.0006514658f);
  EXPECT_EQ(f.dy, 0.0013037809f);
  EXPECT_EQ(MakeJuliaFrame(Level(0, 0, 0, 0, 0, 0, 65535)).iterations, 65536u);
}

// With c = 0 the iterates are z^2, z^4, ...: after the start and N + 1
// iterations a point survives when |z|^(2^(N+2)) <= 100, i.e. |z|^2 <= 100^(1/2^(N+1)).
TEST(Julia, IterationLimitCountsNPlusOneIterationsAfterTheStart) {
  for (uint16_t n : {0, 1, 2}) {
    const LevelParams l = Level(-4, -2, 4, 2, 0, 0, n);
    std::vector<uint16_t> px = Texture(1);
    CarveJulia(px.data(), l);
    const double bound = std::pow(100.0, 1.0 / std::pow(2.0, n + 1));
    int checked = 0;
    for (int y = 0; y < kWorldHeight; y += 7)
      for (int x = 0; x < kWorldWidth; x += 5) {
        const double r2 = StartRadius2(l, x, y);
        if (std::fabs(r2 - bound) < 1e-3) continue;  // too close to the boundary to call
        EXPECT_EQ(px[static_cast<size_t>(y) * kWorldWidth + x] != 0, r2 <= bound) << "n " << n << " at " << x << "," << y;
        ++checked;
      }
    EXPECT_GT(checked, 30000);
  }
  // Limit 0 in particular: a start with |z|^2 = 9 passes, but its first
  // iterate (|z|^2 = 81 plus c) decides.
  const JuliaFrame f = MakeJuliaFrame(Level(3, 0, 3, 0, 0, 0, 0));  // every pixel is z = 3
  EXPECT_TRUE(JuliaInside(f, 10, 10));  // 9, then 81
  const JuliaFrame g = MakeJuliaFrame(Level(3, 0, 3, 0, 20, 0, 0));
  EXPECT_FALSE(JuliaInside(g, 10, 10));  // 9, then (9 + 20)^2
}

TEST(Julia, AStartOutsideTheRadiusIsSkyWithoutIterating) {
  // Every start lies beyond |z| = 10. With c = 10.5 - 10.5^2 the start 10.5
  // of column 0 is a fixed point of the iteration, so only the test of the
  // start itself can make it sky.
  const LevelParams far = Level(10.5f, 0, 20, 5, -99.75f, 0, 65535);
  std::vector<uint16_t> px = Texture(2);
  CarveJulia(px.data(), far);
  for (uint16_t p : px) ASSERT_EQ(p, 0);
  EXPECT_FALSE(JuliaInside(MakeJuliaFrame(far), 0, 0));
  // Exactly on the radius (|z|^2 = 100) is not outside: the fixed point 10.
  EXPECT_TRUE(JuliaInside(MakeJuliaFrame(Level(10, 0, 10, 0, -90, 0, 3)), 0, 0));
}

// The fast carver against the reference, bit for bit, over ordinary levels
// and awkward ones: all zero (nothing carved), mirrored and flipped windows,
// windows of one point, tiny (subnormal) steps, huge and non-finite values,
// long iteration limits. Only zeros are written: sky stays sky.
TEST(Julia, FastCarverWritesExactlyThePixelsOfTheReference) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float tiny = std::numeric_limits<float>::denorm_min();
  std::vector<LevelParams> levels = {
      LevelParams(),
      Level(-1.6f, -0.3f, 1.6f, 1.3f, -0.8f, 0.156f, 12),
      Level(1.6f, 1.3f, -1.6f, -0.3f, 0.285f, 0.01f, 25),  // mirrored and upside down
      Level(-2, -1, 2, 1, -0.4f, 0.6f, 0),
      Level(-0.7f, -0.7f, -0.7f, 0.9f, -0.12f, 0.75f, 40),  // one column's point everywhere
      Level(0, 0, 1e-38f, 1e-38f, 0.3f, -0.01f, 9),       // subnormal steps
      Level(-tiny, tiny, tiny, -tiny, tiny, tiny, 5),
      Level(-3e38f, -3e38f, 3e38f, 3e38f, 0, 0, 4),        // overflowing squares
      Level(-2, -1, 2, 1, 1e30f, -1e30f, 6),
      Level(-2, -1, 2, 1, inf, 0, 3),
      Level(-2, nan, 2, 1, 0, 0, 3),                       // NaN never compares as outside
      Level(-2, -1, 2, 1, -0.75f, nan, 8),
      Level(-1e-3f, 0.1f, 1e-3f, 0.102f, -0.75f, 0.1f, 90),
  };
  std::mt19937 rng(77);
  std::uniform_real_distribution<float> span(-2.5f, 2.5f), cpart(-1.2f, 1.2f);
  std::uniform_int_distribution<int> limit(0, 60);
  for (int i = 0; i < 16; ++i)
    levels.push_back(Level(span(rng), span(rng), span(rng), span(rng), cpart(rng), cpart(rng),
                           static_cast<uint16_t>(limit(rng))));

  std::vector<uint16_t> texture = Texture(5);
  for (size_t k = 0; k < texture.size(); k += 3) texture[k] = 0;
  for (size_t i = 0; i < levels.size(); ++i) {
    std::vector<uint16_t> reference = texture, fast = texture;
    CarveJuliaScalar(reference.data(), levels[i]);
    CarveJulia(fast.data(), levels[i]);
    ASSERT_TRUE(reference == fast) << "level " << i;
    ASSERT_TRUE(i > 0 || fast == texture);  // the all-zero level
    for (size_t k = 0; k < fast.size(); ++k) ASSERT_TRUE(fast[k] == texture[k] || fast[k] == 0) << i << " " << k;
  }
}

// Long iteration limits on a few rows (the whole world would take the
// reference too long): the kernel one thread runs, against JuliaInside.
TEST(Julia, FastRowsMatchThePointTestAtLongLimits) {
  const LevelParams deep = Level(-1.5f, -0.9f, 1.5f, 0.9f, -0.7269f, 0.1889f, 4000);
  const JuliaFrame f = MakeJuliaFrame(deep);
  std::vector<uint16_t> px = Texture(6);
  for (int row : {0, 100, 383, 384, 500, 767}) {
    CarveJuliaRows(px.data(), f, row, row + 1);
    for (int x = 0; x < kWorldWidth; ++x)
      ASSERT_EQ(px[static_cast<size_t>(row) * kWorldWidth + x] != 0, JuliaInside(f, x, row)) << x << "," << row;
  }
}
