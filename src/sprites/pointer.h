// The mouse pointer (sprite 14) drawn centred on the cursor position, and the
// hit test of the pointer probe (sprite 15 at the cursor minus 4) against a
// button drawn at a screen position.
//
// Threads: the game thread.
#pragma once

#include "sprites/sprite_table.h"

void DrawMousePointer();

// True when the pointer probe touches the button sprite drawn at (x, y).
bool PointerTouches(const SpriteEntry& button, int x, int y);
