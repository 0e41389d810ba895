// Rules of the player set-up menu: the colour button's, and the keys that
// edit the name of the player being set up.
//
// Threads: the game thread.
#pragma once

#include "state/player_record.h"

// The player's colour index moves on by one (5 wraps to 0), again while a
// player before it has that colour.
void NextFreeColour(int player);

// Backspace empties the name; a letter, digit or space is appended while the
// name has fewer than 12 characters. A key taken is cleared from last key
// and heard; any other key stays there.
void TypeIntoName(PlayerRecord& p);
