// The view over the 1536 x 768 world: the screen's origin eases towards the
// view target every frame and stays inside the world; the pointer resting at
// a screen edge pushes the target; shells in flight pull it.
//
// Threads: the game thread.
#pragma once

// The pointer within this many pixels of a screen edge scrolls the view.
inline constexpr int kScrollEdge = 6;
// The edge-scroll speed changes by this much a frame, up to twice over.
inline constexpr int kScrollStep = 8;

// The origin moves about a twentieth of the way (at least a pixel) to put the
// target in the screen's centre, then is kept within the world; at a border
// the target is pulled back to the screen's centre.
void ViewFollowing();

// The edge-scroll speeds build up while the pointer rests at an edge and die
// away after it leaves; the target moves by them.
void EdgeScrolling();

// The target follows the shells in flight: the last slot in use wins.
void ProjectileFollowing();
