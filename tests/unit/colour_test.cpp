// Colour packing in both pixel layouts, fills, and layout detection.
#include <gtest/gtest.h>

#include "display/colour.h"

namespace {

class Colour : public testing::Test {
 protected:
  void TearDown() override { g_display.pixelLayout = kLayout555; }
};

TEST_F(Colour, EachLayoutPlacesTheComponentsAndIsDetectedOnlyFromItsExactMasks) {
  g_display.pixelLayout = kLayout555;
  EXPECT_EQ(PackColor(31, 31, 31), 0x7FFFu);
  EXPECT_EQ(PackColor(1, 2, 3), (1u << 10) | (2u << 5) | 3u);
  g_display.pixelLayout = kLayout565;
  EXPECT_EQ(PackColor(31, 31, 31), 0xFFDFu);  // green's lowest bit is never set in 5-6-5
  EXPECT_EQ(PackColor(1, 2, 3), (1u << 11) | (2u << 6) | 3u);
  for (const auto& [file, layout, pixel] : {std::tuple{0x7FFF, kLayout565, 0xFFDF}, {0xFFFF, kLayout555, 0x7FFF},
                                           {0x001F, kLayout565, 0x001F}, {0x7C00, kLayout565, 0xF800}})
    EXPECT_EQ(ConvertFilePixel(static_cast<uint16_t>(file), layout), pixel) << file;
  EXPECT_EQ(LayoutFromMasks(0xF800, 0x7E0, 0x1F, kLayout555), kLayout565);
  EXPECT_EQ(LayoutFromMasks(0x7C00, 0x3E0, 0x1F, kLayout555), kLayout555);
  EXPECT_EQ(LayoutFromMasks(0, 0, 0, kLayout555), kLayout555);  // a failed query
}

TEST_F(Colour, FillCoversExactlyItsRectangleAndRefusesBadOnes) {
  Surface s(8, 6);
  Rect r{2, 1, 5, 3}, outside{6, 0, 9, 2}, empty{3, 3, 3, 5};  // outside crosses the right edge
  EXPECT_EQ(FillSurface(&s, 0x1234, &r), 0);
  FillSurface(&s, 0x5555, &outside);
  FillSurface(&s, 0x5555, &empty);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(s.At(x, y), (x >= 2 && x < 5 && y >= 1 && y < 3) ? 0x1234 : 0) << x << "," << y;

  FillSurface(&s, 0x00FF, nullptr);  // the whole surface
  EXPECT_EQ(s.At(0, 0), 0x00FF);
  EXPECT_EQ(s.At(7, 5), 0x00FF);
  EXPECT_EQ(FillSurface(nullptr, 1, nullptr), 0);
  s.SetLost(true);
  FillSurface(&s, 0x7777, nullptr);
  s.SetLost(false);
  EXPECT_EQ(s.At(4, 4), 0x00FF);
}

}  // namespace
