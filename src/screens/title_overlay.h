// What the title screen draws over its background each frame: the title menu
// items, then the mouse pointer.
//
// Threads: the game thread.
#pragma once

void DrawTitleOverlay();
