// Pixel collision: touching rectangles, points, failed locks, far positions,
// the erase's 16-bit count, and the fast row scans checked against the
// byte-at-a-time rules (with the erase's sliding two-byte window) on random
// sprites.
#include <gtest/gtest.h>

#include <climits>
#include <mutex>
#include <random>

#include "sprite_test_fixture.h"
#include "sprites/collision.h"

namespace {

// Byte k of row y of a sprite's pixels (low byte first); 0 outside it.
int ByteAt(const SpriteEntry& s, int64_t k, int64_t y) {
  if (k >= 2 * s.width || y < 0 || y >= s.height) return 0;
  const uint16_t v = s.surface->At(static_cast<int>(k / 2), static_cast<int>(y));
  return k % 2 ? v >> 8 : v & 0xFF;
}

void ClearByte(SpriteEntry& s, int64_t k, int64_t y) {
  if (k < 2 * s.width) s.surface->Row(static_cast<int>(y))[k / 2] &= static_cast<uint16_t>(k % 2 ? 0x00FF : 0xFF00);
}

// The rules one byte at a time over the overlap: whether a shares a non-zero
// byte with b, or with `erase` the count of the erase of b under a (the window
// at byte k fires on a[k] or a[k + 1], counts when b[k] or b[k + 1] is set,
// and clears both).
int Slow(const SpriteEntry& a, int ax, int ay, SpriteEntry& b, int bx, int by, bool erase) {
  const int64_t left = std::max(ax, bx), right = std::min(int64_t{ax} + a.width, int64_t{bx} + b.width);
  const int64_t top = std::max(ay, by), bottom = std::min(int64_t{ay} + a.height, int64_t{by} + b.height);
  int count = 0;
  for (int64_t y = top; y < bottom; ++y)
    for (int64_t k = 0; k < 2 * (right - left); ++k) {
      const int64_t ka = 2 * (left - ax) + k, kb = 2 * (left - bx) + k;
      if (!erase) {
        if (ByteAt(a, ka, y - ay) && ByteAt(b, kb, y - by)) return 1;
      } else if (ByteAt(a, ka, y - ay) || ByteAt(a, ka + 1, y - ay)) {
        count += ByteAt(b, kb, y - by) || ByteAt(b, kb + 1, y - by);
        ClearByte(b, kb, y - by);
        ClearByte(b, kb + 1, y - by);
      }
    }
  return count;
}

// A sprite of random size and pixels, with many zero bytes and zero pixels.
SpriteEntry RandomSprite(std::mt19937& rng) {
  const int w = 1 + static_cast<int>(rng() % 40), h = 1 + static_cast<int>(rng() % 6);
  std::vector<uint16_t> px(static_cast<size_t>(w) * h);
  for (auto& v : px) {
    const int lo = rng() % 3 ? static_cast<int>(rng() % 256) : 0;
    const int hi = rng() % 3 ? static_cast<int>(rng() % 256) : 0;
    v = static_cast<uint16_t>(rng() % 4 ? (hi << 8 | lo) : 0);
  }
  return MakeSprite(w, h, px);
}

}  // namespace

class CollisionTest : public SpriteTableTest {};

