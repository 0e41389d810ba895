// Where the terrain has changed since a reader last asked: the union of every
// rectangle a crater, a mound or a new landscape touched, so that a small
// picture of the world (the overview map) redraws only what changed instead of
// rescanning the world. The world marks; the screens take.
//
// Threads: the game thread.
#pragma once

// A world rectangle, right and bottom exclusive; empty when left >= right or
// top >= bottom.
struct TerrainChange {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return left >= right || top >= bottom; }
};

// Adds the rectangle (clipped to the world) to the changes.
void MarkTerrainChanged(int left, int top, int right, int bottom);
void MarkWholeTerrainChanged();
// The changes since the last call, which starts them afresh.
TerrainChange TakeTerrainChanges();
