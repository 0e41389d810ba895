// The aim readout of a human's turn: the angle to the pointer and the power
// charged ("AIM 47 62%") above the power gauge, and the player's last shot
// with its angle and power ("LAST 47 62%") above that, its path left as faint
// dots in the world, so that a good shot can be repeated.
//
// Threads: the game thread.
#pragma once

#include <string>

// "AIM angle power%" for the current player and the pointer.
std::string AimReadoutText();
// "LAST angle power%" of a player's last shot; empty when none was fired.
std::string LastShotText(int player);

// The last shot's dots: drawn in the world, under the status texts.
void DrawLastShotPath();
// The readout's lines, right-aligned with the power gauge.
void DrawAimReadout();
