#include "world/crater.h"

#include <algorithm>

#include "state/shared_state.h"
#include "world/terrain.h"
#include "world/terrain_changes.h"

void CarveCraterInto(uint16_t* pixels, int x, int y, int radius, uint16_t e) {
  // 64-bit throughout: any centre and radius, also far outside the world.
  const int64_t r = radius, cx = x, cy = y;
  const int64_t dxBegin = std::max(-r, -cx), dxEnd = std::min(r, kWorldWidth - cx);
  const int64_t dyBegin = std::max(-r, -cy), dyEnd = std::min(r, kWorldHeight - cy);
  if (dxBegin >= dxEnd || dyBegin >= dyEnd) return;
  const int64_t hole = r * r - 3 * r, rim = r * r;
  for (int64_t dy = dyBegin; dy < dyEnd; ++dy) {
    uint16_t* row = pixels + (cy + dy) * kWorldWidth + cx;
    for (int64_t dx = dxBegin; dx < dxEnd; ++dx) {
      const uint16_t p = row[dx];
      const int64_t d2 = dx * dx + dy * dy;
      row[dx] = p == 0 ? p : d2 < hole ? uint16_t{0} : d2 <= rim ? e : p;
    }
  }
}

void CarveCrater(int x, int y, int radius) {
  TerrainLock lock;
  if (!lock) return;
  CarveCraterInto(lock.Pixels(), x, y, radius, TerrainEdgeColour(g_game.scenerySet));
  // The square the crater may touch, in 64 bits and clipped before it is narrowed.
  const int64_t r = radius;
  const auto clip = [](int64_t v, int64_t high) { return static_cast<int>(std::clamp<int64_t>(v, 0, high)); };
  MarkTerrainChanged(clip(x - r, kWorldWidth), clip(y - r, kWorldHeight), clip(x + r, kWorldWidth),
                     clip(y + r, kWorldHeight));
}
