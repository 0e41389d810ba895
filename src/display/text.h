// Text on the back surface in the game's one font (Liberation Sans Bold, the
// metric twin of Arial) with a transparent background. Callers draw shadows
// themselves (the text twice, offset by a pixel).
//
// Threads: the game thread only (the font and the back surface).
#pragma once

#include <cstdint>
#include <string>

// A text colour with 8-bit components.
struct ColorRef {
  uint8_t red = 0, green = 0, blue = 0;
};
constexpr ColorRef Rgb(int r, int g, int b) {
  return ColorRef{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

// The font's cell height for a display option: 0 -> 12, 1 -> 18, 2 -> 23,
// 3 -> 30; any other option keeps `current`.
int32_t FontHeightForOption(int option, int32_t current);

// Creates the game's font from the display option (sets the font height).
bool CreateGameFont();

// One line with its top-left corner at (x, y); x and y are taken as unsigned
// 16-bit positions, so a negative one lands far off the surface.
void DrawTextLeft(int x, int y, const std::string& text, ColorRef colour);
// One line whose horizontal middle is x and whose top is y.
void DrawTextCentered(int x, int y, const std::string& text, ColorRef colour);

// Width in pixels of a line in the game's font.
int TextWidth(const std::string& text);
