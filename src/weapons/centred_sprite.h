// A picture placed with its centre on a projectile's position: the sprite and
// its top-left corner (truncated x - width / 2, truncated y - height / 2, the
// halves by integer division). Shells, explosions and built ground are all
// placed this way.
//
// Threads: the game thread.
#pragma once

#include "sprites/blit.h"

struct CentredSprite {
  const SpriteEntry& entry;
  int x, y;
};

inline CentredSprite CentreSprite(int index, float x, float y) {
  const SpriteEntry& e = Sprite(index);
  return {e, static_cast<int>(x) - e.width / 2, static_cast<int>(y) - e.height / 2};
}
