// The resets of the player records: once at program start (default names,
// empty records) and at the start of every new game (starting stock, no money;
// names and controls kept).
//
// Threads: the game thread.
#pragma once

#include <string>

#include "state/player_record.h"

// Shells of each weapon a player starts a new game with.
inline constexpr int16_t kStartingStock[kWeaponCount] = {kUnlimitedStock, 0, 1, 0, 0, 0, 0, 1, 0, 10};

// Player i's name until one is typed: "NONAME 01" to "NONAME 05".
std::string DefaultPlayerName(int i);
// Whether a name is still one of the default names.
bool IsDefaultPlayerName(const std::string& name);

void ProgramStartReset();
void NewGameReset();
