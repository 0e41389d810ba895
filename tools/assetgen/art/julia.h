// Filled Julia sets, the fractal the game carves its landscapes from, as a
// coverage layer for painted scenes: solid where the orbit of a point stays
// bounded.
//
// Threads: the asset generator's only thread.
#pragma once

#include <vector>

namespace art {

struct JuliaView {
  float cRe, cIm;                  // the set's parameter c
  float left, top, right, bottom;  // the window of the complex plane shown
  int iterations;
  float turn = 0;                  // the window turned about its centre (radians)
};

// Coverage (0..1, four samples a pixel) of the filled set over a w x h
// picture, rows from the top.
std::vector<float> JuliaCoverage(const JuliaView& view, int w, int h);

}  // namespace art
