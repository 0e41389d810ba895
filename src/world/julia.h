// Carving the filled Julia set of the current level out of the terrain: every
// pixel whose point z (column -> real part in [left, right], row -> imaginary
// part in [top, bottom]) is not kept bounded by |z|^2 <= 100 for its start
// and its first N + 1 iterates of z = z*z + c becomes 0 (sky); every other
// pixel keeps its texture.
//
// The arithmetic is single-float throughout and must not change: the step
// factors are the floats 1/1535 and 1/767, a = column * dx + left and
// b = row * dy + top with column and row as floats, the new real part is
// (a*a - b*b) + c real and the new imaginary part (2*a)*b + c imaginary.
// The fast carver performs exactly these operations on several pixels at
// once (SSE2) and splits the rows between two threads; it writes the same
// pixels as the one-pixel-at-a-time reference.
//
// Threads: called on the game thread (or the level search); CarveJulia runs
// one helper thread of its own for its duration.
#pragma once

#include <cstdint>

#include "world/level_file.h"

// The constants of one carving: steps and the loop bound N + 1.
struct JuliaFrame {
  float left, top, dx, dy, cReal, cImag;
  uint32_t iterations;  // N + 1
};
JuliaFrame MakeJuliaFrame(const LevelParams& level);

// True when the point of (column, row) stays bounded: the pixel keeps its texture.
bool JuliaInside(const JuliaFrame& frame, int column, int row);

// Both carve a 1536 x 768 pixel buffer with rows 1536 pixels apart, writing 0
// into every outside pixel and nothing else.
void CarveJuliaScalar(uint16_t* pixels, const LevelParams& level);  // reference: one core, one pixel at a time
void CarveJulia(uint16_t* pixels, const LevelParams& level);        // SIMD blocks of columns, two threads

// The SIMD kernel on rows [rowBegin, rowEnd), one thread (for tests and the benchmark).
void CarveJuliaRows(uint16_t* pixels, const JuliaFrame& frame, int rowBegin, int rowEnd);
// The SIMD kernel on world row `row`, written into line (1536 pixels).
void CarveJuliaRow(uint16_t* line, const JuliaFrame& frame, int row);
