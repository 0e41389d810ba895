// Sprite copies: the clipping arithmetic of the three clipped draws (with the
// quirk of sprites larger than the bounds), the all-or-nothing rule of the
// unclipped draws, the transparent colour, copies within one surface, and the
// stretch.
#include <gtest/gtest.h>

#include "sprite_test_fixture.h"
#include "sprites/blit.h"
#include "support/sprite_bank_bytes.h"

namespace {

// A sprite with the pattern of seed, every seventh pixel transparent.
SpriteEntry PatternSprite(int w, int h, uint32_t seed) {
  return MakeSprite(w, h, testbank::PatternPicture(static_cast<uint16_t>(w), static_cast<uint16_t>(h), seed, true).pixels);
}

// What a keyed copy of sprite's rectangle (l, t, r, b) to (x, y) leaves on a
// target that held `background` everywhere.
std::vector<uint16_t> Expected(int tw, int th, uint16_t background, const SpriteEntry& s, int x, int y, int l, int t,
                               int r, int b) {
  std::vector<uint16_t> out(static_cast<size_t>(tw) * th, background);
  for (int sy = t; sy < b; ++sy)
    for (int sx = l; sx < r; ++sx)
      if (uint16_t v = s.surface->At(sx, sy)) out[static_cast<size_t>(y + sy - t) * tw + (x + sx - l)] = v;
  return out;
}

void FillAll(platform::Surface& s, uint16_t v) { std::fill_n(s.Data(), static_cast<size_t>(s.Width()) * s.Height(), v); }

}  // namespace

class BlitTest : public SpriteTableTest {};

TEST_F(BlitTest, ClippingCutsTheSourceRectangleWithTheFullSizeOnEverySide) {
  // Sprite w x h at (x, y) on 640 x 480: {x, y, left, top, right, bottom}, or nothing drawn.
  struct Case { int w, h, x, y; std::vector<int> expect; };
  const Case cases[] = {
      {40, 30, -41, 0, {}},  {40, 30, -40, 0, {}},  {40, 30, 0, 480, {}},
      {0, 30, 5, 5, {}},     {30, 0, 5, 5, {}},     {40, 30, 3, -29, {3, 0, 0, 29, 40, 30}},
      {10, 500, 0, -10, {0, 0, 0, 10, 10, 480}},
  };
  for (const Case& c : cases) {
    ClipResult r{};
    const bool drawn = ClipSprite(c.w, c.h, c.x, c.y, 640, 480, &r);
    EXPECT_EQ((drawn ? std::vector<int>{r.x, r.y, r.left, r.top, r.right, r.bottom} : std::vector<int>{}), c.expect)
        << c.w << " " << c.x << " " << c.y;
  }
}

