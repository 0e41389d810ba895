// The framed panel of the menus and screens: a frame cut out of sprite 444
// (30 x 30, four 15 x 15 corner quarters whose middle row and column make the
// edges) around an interior cut out of the panel fill canvas, sprite 465,
// which is tiled from sprite 449.
//
// Threads: the game thread.
#pragma once

#include "platform/surface.h"

// Draws a panel of (w + 30) x (h + 30) pixels with its top-left corner at
// (x, y) into target: the interior is w x h. Each piece is an unclipped keyed
// copy, so a piece that would cross the target's edge is left out.
void DrawPanel(platform::Surface* target, int x, int y, int w, int h);

// Tiles sprite 449 three by three into sprite 465 (clipped to 1024 x 768).
void BuildPanelFill();
