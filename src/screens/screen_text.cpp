#include "screens/screen_text.h"

#include <charconv>

void DrawShadowedLeft(int x, int y, const std::string& text, ColorRef shadow, ColorRef colour) {
  DrawTextLeft(x, y, text, shadow);
  DrawTextLeft(x - 1, y - 1, text, colour);
}

void DrawShadowedCentered(int x, int y, const std::string& text, ColorRef shadow, ColorRef colour) {
  DrawTextCentered(x, y, text, shadow);
  DrawTextCentered(x - 1, y - 1, text, colour);
}

void AppendNumber(std::string* out, int32_t value) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out->append(digits, end);
}
