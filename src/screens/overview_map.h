// The overview map: the whole world in small, framed as the game's panels, in
// the top right corner of a round: the terrain's silhouette, every standing
// fort as a dot in its colour (the current player's blinking), the shells in
// flight, the supply drops and the rectangle of the view. The terrain picture
// is kept from frame to frame and brought up to date only where the world
// reports a change (a crater, a mound, a new landscape). It takes no clicks.
// Shown by default from 640 x 480 on (at 320 x 240 it would cover too much);
// M shows or hides it.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

#include "platform/surface.h"

// The map's picture on the screen (inside its frame).
struct MapPlace {
  int x = 0, y = 0, w = 0, h = 0;
};
MapPlace OverviewMapPlace();

bool OverviewMapShown();
void ToggleOverviewMap();

void DrawOverviewMap();

// The terrain picture of a w x h map brought up to date with the world's
// changes: a cell is ground when at least half of the world's pixels it
// stands for are solid. For the map and its tests.
const platform::Surface* OverviewTerrainPicture(int w, int h);
uint16_t OverviewGroundColour();
uint16_t OverviewSkyColour();

// Forgets the picture and the M choice (a new test, a new run).
void ResetOverviewMap();