// Also far apart, where a difference of positions overflows 32 bits.
TEST_F(CollisionTest, TouchingRectanglesNeitherCollideNorErase) {
  const SpriteEntry a = MakeSprite(10, 10, {}, 0x7FFF);
  for (const auto& [ax, ay, bx, by, meet] : {std::tuple{0, 0, 10, 0, false}, {0, 0, 0, 10, false}, {0, 0, -10, -10, false},
                                            {0, 0, 9, 0, true}, {0, 0, -9, -9, true},
                                            {INT32_MAX - 5, INT32_MIN, INT32_MAX - 9, INT32_MIN + 9, true},
                                            {INT32_MAX - 5, 0, INT32_MIN, 0, false}}) {
    SCOPED_TRACE(testing::Message() << bx << ", " << by);
    SpriteEntry b = MakeSprite(10, 10, {}, 0x7FFF);
    EXPECT_EQ(SpritesCollide(a, ax, ay, b, bx, by), meet);
    EXPECT_EQ(EraseUnderSprite(a, ax, ay, b, bx, by) != 0, meet);
    EXPECT_EQ(PixelsOf(*b.surface) == std::vector<uint16_t>(100, 0x7FFF), !meet);  // untouched unless they meet
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CollisionTest, APointIsInASpriteOnlyOnANonZeroPixelInsideIt) {
  SpriteEntry s = MakeSprite(4, 3, {}, 0x0421);
  s.surface->Row(1)[2] = 0;
  EXPECT_TRUE(PointInSprite(10, 20, s, 10, 20));
  EXPECT_TRUE(PointInSprite(13, 22, s, 10, 20));
  EXPECT_FALSE(PointInSprite(12, 21, s, 10, 20));
  EXPECT_TRUE(PointInSprite(INT32_MAX, 0, s, INT32_MAX - 3, 0));
  EXPECT_FALSE(PointInSprite(INT32_MIN, 0, s, INT32_MAX - 3, 0));
  s.surface->SetLost(true);  // just outside on every side: answered without the surface
  for (const auto& [x, y] : {std::pair{14, 20}, {9, 20}, {10, 23}, {10, 19}})
    EXPECT_FALSE(PointInSprite(x, y, s, 10, 20)) << x << ", " << y;
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(PointInSprite(10, 20, s, 10, 20));
  EXPECT_EQ(Messages(), std::vector<std::string>{"error lock sp2"});
}

TEST_F(CollisionTest, TheEraseCountsBytePairsAndWrapsAt16Bits) {
  const SpriteEntry blast = MakeSprite(256, 256, {}, 0x7BDE);
  SpriteEntry big = MakeSprite(256, 256, {}, 0x7BDE);
  // 511 windows a row count (the last one finds its pair cleared already).
  EXPECT_EQ(static_cast<int16_t>(EraseUnderSprite(blast, 0, 0, big, 0, 0)), static_cast<int16_t>(511 * 256));
  EXPECT_EQ(PixelsOf(*big.surface), std::vector<uint16_t>(256 * 256, 0));
}

TEST_F(CollisionTest, AFailedLockIsReportedAndOnlyWhatWasLockedIsUnlocked) {
  std::mutex guardA, guardB;
  SpriteEntry a = MakeSprite(4, 4, {}, 0x7FFF), b = MakeSprite(4, 4, {}, 0x7FFF);
  a.surface->SetGuard(&guardA);
  b.surface->SetGuard(&guardB);
  // a lost, b lost, erase (or collide), the messages, the result.
  const std::tuple<bool, bool, bool, std::vector<std::string>, int> cases[] = {
      {true, false, false, {"error lock sp1"}, 0},
      {false, true, false, {"error lock sp2"}, 0},
      {false, true, true, {"error lock sp2"}, 0},
      {true, true, true, {"error lock sp1", "error lock sp2"}, 0},
      {false, false, false, {}, 1},
  };
  for (const auto& [aLost, bLost, erase, messages, result] : cases) {
    SCOPED_TRACE(testing::Message() << aLost << bLost << erase);
    platform::ClearMessagesShown();
    a.surface->SetLost(aLost);
    b.surface->SetLost(bLost);
    EXPECT_EQ(erase ? EraseUnderSprite(a, 0, 0, b, 1, 1) : int{SpritesCollide(a, 0, 0, b, 1, 1)}, result);
    EXPECT_EQ(Messages(), messages);
    for (std::mutex* m : {&guardA, &guardB}) {
      ASSERT_TRUE(m->try_lock());
      m->unlock();
    }
    b.surface->SetLost(false);
    EXPECT_EQ(PixelsOf(*b.surface), std::vector<uint16_t>(16, 0x7FFF));
  }
}

TEST_F(CollisionTest, RowScansAgreeWithTheByteRulesOnRandomSprites) {
  std::mt19937 rng(20240611);
  for (int trial = 0; trial < 3000; ++trial) {
    const SpriteEntry a = RandomSprite(rng);
    SpriteEntry b = RandomSprite(rng);
    const int ax = static_cast<int>(rng() % 48) - 24, ay = static_cast<int>(rng() % 8) - 4;
    const int bx = static_cast<int>(rng() % 48) - 24, by = static_cast<int>(rng() % 8) - 4;
    SCOPED_TRACE(testing::Message() << "trial " << trial);
    ASSERT_EQ(SpritesCollide(a, ax, ay, b, bx, by), Slow(a, ax, ay, b, bx, by, false) != 0);
    SpriteEntry fast = MakeSprite(b.width, b.height, PixelsOf(*b.surface));
    ASSERT_EQ(EraseUnderSprite(a, ax, ay, fast, bx, by), Slow(a, ax, ay, b, bx, by, true));
    ASSERT_EQ(PixelsOf(*fast.surface), PixelsOf(*b.surface));
  }
}
