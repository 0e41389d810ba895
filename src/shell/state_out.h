// The run's JSON summary for --state-out: frames presented, screen size,
// messages shown, the players of the game, rounds played.
//
// Threads: written once at the end of the run, by whichever thread ends it.
#pragma once

#include <string>

std::string StateSummaryJson();
// The summary's list of players alone, on one line.
std::string PlayersSummaryJson();
// Writes the summary to the --state-out file, if one was asked for.
void WriteStateOut();
