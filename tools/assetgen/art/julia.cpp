#include "assetgen/art/julia.h"

#include <cmath>
#include <cstddef>

namespace art {
namespace {

bool Inside(float a, float b, const JuliaView& v) {
  for (int k = 0; k < v.iterations; ++k) {
    const float a2 = a * a, b2 = b * b;
    if (a2 + b2 > 100.0f) return false;
    b = 2 * a * b + v.cIm;
    a = a2 - b2 + v.cRe;
  }
  return true;
}

}  // namespace

std::vector<float> JuliaCoverage(const JuliaView& v, int w, int h) {
  std::vector<float> cover(static_cast<size_t>(w) * h);
  const float dx = (v.right - v.left) / static_cast<float>(w), dy = (v.bottom - v.top) / static_cast<float>(h);
  const float cx = (v.left + v.right) * 0.5f, cy = (v.top + v.bottom) * 0.5f;
  const float ct = std::cos(v.turn), st = std::sin(v.turn);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int n = 0;
      for (int s = 0; s < 4; ++s) {
        const float a = v.left + (x + 0.25f + 0.5f * (s & 1)) * dx - cx;
        const float b = v.top + (y + 0.25f + 0.5f * (s >> 1)) * dy - cy;
        n += Inside(cx + a * ct - b * st, cy + a * st + b * ct, v);
      }
      cover[static_cast<size_t>(y) * w + x] = n * 0.25f;
    }
  return cover;
}

}  // namespace art
