// The terrain surface (sprite 1): the world's one bitmap, 1536 x 768 16-bit
// pixels, 0 empty sky, anything else solid ground. The landscape routines
// address pixel (x, y) at y * 1536 + x of the locked memory, so they work
// only on a surface whose rows lie exactly 1536 pixels apart; TerrainLock
// refuses any other surface, and the routines then change nothing.
//
// Threads: the game thread (and the asset generator's level search).
#pragma once

#include <cstdint>

#include "platform/surface.h"

inline constexpr int kWorldWidth = 1536;
inline constexpr int kWorldHeight = 768;
inline constexpr int kTerrainSprite = 1;

// The terrain surface of the sprite table (null when there is none).
platform::Surface* TerrainSurface();

// Holds a terrain surface locked for the lifetime of the object; false when it
// cannot be locked or is not 1536 x 768 with rows 3072 bytes apart.
class TerrainLock {
 public:
  TerrainLock() : TerrainLock(TerrainSurface()) {}
  explicit TerrainLock(platform::Surface* surface);
  TerrainLock(const TerrainLock&) = delete;
  TerrainLock& operator=(const TerrainLock&) = delete;
  explicit operator bool() const { return pixels_ != nullptr; }
  uint16_t* Pixels() const { return pixels_; }

 private:
  platform::SurfaceLock lock_;
  uint16_t* pixels_ = nullptr;
};

// The packed terrain edge colour of a scenery set (0..4; any other set uses
// set 0), in the display's pixel layout.
uint16_t TerrainEdgeColour(int scenerySet);
