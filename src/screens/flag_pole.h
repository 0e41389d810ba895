// The pole under a fort's flag: from the foot of the emblem down to the
// castle, so that a flag raised above its fort still stands on it. Drawn over
// the fort as decoration only: no fort or terrain pixel changes and nothing
// collides with it.
//
// Threads: the game thread.
#pragma once

#include "platform/surface.h"
#include "sprites/sprite_table.h"

// Repeats the emblem's bottom row (the pole's cross-section) downwards from
// (emblemX, emblemY + its height), each column down to the first pixel of the
// castle (the fort's picture or the interior drawn under it, both at (fortX,
// fortY)) in that column, or to the castle's foot where the column is empty.
// Clipped to the target.
void DrawFlagPole(platform::Surface* target, const SpriteEntry& emblem, int emblemX, int emblemY,
                  const SpriteEntry& fort, const SpriteEntry& under, int fortX, int fortY);
