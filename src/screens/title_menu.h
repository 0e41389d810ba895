// The title menu: three pictures (PLAY, CREDITS, EXIT, sprites 446 to 448)
// down the left of the title screen, and a fourth, OPTIONS (sprite 467),
// under them (at 320 x 240, where there is no room under them, top right). The one under the pointer is lit with a
// trail behind it and becomes the title menu item (10 when the pointer is on
// none); moving onto another item plays sound effect 17.
//
// Threads: the game thread.
#pragma once

enum TitleMenuItem : int { kTitlePlay = 0, kTitleCredits = 1, kTitleExit = 2, kTitleOptions = 3, kTitleNone = 10 };

// Draws the items into the back surface and updates g_game.titleMenuItem.
void DrawTitleMenu();

// The top-left corner of item i on the screen.
int TitleItemX(int item = kTitlePlay);
int TitleItemY(int item);
