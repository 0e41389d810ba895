// Every player's money after each round of the game being played, for the
// chart of the final standings: one line per round played to its end.
//
// Threads: the game thread.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "state/player_record.h"

using MoneyAfterRound = std::array<int32_t, kMaxPlayers>;

// Cleared by the new-game reset; one line added per round (never per frame).
std::vector<MoneyAfterRound>& MoneyHistory();

// Adds the players' money as it is now as the next round's line.
void RecordMoneyAfterRound();
