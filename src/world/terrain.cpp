#include "world/terrain.h"

#include "display/colour.h"
#include "sprites/blit.h"

platform::Surface* TerrainSurface() { return MutableSprite(kTerrainSprite).surface.get(); }

TerrainLock::TerrainLock(platform::Surface* surface) : lock_(surface) {
  if (lock_ && surface->Width() == kWorldWidth && surface->Height() == kWorldHeight &&
      lock_.Pitch() == kWorldWidth * 2)
    pixels_ = lock_.Pixels();
}

uint16_t TerrainEdgeColour(int scenerySet) {
  static constexpr int16_t kEdge[5][3] = {{16, 15, 15}, {23, 14, 19}, {19, 17, 14}, {13, 14, 9}, {20, 20, 23}};
  const int set = scenerySet >= 0 && scenerySet < 5 ? scenerySet : 0;
  return static_cast<uint16_t>(PackColor(kEdge[set][0], kEdge[set][1], kEdge[set][2]));
}
