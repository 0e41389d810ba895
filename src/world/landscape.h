// Building the round's landscape on the terrain surface: the scenery's ground
// texture tiled over the world, the current level's Julia set carved out of
// it, the terrain edge, and the base strip along the bottom.
//
// Threads: the game thread (the main thread meanwhile shows the loading
// animation and leaves the terrain alone).
#pragma once

#include "platform/surface.h"

// Sprites of the scenery set s (0..4): ground tile, base strip block.
inline constexpr int kGroundTileSprite = 142;
inline constexpr int kBaseStripSprite = 87;
inline constexpr int kBaseStripBlocks = 38;

// The scenery set of the round, or 0 when the shared value is out of range.
int CurrentScenerySet();

// The whole build from g_level and the scenery set of the round.
void BuildLandscape();

// The steps of the build, on the given terrain surface. A surface that cannot
// be locked or is not 1536 x 768 is left as it is by the carving and the edge.
void TileGroundTexture(platform::Surface* terrain, int scenerySet);
void CarveLevel(platform::Surface* terrain);
void DrawTerrainEdgeOn(platform::Surface* terrain, int scenerySet);
// The 38 blocks of the base strip at (50 + 38 * i, 730), keyed (also redrawn
// into the terrain every frame by the world drawing).
void DrawBaseStrip(platform::Surface* terrain, int scenerySet);
