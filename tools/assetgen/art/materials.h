// Surface materials shared by several painters: masonry in courses of
// blocks, wooden planks, brushed metal. Each gives the colour of a point
// before the light of its shape is applied.
//
// Threads: the asset generator's only thread.
#pragma once

#include <cstdint>

#include "assetgen/art/colour.h"
#include "assetgen/art/geom.h"

namespace art {

struct Masonry {
  Rgb stone;             // the average block colour
  Rgb mortar;            // the joints
  float courseHeight = 4;  // block height including the joint
  float blockWidth = 7;    // block length including the joint
  float variation = 0.16f;  // how much blocks differ in tone
  uint32_t seed = 1;
  float grain = 0.08f;   // fine speckle inside a block
  int period = 0;        // > 0: repeats every period blocks along x
};

Masonry MakeMasonry(Rgb stone, Rgb mortar, float courseHeight, float blockWidth, uint32_t seed);

// The masonry colour at p; *edge tells how close p is to a block's lit
// (top/left, > 0) or shaded (bottom/right, < 0) rim, for a chiselled look.
Rgb MasonryAt(const Masonry& m, Vec2 p, float* edge = nullptr);

// Wooden planks running along x (vertical = false) or along y.
Rgb PlanksAt(Vec2 p, Rgb wood, float plankWidth, bool vertical, uint32_t seed);

}  // namespace art
