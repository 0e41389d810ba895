// The final standings at the end of a game (after the last round's results,
// or when the players quit): the winner, a table of what every player did in
// the game, ranked, and the chart of their money after each round. It stays
// for a short lock-out, then any key or click returns to the title.
//
// Threads: the game thread.
#pragma once

#include <string>

#include "state/player_record.h"

class FramePresenter;

// The players of the game ranked for the standings: most rounds survived
// first, then most money, then the lower index. Returns how many.
int RankStandings(int order[kMaxPlayers]);

// The index of the game's winner (the first of RankStandings), -1 with no players.
int StandingsWinner();

// The table's columns: a heading and a player's figure for it.
inline constexpr int kStandingsColumns = 8;
const char* StandingsHeading(int column);
int32_t StandingsFigure(const PlayerRecord& player, int column);

// One frame of the screen, drawn into the back surface.
void DrawFinalStandings();

// Runs the screen until it is dismissed; a computer-only game from the
// command line closes it by itself after the lock-out.
void ShowFinalStandings(FramePresenter& frame);
