// The last game's players kept in the player's settings: their names and
// controls come back when the program starts, each one's colour when the
// player set-up reaches that player (if no earlier player has taken it), and
// the players of a game are saved when it starts.
//
// Threads: the game thread.
#pragma once

// Names and controls of the saved players into the player records.
void RestoreSavedNamesAndControls();

// The saved colour of player (0..4) into its record, when it is saved and
// no player before it has that colour.
void RestoreSavedColour(int player);

// Saves the players of the game about to start (g_game.numberOfPlayers).
void SaveGamePlayers();
