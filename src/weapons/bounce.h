// The bounce of grenades and balls off the ground: a circle a little wider
// than the ball (its radius plus its speed) is scanned around it for ground;
// when ground lies ahead, the ball turns away from it and keeps five sixths of
// its speed.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

// The bounce on a locked terrain's pixels (1536 x 768, rows without gaps).
// vx and vy are the velocity, replaced by the new one when the ball bounced;
// radius is the type's bounce radius (above 0). Only pixels inside the world
// are read. True when it bounced.
bool BounceOnPixels(const uint16_t* terrain, float x, float y, float& vx, float& vy, int radius);

// The same on the terrain surface, locked for the test. When it cannot be
// locked, "error lock powerhnost" is shown and there is no bounce.
bool BounceOffTerrain(float x, float y, float& vx, float& vy, int radius);
