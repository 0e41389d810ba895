#include "world/landscape.h"

#include "sprites/blit.h"
#include "state/shared_state.h"
#include "world/julia.h"
#include "world/level_file.h"
#include "world/terrain.h"
#include "world/terrain_changes.h"
#include "world/terrain_edge.h"

int CurrentScenerySet() { return g_game.scenerySet <= 4 ? g_game.scenerySet : 0; }

void TileGroundTexture(platform::Surface* terrain, int set) {
  const SpriteEntry& tile = Sprite(kGroundTileSprite + set);
  const int w = tile.width, h = tile.height;
  if (w == 0 || h == 0) return;  // no tile: the surface keeps what it holds
  for (int j = 0; j <= kWorldHeight / h; ++j)
    for (int i = 0; i <= kWorldWidth / w; ++i) DrawSpriteClippedWorld(terrain, tile, i * w, j * h);
}

void CarveLevel(platform::Surface* terrain) {
  TerrainLock lock(terrain);
  if (lock) CarveJulia(lock.Pixels(), g_level);
}

void DrawTerrainEdgeOn(platform::Surface* terrain, int set) {
  TerrainLock lock(terrain);
  if (lock) DrawTerrainEdge(lock.Pixels(), TerrainEdgeColour(set));
}

void DrawBaseStrip(platform::Surface* terrain, int set) {
  const SpriteEntry& block = Sprite(kBaseStripSprite + set);
  for (int i = 0; i < kBaseStripBlocks; ++i) DrawSprite(terrain, block, 50 + 38 * i, 730);
}

void BuildLandscape() {
  platform::Surface* terrain = TerrainSurface();
  const int set = CurrentScenerySet();
  TileGroundTexture(terrain, set);
  CarveLevel(terrain);
  DrawTerrainEdgeOn(terrain, set);
  DrawBaseStrip(terrain, set);
  MarkWholeTerrainChanged();
}
