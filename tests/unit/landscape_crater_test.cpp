// Craters: the disc that is cleared, the rim that is recoloured, small radii
// that only recolour, sky that stays sky, and centres at and beyond the
// borders of the world.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "world/crater.h"
#include "world/terrain.h"

namespace {

constexpr uint16_t kGround = 0x2345;
constexpr uint16_t kRim = 0x7C1F;

std::vector<uint16_t> Solid() { return std::vector<uint16_t>(static_cast<size_t>(kWorldWidth) * kWorldHeight, kGround); }

uint16_t At(const std::vector<uint16_t>& px, int x, int y) { return px[static_cast<size_t>(y) * kWorldWidth + x]; }

int Count(const std::vector<uint16_t>& px, uint16_t v) {
  int n = 0;
  for (uint16_t p : px) n += p == v;
  return n;
}

}  // namespace

TEST(LandscapeCrater, ClearsTheDiscAndColoursTheRim) {
  std::vector<uint16_t> px = Solid();
  CarveCraterInto(px.data(), 500, 300, 10, kRim);
  // r*r - 3r = 70: d2 < 70 cleared, 70 <= d2 <= 100 rim, beyond untouched.
  EXPECT_EQ(At(px, 500, 300), 0);
  EXPECT_EQ(At(px, 508, 300), 0);    // 64
  EXPECT_EQ(At(px, 500 - 8, 303), kRim);  // 73
  EXPECT_EQ(At(px, 500, 290), kRim);  // dy = -10: 100
  EXPECT_EQ(At(px, 507, 307), kRim);  // 98
  EXPECT_EQ(At(px, 500, 310), kGround);  // the row y + r is never touched
  EXPECT_EQ(At(px, 510, 300), kGround);  // nor the column x + r
  EXPECT_EQ(At(px, 490, 300), kRim);
  EXPECT_EQ(At(px, 492, 293), kGround);  // 64 + 49 = 113: beyond the rim
  int cleared = 0, rim = 0;
  for (int dy = -10; dy < 10; ++dy)
    for (int dx = -10; dx < 10; ++dx) {
      const int d2 = dx * dx + dy * dy;
      cleared += d2 < 70;
      rim += d2 >= 70 && d2 <= 100;
    }
  EXPECT_EQ(Count(px, 0), cleared);
  EXPECT_EQ(Count(px, kRim), rim);
}

TEST(LandscapeCrater, RadiusThreeOrLessOnlyRecolours) {
  for (int r : {0, 1, 2, 3}) {
    std::vector<uint16_t> px = Solid();
    CarveCraterInto(px.data(), 700, 400, r, kRim);
    EXPECT_EQ(Count(px, 0), 0) << r;
    int disc = 0;
    for (int dy = -r; dy < r; ++dy)
      for (int dx = -r; dx < r; ++dx) disc += dx * dx + dy * dy <= r * r;
    EXPECT_EQ(Count(px, kRim), disc) << r;
  }
  std::vector<uint16_t> px = Solid();
  CarveCraterInto(px.data(), 700, 400, 4, kRim);  // 16 - 12 = 4: d2 < 4 cleared
  EXPECT_EQ(Count(px, 0), 9);  // offsets -1..1 squared
}

TEST(LandscapeCrater, SkyStaysSkyAndMixedGroundKeepsItsHoles) {
  std::vector<uint16_t> sky(static_cast<size_t>(kWorldWidth) * kWorldHeight, 0);
  CarveCraterInto(sky.data(), 300, 300, 40, kRim);
  EXPECT_EQ(Count(sky, 0), static_cast<int>(sky.size()));

  std::vector<uint16_t> px = Solid();
  for (int x = 0; x < kWorldWidth; ++x) px[static_cast<size_t>(305) * kWorldWidth + x] = 0;
  CarveCraterInto(px.data(), 300, 300, 20, kRim);
  EXPECT_EQ(At(px, 300, 305), 0);
  EXPECT_EQ(At(px, 300, 281), kRim);   // d2 = 361, rim
  EXPECT_EQ(At(px, 305, 305), 0);      // was sky: not recoloured
  EXPECT_EQ(At(px, 318, 305), 0);      // was sky, in the rim band
}

TEST(LandscapeCrater, CentresAtAndBeyondTheBordersCarveOnlyTheWorld) {
  // The world's own buffer, exactly sized: a write outside is caught by the
  // address sanitizer.
  struct Case {
    int x, y, r;
  };
  for (const Case c : {Case{0, 0, 30}, Case{-10, 5, 30}, Case{1535, 767, 30}, Case{1540, 770, 30},
                       Case{-29, 400, 30}, Case{768, -29, 30}, Case{100000, -100000, 52},
                       Case{-2147483647 - 1, 2147483647, 52}, Case{700, 300, -20}, Case{0, 0, 2147483647}}) {
    std::vector<uint16_t> px = Solid();
    CarveCraterInto(px.data(), c.x, c.y, c.r, kRim);
    int changed = 0;
    for (int y = 0; y < kWorldHeight; ++y)
      for (int x = 0; x < kWorldWidth; ++x) {
        const int64_t dx = x - static_cast<int64_t>(c.x), dy = y - static_cast<int64_t>(c.y);
        const bool inSquare = dx >= -static_cast<int64_t>(c.r) && dx < c.r && dy >= -static_cast<int64_t>(c.r) && dy < c.r;
        if (!inSquare) {
          ASSERT_EQ(At(px, x, y), kGround) << c.x << "," << c.y << " at " << x << "," << y;
        }
        changed += At(px, x, y) != kGround;
      }
    const bool touches = c.r > 0 && c.x + static_cast<int64_t>(c.r) > 0 && c.x - static_cast<int64_t>(c.r) < kWorldWidth &&
                         c.y + static_cast<int64_t>(c.r) > 0 && c.y - static_cast<int64_t>(c.r) < kWorldHeight;
    EXPECT_EQ(changed > 0, touches) << c.x << "," << c.y << " r " << c.r;
  }
  // A crater on the corner: the quarter inside is carved like the middle of one.
  std::vector<uint16_t> px = Solid();
  CarveCraterInto(px.data(), 0, 0, 30, kRim);
  EXPECT_EQ(At(px, 0, 0), 0);
  EXPECT_EQ(At(px, 20, 20), 0);   // 800 < 810
  EXPECT_EQ(At(px, 29, 0), kRim);  // 841 <= 900
  EXPECT_EQ(At(px, 30, 0), kGround);
}
