#include "world/terrain_edge.h"

#include "world/terrain.h"

namespace {

inline bool Solid(uint16_t p) { return (p & 0xFF) != 0; }

}  // namespace

void DrawTerrainEdgeInOrder(uint16_t* pixels, uint16_t e) {
  for (int y = 1; y < kWorldHeight - 1; ++y) {
    uint16_t* row = pixels + static_cast<size_t>(y) * kWorldWidth;
    uint16_t* up = row - kWorldWidth;
    const uint16_t* down = row + kWorldWidth;
    for (int x = 1; x < kWorldWidth - 1; ++x) {
      if (!Solid(row[x])) continue;
      if (Solid(up[x]) && Solid(down[x]) && Solid(row[x - 1]) && Solid(row[x + 1])) continue;
      row[x] = e;
      row[x - 1] = e;
      up[x] = e;
    }
  }
}

// When the edge colour counts as solid, a write of it never turns a solid
// pixel empty, so within one row every test sees the row as it was before the
// row was visited: its own pixels and the row below are untouched, and the row
// above already holds everything written into it by its own row (the writes
// into the row above made while visiting this row land on pixels that no
// later test looks at). So each row's edge pixels can be found all at once,
// and then written.
void DrawTerrainEdge(uint16_t* pixels, uint16_t e) {
  if (!Solid(e)) {
    DrawTerrainEdgeInOrder(pixels, e);
    return;
  }
  // edge[x] for x = 0..1536 is 0xFFFF at an edge pixel, else 0: the first and
  // last columns never are, and edge[1536] lets the write look one column to
  // the right. Branch-free, so that both loops vectorise.
  alignas(16) uint16_t edge[kWorldWidth + 1] = {};
  for (int y = 1; y < kWorldHeight - 1; ++y) {
    uint16_t* __restrict row = pixels + static_cast<size_t>(y) * kWorldWidth;
    uint16_t* __restrict up = row - kWorldWidth;
    const uint16_t* __restrict down = row + kWorldWidth;
    for (int x = 1; x < kWorldWidth - 1; ++x) {
      const bool open = ((up[x] & 0xFF) == 0) | ((down[x] & 0xFF) == 0) | ((row[x - 1] & 0xFF) == 0) |
                        ((row[x + 1] & 0xFF) == 0);
      edge[x] = static_cast<uint16_t>(-static_cast<int>(((row[x] & 0xFF) != 0) & open));
    }
    // Pixel x is written as an edge pixel itself or as the left neighbour of
    // one; the pixel above only as an edge pixel's upper neighbour.
    for (int x = 0; x < kWorldWidth; ++x) {
      const uint16_t self = edge[x] | edge[x + 1];
      row[x] = static_cast<uint16_t>((row[x] & ~self) | (e & self));
    }
    for (int x = 0; x < kWorldWidth; ++x) up[x] = static_cast<uint16_t>((up[x] & ~edge[x]) | (e & edge[x]));
  }
}
