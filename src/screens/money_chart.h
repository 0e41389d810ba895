// The chart of the final standings: every player's money after each round of
// the game, one line per player in the fort's colour, over axes with the
// round numbers below and a money scale at the left. Drawn with the game's
// own fills and text into the back surface.
//
// Threads: the game thread.
#pragma once

#include <cstdint>
#include <vector>

#include "state/money_history.h"

// The plot area inside the axes, in screen pixels (right and bottom included).
struct ChartBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The top of the money scale: the smallest 1, 2 or 5 times a power of ten at
// or above most (at least 1000).
int32_t ChartScaleTop(int32_t most);

// Where the point of round r (0 is the game's start, with no money) of
// `rounds` lands across the box, and where money m lands on a scale up to top.
int ChartX(const ChartBox& box, int round, int rounds);
int ChartY(const ChartBox& box, int32_t money, int32_t top);

// Labels every step-th round so that labels of labelWidth pixels do not touch.
int RoundLabelStep(int rounds, int width, int labelWidth);

// A line two pixels thick from (x0, y0) to (x1, y1), clipped to the screen.
void DrawChartLine(int x0, int y0, int x1, int y1, uint32_t colour);

// The axes, the labels and one line per player of the first `players`.
void DrawMoneyChart(const ChartBox& box, const std::vector<MoneyAfterRound>& history, int players);
