// Projectile flight, once per frame after the collisions: on every third
// frame (frame phase 0) the animation pass steps each projectile's pictures
// (launch to flight with its flight sound, the direction of flight, hit to
// exploding with its explosion sound, the end of an explosion); then every
// launching or flying projectile runs one step of its flight program,
// bounces or falls, and moves; a projectile that has left the world at a
// side or the bottom, or far above the top, is removed.
//
// Threads: the game thread.
#pragma once

// The whole per-frame update of the projectile table.
void ProjectileFlight();

// The flight direction 1..36 of the velocity (1 up, 10 right, 19 down, 28
// left); previous when the projectile stands still.
int ProjectileDirection(float vx, float vy, int previous);
