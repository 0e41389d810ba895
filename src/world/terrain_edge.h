// The terrain edge: a line of the scenery's edge colour about two pixels wide
// along the upper and left sides of every piece of ground.
//
// Every pixel with 1 <= x <= 1534 and 1 <= y <= 766 is visited row by row;
// here a pixel counts as solid when its low byte is non-zero. A solid pixel
// with at least one empty neighbour (above, below, left, right) is an edge
// pixel: it, its left neighbour and the pixel above it get the edge colour,
// and those writes count for the tests of later pixels.
//
// Threads: the game thread (and the level search).
#pragma once

#include <cstdint>

// Draws the edge into a 1536 x 768 pixel buffer (rows 1536 pixels apart).
void DrawTerrainEdge(uint16_t* pixels, uint16_t edgeColour);

// The same pass one pixel at a time, exactly in visiting order. DrawTerrainEdge
// finds the edge pixels of a whole row at once, which gives the same result
// whenever the edge colour itself counts as solid; otherwise it uses this.
void DrawTerrainEdgeInOrder(uint16_t* pixels, uint16_t edgeColour);
