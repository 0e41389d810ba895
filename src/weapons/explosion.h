// The end of an explosion, when its last picture has been shown: the
// explosion picture eats into every fort under it (the erased pixels are the
// victims' damage and the shooter's money; a GIMLET does no damage), a crater
// is cut into the landscape, and the slot is freed. A GROUND DEFENSE instead
// draws its last picture into the terrain as new ground.
//
// Threads: the game thread.
#pragma once

// The radius of the crater left by the explosion whose last picture is
// sprite e: 10 - truncate(-2.25 (e - 17)).
int CraterRadius(int e);

// Carries out the end of the explosion of the projectile in slot (its
// picture E = explosion sprite + animation step) and frees the slot.
void EndExplosion(int slot);
