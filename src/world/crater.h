// Craters: an explosion cuts a disc out of the ground and leaves a rim of the
// scenery's edge colour around it. Only solid pixels change; sky stays sky.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

// Carves the crater of radius r at (x, y) into the terrain surface with the
// current scenery set's edge colour. Any centre and radius are safe: only the
// part inside the world is touched.
void CarveCrater(int x, int y, int radius);

// The same on a 1536 x 768 pixel buffer. For every offset (dx, dy) with
// -r <= dx, dy < r that lands inside the world, a solid pixel with
// dx*dx + dy*dy < r*r - 3*r becomes 0 and one with dx*dx + dy*dy <= r*r
// becomes the edge colour. A radius of 3 or less therefore only recolours.
void CarveCraterInto(uint16_t* pixels, int x, int y, int radius, uint16_t edgeColour);
