// Sprite copies onto any surface: keyed (pixel value 0 transparent) or opaque,
// whole or a rectangle of the sprite, clipped to the screen, the world or
// 1024 x 768, and a stretch of one surface over another.
//
// An unclipped copy whose picture does not lie wholly inside the target draws
// nothing (positions taken as unsigned 16-bit values); the clipped copies cut
// the source rectangle instead (positions taken as signed 16-bit values). A
// sprite without a surface, or a lost surface, draws nothing.
//
// Threads: the game thread, and the main thread's loading animation.
#pragma once

#include "platform/surface.h"
#include "sprites/sprite_table.h"

using platform::Surface;

// The entry of sprite index (an empty entry for an index out of range or
// before the table exists).
const SpriteEntry& Sprite(int index);
SpriteEntry& MutableSprite(int index);

void DrawSprite(Surface* target, const SpriteEntry& sprite, int x, int y);
void DrawSpriteOpaque(Surface* target, const SpriteEntry& sprite, int x, int y);
// The rectangle (left, top, right, bottom) of the sprite, keyed, to (x, y).
void DrawSpritePart(Surface* target, const SpriteEntry& sprite, int x, int y, int left, int top, int right,
                    int bottom);
// The whole source over the whole target, scaled, opaque.
void StretchSurface(Surface* target, Surface* source);

// Keyed copies of the part of the sprite inside bounds (0, 0, w, h).
void DrawSpriteClippedTo(Surface* target, const SpriteEntry& sprite, int x, int y, int boundsW, int boundsH);
void DrawSpriteClipped(Surface* target, const SpriteEntry& sprite, int x, int y);       // the screen size
void DrawSpriteClippedWorld(Surface* target, const SpriteEntry& sprite, int x, int y);  // 1536 x 768
void DrawSpriteClipped1024(Surface* target, const SpriteEntry& sprite, int x, int y);   // 1024 x 768

// The source rectangle a clipped draw copies, and where to; false when nothing
// is drawn. Exposed for tests of the clipping arithmetic.
struct ClipResult {
  int x = 0, y = 0;
  int left = 0, top = 0, right = 0, bottom = 0;
};
bool ClipSprite(int width, int height, int x, int y, int boundsW, int boundsH, ClipResult* out);
