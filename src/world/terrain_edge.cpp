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
  // edge[x] for x = 0..1536; the first and last columns are never edge pixels,
  // and edge[1536] lets the row write look one column to the right.
  alignas(16) uint8_t edge[kWorldWidth + 1] = {};
  for (int y = 1; y < kWorldHeight - 1; ++y) {
    uint16_t* __restrict row = pixels + static_cast<size_t>(y) * kWorldWidth;
    uint16_t* __restrict up = row - kWorldWidth;
    const uint16_t* __restrict down = row + kWorldWidth;
    for (int x = 1; x < kWorldWidth - 1; ++x) {
      const bool all = (up[x] & 0xFF) && (down[x] & 0xFF) && (row[x - 1] & 0xFF) && (row[x + 1] & 0xFF);
      edge[x] = static_cast<uint8_t>((row[x] & 0xFF) != 0 && !all);
    }
    for (int x = 0; x < kWorldWidth; ++x) {
      // Pixel x is written as an edge pixel itself or as the left neighbour
      // of one; the pixel above only as an edge pixel's upper neighbour.
      row[x] = (edge[x] | edge[x + 1]) ? e : row[x];
      up[x] = edge[x] ? e : up[x];
    }
  }
}
