// The record of the player whose turn it is and the weapon chosen for the
// turn, each kept within its table whatever the shared values hold.
//
// Threads: the game thread.
#pragma once

#include "state/player_record.h"

PlayerRecord& CurrentPlayerRecord();
// The current weapon, 0..9 (MISSILE for anything else).
int CurrentWeapon();
