// Text on the back surface: anchor points, transparent background, clipping.
#include <gtest/gtest.h>

#include <climits>

#include "display/display_state.h"
#include "display/text.h"
#include "state/shared_state.h"

namespace {

struct Box {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  bool empty() const { return left > right; }
};

// The bounding box of pixels that differ from `background`.
Box Changed(const Surface& s, uint16_t background) {
  Box b;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.At(x, y) != background)
        b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
  return b;
}

class Text : public testing::Test {
 protected:
  void SetUp() override {
    g_config.Reset();
    g_display.Reset();
    g_display.pixelLayout = kLayout565;
    surface.Allocate(320, 120);
    g_display.back = &surface;
  }
  void TearDown() override { g_display.Reset(); }
  void Paint(uint16_t v) {
    for (int y = 0; y < surface.Height(); ++y) std::fill_n(surface.Row(y), surface.Width(), v);
  }
  Surface surface;
};

TEST_F(Text, CenteredTextIsCentredInItsCellAndTheBackgroundStaysUntouched) {
  g_config.displayOption = 2;
  ASSERT_TRUE(CreateGameFont());
  EXPECT_EQ(g_display.fontHeight, 23);
  Paint(0x1234);
  DrawTextCentered(160, 30, "ARE YOU SURE (Yes/No) ?", Rgb(255, 15, 255));
  Box b = Changed(surface, 0x1234);
  ASSERT_FALSE(b.empty());
  EXPECT_NEAR((b.left + b.right) / 2.0, 160.0, 2.0);
  // Full-coverage pixels take the colour exactly (5-6-5, green's low bit 0).
  bool exact = false;
  for (int y = b.top; y <= b.bottom; ++y)
    for (int x = b.left; x <= b.right; ++x) exact |= surface.At(x, y) == ((31 << 11) | (1 << 6) | 31);
  EXPECT_TRUE(exact);
  // Only pixels of the line's cell (font height from y) change, at least half of its height.
  EXPECT_TRUE(b.top >= 30 && b.bottom <= 30 + 23 && b.bottom - b.top >= 23 / 2) << b.top << " " << b.bottom;
}

TEST_F(Text, PositionsAreUnsigned16BitAndTextIsClippedToTheSurface) {
  g_config.displayOption = 0;
  ASSERT_TRUE(CreateGameFont());
  Paint(0);
  DrawTextLeft(-5, 10, "WRAPS AWAY", Rgb(255, 255, 255));  // x becomes 65531
  EXPECT_TRUE(Changed(surface, 0).empty());
  DrawTextLeft(300, 110, "EDGE", Rgb(255, 255, 255));  // partly outside: cut, no overrun
  Box b = Changed(surface, 0);
  ASSERT_FALSE(b.empty());
  EXPECT_LE(b.right, 319);
  EXPECT_LE(b.bottom, 119);
  DrawTextLeft(0, 0, "\xC3\x28 \xE2\x82 \xF0", Rgb(255, 255, 255));  // broken UTF-8 is drawn, not a crash
}

}  // namespace
