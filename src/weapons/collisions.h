// Contacts, once per frame: the destroyed-fort check (early in the frame) and
// the collisions of every launching or flying projectile with the landscape,
// the forts, their shields and the supply drops (after the drops have moved,
// before the flight). A contact only switches the projectile to the hit
// state; its explosion follows in the flight.
//
// Threads: the game thread.
#pragma once

// Marks every fort whose damage passed 2500 as destroyed, with sound 22 once.
void DestroyedFortCheck();

// Tests every projectile's picture against the terrain, the forts, the
// shields of the forts that have charges and the supply drops.
void ProjectileCollisions();
