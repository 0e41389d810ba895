// The framed panel drawn from sprites 444 (frame) and 465 (fill canvas), and
// the fill canvas tiled from sprite 449.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "sprite_test_fixture.h"
#include "sprites/blit.h"
#include "sprites/panel.h"
#include "support/sprite_bank_bytes.h"

namespace {

constexpr uint16_t kBackground = 0x0101;

// Where a panel's pixel comes from: which sprite and which of its pixels.
struct Source { int sprite = -1, x = 0, y = 0; };  // sprite -1: not part of the panel

// The source of pixel (px, py) of a panel with interior w x h at (0, 0): the
// corners are the frame's quarters, the edges repeat the frame's middle row
// or column, the interior is the fill canvas.
Source PanelSource(int px, int py, int w, int h) {
  if (px < 0 || py < 0 || px >= w + 30 || py >= h + 30) return {};
  // Along one axis: the first quarter, the middle (row or column 14), the second quarter.
  auto frameCoord = [](int p, int inner) { return p < 15 ? p : p >= 15 + inner ? p - inner : 14; };
  const bool innerX = px >= 15 && px < 15 + w, innerY = py >= 15 && py < 15 + h;
  if (innerX && innerY) return {465, px - 15, py - 15};
  return {444, frameCoord(px, w), frameCoord(py, h)};
}

}  // namespace

class SpritePanelTest : public SpriteTableTest {
 protected:
  void SetUp() override {
    SpriteTableTest::SetUp();
    // Every frame and fill pixel distinct and non-zero, so each one's origin shows.
    std::vector<uint16_t> frame(30 * 30);
    for (int i = 0; i < 900; ++i) frame[i] = static_cast<uint16_t>(0x1000 + i);
    Table()[444] = MakeSprite(30, 30, frame);
    std::vector<uint16_t> fill(1024 * 768);
    for (size_t i = 0; i < fill.size(); ++i) fill[i] = static_cast<uint16_t>(0x8000 | (i % 0x7FFF + 1));
    Table()[465] = MakeSprite(1024, 768, fill);
  }

  // Checks every pixel of target against a panel of interior w x h at (x, y)
  // whose pieces from column `leftOutFrom` on are missing.
  void ExpectPanel(const platform::Surface& target, int x, int y, int w, int h, int leftOutFrom = INT_MAX) {
    for (int ty = 0; ty < target.Height(); ++ty)
      for (int tx = 0; tx < target.Width(); ++tx) {
        const Source s = tx >= leftOutFrom ? Source{} : PanelSource(tx - x, ty - y, w, h);
        const uint16_t want = s.sprite < 0 ? kBackground : Sprite(s.sprite).surface->At(s.x, s.y);
        ASSERT_EQ(target.At(tx, ty), want) << "at " << tx << ", " << ty;
      }
  }
};

TEST_F(SpritePanelTest, APanelCoversItsInteriorAndFrameExactly) {
  // Interior 610 x 450 covers exactly 640 x 480; with interior width 0 the
  // corners and the left and right edges touch each other.
  for (const auto& [x, y, w, h] : {std::array{0, 0, 610, 450}, {5, 7, 0, 9}, {3, 2, 12, 0}, {1, 1, 0, 0}, {4, 6, 1, 1}}) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    platform::Surface target(700, 520);
    std::fill_n(target.Data(), 700 * 520, kBackground);
    DrawPanel(&target, x, y, w, h);
    ExpectPanel(target, x, y, w, h);
  }
}

TEST_F(SpritePanelTest, PiecesThatWouldCrossTheTargetsEdgeAreLeftOut) {
  platform::Surface target(640, 480);
  std::fill_n(target.Data(), 640 * 480, kBackground);
  DrawPanel(&target, 0, 0, 611, 450);  // one pixel too wide
  // The right corners and the right edge are missing; the rest, the interior
  // (611 wide, from x 15 to 625) among it, is drawn.
  ExpectPanel(target, 0, 0, 611, 450, 626);
}

TEST_F(SpritePanelTest, TheFillCanvasIsTheTileRepeatedThreeByThree) {
  Table()[449] = MakeSprite(378, 256, testbank::PatternPicture(378, 256, 9).pixels);
  BuildPanelFill();
  const platform::Surface& canvas = *Sprite(465).surface;
  const platform::Surface& tile = *Sprite(449).surface;
  for (int y = 0; y < 768; ++y)
    for (int x = 0; x < 1024; ++x) ASSERT_EQ(canvas.At(x, y), tile.At(x % 378, y % 256)) << x << ", " << y;
}
