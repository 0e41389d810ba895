// Pixel collision: touching rectangles, the byte-wise test, points, the
// erase with its sliding two-byte window and 16-bit count, failed locks, and
// the fast row scans checked against the byte-at-a-time rules on random
// sprites.
#include <gtest/gtest.h>

#include <climits>
#include <mutex>
#include <random>

#include "sprite_test_fixture.h"
#include "sprites/collision.h"

namespace {

// Byte k of row y of a sprite's pixels (low byte first); 0 outside it.
int ByteAt(const SpriteEntry& s, int64_t col2, int y) {
  const int64_t col = col2 / 2;
  if (col < 0 || col >= s.width || y < 0 || y >= s.height) return 0;
  const uint16_t v = s.surface->At(static_cast<int>(col), y);
  return col2 % 2 ? v >> 8 : v & 0xFF;
}

void ClearByte(SpriteEntry& s, int64_t col2, int y) {
  const int64_t col = col2 / 2;
  if (col < 0 || col >= s.width) return;
  uint16_t& v = s.surface->Row(y)[col];
  v = static_cast<uint16_t>(col2 % 2 ? v & 0x00FF : v & 0xFF00);
}

struct Box {
  int64_t left, top, right, bottom;
};

bool OverlapOf(const SpriteEntry& a, int ax, int ay, const SpriteEntry& b, int bx, int by, Box* o) {
  o->left = std::max<int64_t>(ax, bx);
  o->right = std::min<int64_t>(int64_t{ax} + a.width, int64_t{bx} + b.width);
  o->top = std::max<int64_t>(ay, by);
  o->bottom = std::min<int64_t>(int64_t{ay} + a.height, int64_t{by} + b.height);
  return o->left < o->right && o->top < o->bottom;
}

// The collision test one byte at a time.
bool SlowCollide(const SpriteEntry& a, int ax, int ay, const SpriteEntry& b, int bx, int by) {
  Box o;
  if (!OverlapOf(a, ax, ay, b, bx, by, &o)) return false;
  for (int64_t y = o.top; y < o.bottom; ++y)
    for (int64_t k = 0; k < 2 * (o.right - o.left); ++k)
      if (ByteAt(a, 2 * (o.left - ax) + k, static_cast<int>(y - ay)) &&
          ByteAt(b, 2 * (o.left - bx) + k, static_cast<int>(y - by)))
        return true;
  return false;
}

// The erase one byte at a time: the window at byte k of each overlap row.
uint16_t SlowErase(const SpriteEntry& a, int ax, int ay, SpriteEntry& b, int bx, int by) {
  Box o;
  if (!OverlapOf(a, ax, ay, b, bx, by, &o)) return 0;
  uint16_t count = 0;
  for (int64_t y = o.top; y < o.bottom; ++y) {
    const int ya = static_cast<int>(y - ay), yb = static_cast<int>(y - by);
    for (int64_t k = 0; k < 2 * (o.right - o.left); ++k) {
      const int64_t ka = 2 * (o.left - ax) + k, kb = 2 * (o.left - bx) + k;
      if (!ByteAt(a, ka, ya) && !ByteAt(a, ka + 1, ya)) continue;
      if (ByteAt(b, kb, yb) || ByteAt(b, kb + 1, yb)) ++count;
      ClearByte(b, kb, yb);
      ClearByte(b, kb + 1, yb);
    }
  }
  return count;
}

SpriteEntry Copy(const SpriteEntry& s) { return MakeSprite(s.width, s.height, PixelsOf(*s.surface)); }

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

TEST_F(CollisionTest, TouchingRectanglesDoNotOverlapAndOneSharedColumnDoes) {
  const SpriteEntry a = MakeSprite(10, 10, {}, 0x7FFF), b = MakeSprite(10, 10, {}, 0x7FFF);
  EXPECT_FALSE(SpritesCollide(a, 0, 0, b, 10, 0));
  EXPECT_FALSE(SpritesCollide(a, 0, 0, b, 0, 10));
  EXPECT_FALSE(SpritesCollide(a, 0, 0, b, -10, -10));
  EXPECT_TRUE(SpritesCollide(a, 0, 0, b, 9, 0));
  EXPECT_TRUE(SpritesCollide(a, 0, 0, b, -9, -9));

  // Only the overlap counts: a's last column against b's first.
  std::vector<uint16_t> lastColumn(100, 0), firstColumn(100, 0);
  for (int y = 0; y < 10; ++y) lastColumn[y * 10 + 9] = firstColumn[y * 10] = 0x0421;
  const SpriteEntry right = MakeSprite(10, 10, lastColumn), left = MakeSprite(10, 10, firstColumn);
  EXPECT_TRUE(SpritesCollide(right, 0, 0, left, 9, 0));
  EXPECT_FALSE(SpritesCollide(right, 0, 0, left, 8, 0));
  EXPECT_FALSE(SpritesCollide(right, 0, 0, left, 10, 0));
  EXPECT_EQ(EraseUnderSprite(a, 0, 0, Copy(b), 10, 0), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CollisionTest, PixelsMeetOnlyWhereTheyShareANonZeroByte) {
  const SpriteEntry low = MakeSprite(1, 1, {0x00FF}), high = MakeSprite(1, 1, {0xFF00});
  const SpriteEntry lowBit = MakeSprite(1, 1, {0x0001}), highBit = MakeSprite(1, 1, {0x0100});
  EXPECT_FALSE(SpritesCollide(low, 0, 0, high, 0, 0));
  EXPECT_TRUE(SpritesCollide(low, 0, 0, lowBit, 0, 0));
  EXPECT_TRUE(SpritesCollide(high, 0, 0, highBit, 0, 0));
  EXPECT_FALSE(SpritesCollide(lowBit, 0, 0, highBit, 0, 0));

  // A sprite whose overlapping pixels are all 0 never collides.
  std::vector<uint16_t> holed(64, 0xFFFF);
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 6; ++x) holed[y * 8 + x] = 0;
  const SpriteEntry frame = MakeSprite(8, 8, holed), solid = MakeSprite(4, 4, {}, 0xFFFF);
  EXPECT_FALSE(SpritesCollide(frame, 0, 0, solid, 2, 2));
  EXPECT_FALSE(SpritesCollide(solid, 2, 2, frame, 0, 0));
  EXPECT_TRUE(SpritesCollide(frame, 0, 0, solid, 3, 2));
}

TEST_F(CollisionTest, APointIsInASpriteOnlyOnANonZeroPixelInsideIt) {
  SpriteEntry s = MakeSprite(4, 3, {}, 0x0421);
  s.surface->Row(1)[2] = 0;
  EXPECT_TRUE(PointInSprite(10, 20, s, 10, 20));
  EXPECT_TRUE(PointInSprite(13, 22, s, 10, 20));
  EXPECT_FALSE(PointInSprite(12, 21, s, 10, 20));
  // Just outside on every side: answered without touching the surface.
  s.surface->SetLost(true);
  EXPECT_FALSE(PointInSprite(14, 20, s, 10, 20));
  EXPECT_FALSE(PointInSprite(9, 20, s, 10, 20));
  EXPECT_FALSE(PointInSprite(10, 23, s, 10, 20));
  EXPECT_FALSE(PointInSprite(10, 19, s, 10, 20));
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(PointInSprite(10, 20, s, 10, 20));
  EXPECT_EQ(Messages(), std::vector<std::string>{"error lock sp2"});
}

TEST_F(CollisionTest, TheEraseClearsUnderTheExplosionAndCountsBytePairs) {
  // A fully opaque 3 x 1 explosion over three fort pixels, a fourth just right of it.
  const SpriteEntry blast = MakeSprite(3, 1, {}, 0x7BDE);
  SpriteEntry fort = MakeSprite(4, 1, {}, 0x7BDE);
  EXPECT_EQ(EraseUnderSprite(blast, 0, 0, fort, 0, 0), 6);
  EXPECT_EQ(PixelsOf(*fort.surface), (std::vector<uint16_t>{0, 0, 0, 0x7B00}));
  // Twice: nothing is left to count.
  EXPECT_EQ(EraseUnderSprite(blast, 0, 0, fort, 0, 0), 0);
  EXPECT_EQ(PixelsOf(*fort.surface), (std::vector<uint16_t>{0, 0, 0, 0x7B00}));

  // One pixel of overlap on the fort's last column.
  SpriteEntry edge = MakeSprite(5, 1, {0x0421, 0x0421, 0x0421, 0x0421, 0xF800});
  EXPECT_EQ(EraseUnderSprite(MakeSprite(1, 1, {}, 0x7BDE), 4, 0, edge, 0, 0), 1);
  EXPECT_EQ(PixelsOf(*edge.surface), (std::vector<uint16_t>{0x0421, 0x0421, 0x0421, 0x0421, 0}));

  // An explosion pixel with only a low byte clears the fort pixel under it;
  // one with only a high byte reaches on into the low byte of the next.
  SpriteEntry row = MakeSprite(3, 1, {}, 0x7BDE);
  EXPECT_EQ(EraseUnderSprite(MakeSprite(1, 1, {0x0080}), 1, 0, row, 0, 0), 1);
  EXPECT_EQ(PixelsOf(*row.surface), (std::vector<uint16_t>{0x7BDE, 0, 0x7BDE}));
  row = MakeSprite(3, 1, {}, 0x7BDE);
  EXPECT_EQ(EraseUnderSprite(MakeSprite(1, 1, {0x8000}), 1, 0, row, 0, 0), 2);
  EXPECT_EQ(PixelsOf(*row.surface), (std::vector<uint16_t>{0x7BDE, 0, 0x7B00}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CollisionTest, TheEraseCountWrapsAt16Bits) {
  const SpriteEntry blast = MakeSprite(256, 256, {}, 0x7BDE);
  SpriteEntry fort = MakeSprite(256, 256, {}, 0x7BDE);
  // 511 windows a row count (the last one finds its pair cleared already).
  const uint16_t count = EraseUnderSprite(blast, 0, 0, fort, 0, 0);
  EXPECT_EQ(count, static_cast<uint16_t>(511 * 256));
  EXPECT_EQ(static_cast<int16_t>(count), -256);
  EXPECT_EQ(PixelsOf(*fort.surface), std::vector<uint16_t>(256 * 256, 0));
}

TEST_F(CollisionTest, AFailedLockIsReportedAndOnlyWhatWasLockedIsUnlocked) {
  std::mutex guardA, guardB;
  SpriteEntry a = MakeSprite(4, 4, {}, 0x7FFF), b = MakeSprite(4, 4, {}, 0x7FFF);
  a.surface->SetGuard(&guardA);
  b.surface->SetGuard(&guardB);
  auto unlocked = [&] {
    bool ok = true;
    for (std::mutex* m : {&guardA, &guardB}) {
      if (m->try_lock()) {
        m->unlock();
      } else {
        ok = false;
      }
    }
    return ok;
  };

  a.surface->SetLost(true);
  EXPECT_FALSE(SpritesCollide(a, 0, 0, b, 1, 1));
  EXPECT_EQ(Messages(), std::vector<std::string>{"error lock sp1"});
  EXPECT_TRUE(unlocked());

  platform::ClearMessagesShown();
  a.surface->SetLost(false);
  b.surface->SetLost(true);
  EXPECT_FALSE(SpritesCollide(a, 0, 0, b, 1, 1));
  EXPECT_EQ(EraseUnderSprite(a, 0, 0, b, 1, 1), 0);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"error lock sp2", "error lock sp2"}));
  EXPECT_TRUE(unlocked());
  b.surface->SetLost(false);
  EXPECT_EQ(PixelsOf(*b.surface), std::vector<uint16_t>(16, 0x7FFF));

