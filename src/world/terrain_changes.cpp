#include "world/terrain_changes.h"

#include <algorithm>

#include "world/terrain.h"

namespace {

TerrainChange g_changes;

}  // namespace

void MarkTerrainChanged(int left, int top, int right, int bottom) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, kWorldWidth);
  bottom = std::min(bottom, kWorldHeight);
  const TerrainChange added{left, top, right, bottom};
  if (added.Empty()) return;
  if (g_changes.Empty()) {
    g_changes = added;
    return;
  }
  g_changes = {std::min(g_changes.left, left), std::min(g_changes.top, top), std::max(g_changes.right, right),
               std::max(g_changes.bottom, bottom)};
}

void MarkWholeTerrainChanged() { MarkTerrainChanged(0, 0, kWorldWidth, kWorldHeight); }

TerrainChange TakeTerrainChanges() {
  const TerrainChange taken = g_changes;
  g_changes = TerrainChange();
  return taken;
}
