// The checksum of the game's state that a replay stores and compares: the
// players' records, the terrain, the projectile table (without the sound
// channels, which belong to the sound device) and the random generator.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

uint32_t GameStateChecksum();
