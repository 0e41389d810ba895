#include "screens/small_digits.h"

namespace {

// Each digit's 15 pixels, row by row from the top, bit 14 the top-left.
constexpr uint16_t kGlyphs[10] = {
    0b111'101'101'101'111, 0b010'110'010'010'111, 0b111'001'111'100'111, 0b111'001'111'001'111,
    0b101'101'111'001'001, 0b111'100'111'001'111, 0b111'100'111'101'111, 0b111'001'010'010'010,
    0b111'101'111'101'111, 0b111'101'111'001'111};

void DrawDigit(PixelCanvas& canvas, int d, int left, int top, uint16_t colour) {
  for (int y = 0; y < kSmallDigitHeight; ++y)
    for (int x = 0; x < kSmallDigitWidth; ++x)
      if (SmallDigitPixel(d, x, y)) canvas.Put(left + x, top + y, colour);
}

}  // namespace

bool SmallDigitPixel(int d, int x, int y) {
  if (d < 0 || d > 9 || x < 0 || x >= kSmallDigitWidth || y < 0 || y >= kSmallDigitHeight) return false;
  return (kGlyphs[d] >> (14 - (y * kSmallDigitWidth + x))) & 1;
}

void DrawSmallNumber(PixelCanvas& canvas, int right, int top, int value, uint16_t colour, uint16_t shadow) {
  if (value < 0) value = 0;
  for (const bool isShadow : {true, false}) {
    int v = value, left = right - kSmallDigitWidth;
    do {
      if (isShadow)
        DrawDigit(canvas, v % 10, left + 1, top + 1, shadow);
      else
        DrawDigit(canvas, v % 10, left, top, colour);
      v /= 10;
      left -= kSmallDigitWidth + 1;
    } while (v > 0);
  }
}
