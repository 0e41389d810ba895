// Pixel-accurate contact between sprites placed in one coordinate system
// (world or screen): whether two sprites overlap in non-transparent bytes,
// whether a point lies on a non-transparent pixel, and the erasing of a fort's
// pixels under an explosion, which counts the damage.
//
// Only the overlap of the two rectangles is scanned; rectangles that merely
// touch do not overlap. Pixels are compared byte by byte (low byte first), so
// two non-zero pixels meet only where they share a non-zero byte position. A
// sprite without a surface collides with nothing. A surface that cannot be
// locked shows "error lock sp1" (first sprite) or "error lock sp2" (second, or
// the only one) and the test answers no.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

#include "sprites/sprite_table.h"

// True when a non-zero byte of a at (ax, ay) lies on a non-zero byte of b at
// (bx, by).
bool SpritesCollide(const SpriteEntry& a, int32_t ax, int32_t ay, const SpriteEntry& b, int32_t bx, int32_t by);

// True when (px, py) lies inside the sprite at (sx, sy) on a non-zero pixel.
bool PointInSprite(int32_t px, int32_t py, const SpriteEntry& sprite, int32_t sx, int32_t sy);

// Clears the bytes of b under the non-zero bytes of a, with a window of two
// bytes sliding one byte at a time along each row of the overlap, and counts
// the windows of b that held something: a fully coloured pixel of b usually
// counts twice, and the low byte of b's pixel just right of the overlap may be
// cleared (and counted) too. The count wraps at 16 bits. a and b must be
// different surfaces (else nothing happens and the count is 0).
uint16_t EraseUnderSprite(const SpriteEntry& a, int32_t ax, int32_t ay, const SpriteEntry& b, int32_t bx,
                          int32_t by);
