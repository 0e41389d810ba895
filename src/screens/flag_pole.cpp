#include "screens/flag_pole.h"

#include <algorithm>

namespace {

// The first row of a picture with a pixel in column x, or its height.
int FirstSolidRow(const SpriteEntry& s, int x) {
  const platform::Surface* p = s.surface.get();
  if (!p || p->IsLost() || x < 0 || x >= s.width) return s.height;
  for (int y = 0; y < s.height; ++y)
    if (p->At(x, y) != 0) return y;
  return s.height;
}

}  // namespace

void DrawFlagPole(platform::Surface* target, const SpriteEntry& emblem, int emblemX, int emblemY,
                  const SpriteEntry& fort, const SpriteEntry& under, int fortX, int fortY) {
  const platform::Surface* picture = emblem.surface.get();
  if (!target || !picture || picture->IsLost() || emblem.height == 0) return;
  int pitch = 0;
  uint16_t* pixels = target->Lock(&pitch);
  if (!pixels) return;
  const int rowPixels = pitch / 2, w = target->Width(), h = target->Height();
  const int top = std::max(emblemY + emblem.height, 0);
  for (int c = 0; c < emblem.width; ++c) {
    const uint16_t colour = picture->At(c, emblem.height - 1);
    const int x = emblemX + c;
    if (colour == 0 || x < 0 || x >= w) continue;
    const int roof = fortY + std::min(FirstSolidRow(fort, x - fortX), FirstSolidRow(under, x - fortX));
    for (int y = top; y < std::min(roof, h); ++y) pixels[y * rowPixels + x] = colour;
  }
  target->Unlock();
}
