// Whole numbers in tiny 3 x 5 pixel digits with a one-pixel shadow, for the
// stock figures inside the weapon slots, where the game's font does not fit.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

#include "screens/pixel_canvas.h"

inline constexpr int kSmallDigitWidth = 3;
inline constexpr int kSmallDigitHeight = 5;

// Draws value (0 or more) with its last digit ending at column right - 1 and
// its top at row top; digits one column apart, the shadow one pixel down and
// right of them.
void DrawSmallNumber(PixelCanvas& canvas, int right, int top, int value, uint16_t colour, uint16_t shadow);

// Whether pixel (x, y) of digit d (0..9) is lit.
bool SmallDigitPixel(int d, int x, int y);
