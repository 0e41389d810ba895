#include "shell/window_icon.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t Argb(int a, int r, int g, int b) {
  return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}

WindowIcon Draw() {
  WindowIcon icon;
  icon.size = 32;
  icon.pixels.assign(32 * 32, 0);
  auto put = [&](int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < 32 && y < 32) icon.pixels[y * 32 + x] = c;
  };
  // Rounded field with a sky gradient.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double dx = std::max(0.0, std::abs(x - 15.5) - 11.0), dy = std::max(0.0, std::abs(y - 15.5) - 11.0);
      if (dx * dx + dy * dy > 20.0) continue;
      put(x, y, Argb(255, 40 + y * 2, 80 + y * 3, 150 + y * 2));
    }
  // Ground.
  for (int y = 25; y < 30; ++y)
    for (int x = 3; x < 29; ++x) put(x, y, Argb(255, 70 + (x * 7 % 13), 110, 50));
  // Tower body with battlements, lit from the top-left.
  for (int y = 9; y < 26; ++y)
    for (int x = 10; x < 22; ++x) {
      const int shade = x < 13 ? 200 : x > 18 ? 130 : 170;
      const bool mortar = (y % 4 == 0) || ((x + (y / 4) * 3) % 6 == 0);
      put(x, y, mortar ? Argb(255, shade - 50, shade - 55, shade - 60) : Argb(255, shade, shade - 6, shade - 16));
    }
  for (int x = 9; x < 23; x += 3)
    for (int y = 5; y < 9; ++y)
      for (int k = 0; k < 2; ++k) put(x + k, y, Argb(255, 180, 174, 160));
  // Gate.
  for (int y = 19; y < 26; ++y)
    for (int x = 14; x < 18; ++x) put(x, y, Argb(255, 40, 28, 20));
  // Flag.
  for (int y = 1; y < 6; ++y) put(15, y, Argb(255, 60, 50, 40));
  for (int y = 1; y < 4; ++y)
    for (int x = 16; x < 21; ++x) put(x, y, Argb(255, 210, 40, 40));
  return icon;
}

}  // namespace

const WindowIcon& GameWindowIcon() {
  static const WindowIcon icon = Draw();
  return icon;
}
