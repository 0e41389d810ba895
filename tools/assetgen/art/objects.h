// Pictures that more than one family shows: the ball of BALL GRENADE (also
// bouncing in the loading animation), the fort, the ground, the fireballs
// (also in the painted scenes) and the framed panel (its frame sprite, the
// loading banner).
//
// Threads: the asset generator's only thread.
#pragma once

#include "assetgen/art/canvas.h"

namespace art {

// The rubber ball turned by angle about its axis and squashed by (sx, sy).
Canvas BallPicture(int size, float angle, float sx, float sy);

// The intact fort, 80 x 50, before it becomes bank pixels. Rows above
// kFortTopRow hold nothing, so that the shells a fort fires from (40, 10)
// leave it upwards without touching it.
inline constexpr int kFortTopRow = 20;
Canvas FortPicture();

// The ground texture of a scenery set (0 earth, 1 red rock, 2 sand, 3 moss,
// 4 ice) at p; it repeats every 128 x 96 pixels.
Rgb GroundColour(int set, Vec2 p);

// An explosion fireball (frame 0 is the smallest), before it becomes bank
// pixels.
Canvas ExplosionPicture(int frame);

// A MISSILE (kind 0) or BIG MISSILE (kind 1) drawn zoom times as long as
// its flying picture (and a little slimmer), turned by angle, on a size x
// size canvas.
Canvas ShellPicture(int kind, float zoom, int size, float angle);

// The panel frame, width pixels wide (15 for panels), around the whole
// canvas; the inside is left as it is.
void PaintFrame(Canvas* c, float width);

}  // namespace art