  platform::ClearMessagesShown();
  a.surface->SetLost(true);
  b.surface->SetLost(true);
  EXPECT_EQ(EraseUnderSprite(a, 0, 0, b, 1, 1), 0);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"error lock sp1", "error lock sp2"}));
  EXPECT_TRUE(unlocked());

  a.surface->SetLost(false);
  b.surface->SetLost(false);
  EXPECT_TRUE(SpritesCollide(a, 0, 0, b, 1, 1));
  EXPECT_TRUE(unlocked());
}

TEST_F(CollisionTest, FarPositionsDoNotOverflow) {
  const SpriteEntry a = MakeSprite(10, 10, {}, 0x7FFF), b = MakeSprite(10, 10, {}, 0x7FFF);
  EXPECT_TRUE(SpritesCollide(a, INT32_MAX - 5, INT32_MIN, b, INT32_MAX - 9, INT32_MIN + 9));
  EXPECT_FALSE(SpritesCollide(a, INT32_MAX - 5, 0, b, INT32_MIN, 0));
  EXPECT_TRUE(PointInSprite(INT32_MAX, 0, a, INT32_MAX - 9, 0));
  EXPECT_FALSE(PointInSprite(INT32_MIN, 0, a, INT32_MAX - 9, 0));
}

TEST_F(CollisionTest, RowScansAgreeWithTheByteRulesOnRandomSprites) {
  std::mt19937 rng(20240611);
  for (int trial = 0; trial < 3000; ++trial) {
    const SpriteEntry a = RandomSprite(rng);
    const SpriteEntry b = RandomSprite(rng);
    const int ax = static_cast<int>(rng() % 48) - 24, ay = static_cast<int>(rng() % 8) - 4;
    const int bx = static_cast<int>(rng() % 48) - 24, by = static_cast<int>(rng() % 8) - 4;
    SCOPED_TRACE(testing::Message() << "trial " << trial);
    ASSERT_EQ(SpritesCollide(a, ax, ay, b, bx, by), SlowCollide(a, ax, ay, b, bx, by));
    SpriteEntry fast = Copy(b), slow = Copy(b);
    ASSERT_EQ(EraseUnderSprite(a, ax, ay, fast, bx, by), SlowErase(a, ax, ay, slow, bx, by));
    ASSERT_EQ(PixelsOf(*fast.surface), PixelsOf(*slow.surface));
  }
}