TEST_F(BlitTest, ClippedDrawsCopyTheVisiblePartKeyedToTheirBounds) {
  const SpriteEntry s = PatternSprite(40, 30, 1);
  const SpriteEntry wide = PatternSprite(700, 4, 2);
  using Draw = void (*)(platform::Surface*, const SpriteEntry&, int, int);
  // The screen size (the bounds of DrawSpriteClipped), the target, where and what lands.
  struct Case { const char* name; Draw draw; uint16_t screenW, screenH; int targetW, targetH; const SpriteEntry* sprite;
                int x, y, toX, toY, left, top, right, bottom; };
  const Case cases[] = {
      {"cut on the left", DrawSpriteClipped, 640, 480, 640, 480, &s, -10, 5, 0, 5, 10, 0, 40, 30},
      {"bottom-right corner", DrawSpriteClipped, 640, 480, 640, 480, &s, 630, 470, 630, 470, 0, 0, 10, 10},
      {"signed 16-bit: 65526 is -10", DrawSpriteClipped, 640, 480, 640, 480, &s, 65526, 5, 0, 5, 10, 0, 40, 30},
      // Wider than the screen from the left: source columns 10..639 land on
      // 0..629 and the last ten columns stay untouched.
      {"wider than the screen", DrawSpriteClipped, 640, 480, 640, 480, &wide, -10, 0, 0, 0, 10, 0, 640, 4},
      {"screen bounds a larger target", DrawSpriteClipped, 320, 240, 640, 480, &s, 300, 220, 300, 220, 0, 0, 20, 20},
      {"world bounds", DrawSpriteClippedWorld, 640, 480, 1536, 768, &s, 1530, 760, 1530, 760, 0, 0, 6, 8},
      {"1024 x 768 bounds", DrawSpriteClipped1024, 640, 480, 1024, 768, &s, 1020, -3, 1020, 0, 0, 3, 4, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_config.screenWidth = c.screenW;
    g_config.screenHeight = c.screenH;
    platform::Surface target(c.targetW, c.targetH);
    FillAll(target, 0x0101);
    c.draw(&target, *c.sprite, c.x, c.y);
    EXPECT_EQ(PixelsOf(target), Expected(c.targetW, c.targetH, 0x0101, *c.sprite, c.toX, c.toY, c.left, c.top,
                                         c.right, c.bottom));
  }
}

TEST_F(BlitTest, UnclippedDrawsAreAllOrNothingAndKeyedUnlessOpaque) {
  const SpriteEntry s = PatternSprite(40, 30, 3);
  platform::Surface target(640, 480);
  FillAll(target, 0x0101);
  const std::vector<uint16_t> untouched = PixelsOf(target);

  DrawSprite(&target, s, 601, 0);  // one column over the edge
  DrawSprite(&target, s, 0, 451);
  DrawSprite(&target, s, -1, 0);   // 65535 as an unsigned position
  DrawSpriteOpaque(&target, s, 601, 0);
  DrawSpritePart(&target, s, 630, 0, 0, 0, 11, 5);
  DrawSpritePart(&target, s, 0, 0, 0, 0, 41, 5);  // rectangle beyond the sprite
  DrawSpritePart(&target, s, 0, 0, 5, 0, 5, 5);   // empty rectangle
  SpriteEntry zeroWidth = MakeSprite(4, 4, {}, 0x7777);
  zeroWidth.width = 0;
  DrawSprite(&target, zeroWidth, 0, 0);
  DrawSpritePart(&target, zeroWidth, 0, 0, 0, 0, 4, 4);
  DrawSprite(nullptr, s, 0, 0);
  target.SetLost(true);
  DrawSprite(&target, s, 0, 0);
  target.SetLost(false);
  EXPECT_EQ(PixelsOf(target), untouched);

  DrawSprite(&target, s, 600, 450);  // exactly in the corner
  EXPECT_EQ(PixelsOf(target), Expected(640, 480, 0x0101, s, 600, 450, 0, 0, 40, 30));

  platform::Surface part(64, 64), opaque(64, 64);
  FillAll(part, 0x0101);
  DrawSpritePart(&part, s, 7, 9, 5, 6, 25, 16);
  EXPECT_EQ(PixelsOf(part), Expected(64, 64, 0x0101, s, 7, 9, 5, 6, 25, 16));
  FillAll(opaque, 0x0101);
  DrawSpriteOpaque(&opaque, s, 3, 4);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(opaque.At(x + 3, y + 4), s.surface->At(x, y));
  EXPECT_EQ(opaque.At(2, 4), 0x0101);
}

TEST_F(BlitTest, ACopyWithinOneSurfaceReadsEveryPixelBeforeItIsOverwritten) {
  // Keyed to the right and to the left within a row (zeros stay transparent), and down a column.
  struct Case { int w, h; std::vector<uint16_t> pixels; int x, y, l, t, r, b; std::vector<uint16_t> after; };
  const Case cases[] = {
      {8, 1, {1, 2, 0, 4, 5, 0, 0, 0}, 2, 0, 0, 0, 5, 1, {1, 2, 1, 2, 5, 4, 5, 0}},
      {8, 1, {0, 0, 9, 8, 0, 6, 5, 4}, 0, 0, 2, 0, 7, 1, {9, 8, 9, 6, 5, 6, 5, 4}},
      {1, 6, {1, 2, 3, 0, 0, 7}, 0, 1, 0, 0, 1, 3, {1, 1, 2, 3, 0, 7}},
  };
  for (const Case& c : cases) {
    SpriteEntry s = MakeSprite(c.w, c.h, c.pixels);
    DrawSpritePart(s.surface.get(), s, c.x, c.y, c.l, c.t, c.r, c.b);
    EXPECT_EQ(PixelsOf(*s.surface), c.after);
  }
}

TEST_F(BlitTest, StretchScalesTheWholeSourceOverTheWholeTargetOpaque) {
  // 3 columns over 5: each target column takes the source column x * 3 / 5.
  struct Case { int sw, sh; std::vector<uint16_t> source; int tw, th; std::vector<uint16_t> want; };
  const Case cases[] = {
      {2, 2, {1, 0, 3, 4}, 4, 4, {1, 1, 0, 0, 1, 1, 0, 0, 3, 3, 4, 4, 3, 3, 4, 4}},
      {3, 1, {10, 11, 12}, 5, 2, {10, 10, 11, 11, 12, 10, 10, 11, 11, 12}},
  };
  for (const Case& c : cases) {
    const SpriteEntry source = MakeSprite(c.sw, c.sh, c.source), target = MakeSprite(c.tw, c.th, {}, 0x0101);
    StretchSurface(target.surface.get(), source.surface.get());
    EXPECT_EQ(PixelsOf(*target.surface), c.want);
  }
  // A lost source, the target itself or none: nothing happens.
  const SpriteEntry big = MakeSprite(4, 4, cases[0].want), lost = MakeSprite(4, 4, {}, 0x0101);
  lost.surface->SetLost(true);
  StretchSurface(big.surface.get(), lost.surface.get());
  StretchSurface(big.surface.get(), big.surface.get());
  StretchSurface(big.surface.get(), nullptr);
  EXPECT_EQ(PixelsOf(*big.surface), cases[0].want);
}
