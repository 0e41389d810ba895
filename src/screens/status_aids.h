// The status bar's aids: the round's time left beside the turn timer, and
// each weapon slot's stock in small digits (none for an unlimited stock).
//
// Threads: the game thread.
#pragma once

#include <string>

// "ROUND m:ss": the round timer's game ticks (20 a second) as minutes and
// seconds, a started second counted whole.
std::string RoundClockText();
// Drawn beside the turn timer, whose text is `turnTimer`.
void DrawRoundClock(const std::string& turnTimer);
// The current player's stocks in the weapon slots' bottom right corners.
void DrawStockFigures();
