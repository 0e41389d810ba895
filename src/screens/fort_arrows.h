// Arrows to the forts off screen: for every standing fort wholly outside the
// view, an arrow in the player's colour at the screen's edge pointing at the
// fort, with the player's name beside it. Kept clear of the top line of
// text, the overview map and the status bar.
//
// Threads: the game thread.
#pragma once

// An arrow's middle on the screen and its direction (a unit vector).
struct FortArrow {
  float x = 0, y = 0, dx = 0, dy = 0;
};

// The arrow to player i's fort; false when the fort is not placed, is
// destroyed or shows on the screen.
bool FortArrowTo(int player, FortArrow* out);
// Half the arrow's length, by screen size.
int FortArrowSize();

void DrawFortArrows();
