#include "display/colour.h"

#include <algorithm>

DisplayState g_display;

uint32_t PackColor(int red, int green, int blue) {
  if (g_display.pixelLayout == kLayout565)
    return static_cast<uint32_t>((red << 11) | (green << 6) | blue);
  return static_cast<uint32_t>((red << 10) | (green << 5) | blue);
}

int FillSurface(Surface* surface, uint32_t colour, const Rect* rect) {
  if (!surface) return 0;
  Rect r = rect ? *rect : Rect{0, 0, surface->Width(), surface->Height()};
  if (r.left < 0 || r.top < 0 || r.right > surface->Width() || r.bottom > surface->Height() || r.left >= r.right ||
      r.top >= r.bottom)
    return 0;
  platform::SurfaceLock lock(surface);
  if (!lock) return 0;
  const uint16_t value = static_cast<uint16_t>(colour);
  const int width = r.right - r.left;
  for (int y = r.top; y < r.bottom; ++y) std::fill_n(surface->Row(y) + r.left, width, value);
  return 0;
}

int32_t LayoutFromMasks(uint32_t red, uint32_t green, uint32_t blue, int32_t current) {
  return (red == 0xF800 && green == 0x7E0 && blue == 0x1F) ? kLayout565 : current;
}
