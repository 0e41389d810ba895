// Rules of the player set-up menu: the colour button's, and the keys that
// edit the name of the player being set up.
//
// Threads: the game thread.
#pragma once

#include <cstdint>
#include <string>

#include "state/player_record.h"

// The player's colour index moves on by one (5 wraps to 0), again while a
// player before it has that colour.
void NextFreeColour(int player);

// Backspace empties the name; a letter, digit or space is appended while the
// name has fewer than 12 characters. A key taken is cleared from last key
// and heard; any other key stays there.
void TypeIntoName(PlayerRecord& p);

// The rounds button steps through ENDLESS (0), 3, 5, 10 and 20 and back to
// ENDLESS; a count set from the command line moves on to the next larger one.
int32_t NextRoundsChoice(int32_t rounds);
// "ROUNDS: ENDLESS", "ROUNDS: 5".
void RoundsText(int32_t rounds, std::string* out);

// The control button: HUMAN, COMPUTER (the designed opponent), HARD, EASY,
// back to HUMAN; with the screens as designed only HUMAN and COMPUTER.
void NextControl(PlayerRecord& p, bool classic);
// The label under the control button.
const char* ControlName(const PlayerRecord& p);
