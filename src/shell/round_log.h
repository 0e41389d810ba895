// A line per round started in this run, for the run's summary: which level
// and scenery it had, how many frames it ran, how it ended, which forts stood
// at its end, and the players when its results showed.
//
// Threads: the game thread (read at exit by whichever thread ends the run).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RoundLogEntry {
  int level = 0;
  int scenery = 0;
  uint64_t frames = 0;
  std::string ended;          // "won", "time" or "quit"; empty while it runs
  std::vector<int> standing;  // players whose fort stood at the end
  // When the results showed: the players (as the summary lists them) and the
  // projectile slots still in use; empty for a round that was quit.
  std::string resultsPlayers;
  int resultsProjectiles = 0;
};

std::vector<RoundLogEntry>& RoundLog();
