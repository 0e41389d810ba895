// Deterministic noise for textures: integer hashing, smooth value noise and
// its fractal sum, and cellular (Worley) noise, each optionally periodic so
// that tiles repeat without a seam. The same arguments always give the same
// values.
//
// Threads: the asset generator's only thread.
#pragma once

#include <cstdint>

namespace art {

uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
// A value in [0, 1) from integer coordinates and a seed.
float Hash01(int x, int y, uint32_t seed);

// How often noise repeats, in units along x and y (0: never).
struct Period {
  int x = 0, y = 0;
};

// Smooth noise in [0, 1] with one feature per unit.
float ValueNoise(float x, float y, uint32_t seed, Period period = {});

// Octaves of value noise, each twice as fine and gain times as strong,
// normalised to [0, 1].
float Fbm(float x, float y, uint32_t seed, int octaves, Period period = {}, float gain = 0.5f);

// Cellular noise: distances to the nearest (f1) and second nearest (f2)
// feature point, one point per unit cell; id is the nearest cell's hash.
struct Cells {
  float f1 = 0, f2 = 0;
  uint32_t id = 0;
  float cx = 0, cy = 0;  // the nearest feature point
};
Cells Worley(float x, float y, uint32_t seed, Period period = {}, float jitter = 0.85f);

}  // namespace art
