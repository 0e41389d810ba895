#include "assetgen/art/materials.h"

#include <cmath>

#include "assetgen/art/noise.h"

namespace art {

Masonry MakeMasonry(Rgb stone, Rgb mortar, float courseHeight, float blockWidth, uint32_t seed) {
  Masonry m;
  m.stone = stone;
  m.mortar = mortar;
  m.courseHeight = courseHeight;
  m.blockWidth = blockWidth;
  m.seed = seed;
  return m;
}

Rgb MasonryAt(const Masonry& m, Vec2 p, float* edge) {
  const float row = std::floor(p.y / m.courseHeight);
  const int irow = static_cast<int>(row);
  const float shift = (irow & 1) ? m.blockWidth * 0.5f : 0.0f;
  const float bx = (p.x + shift) / m.blockWidth;
  int col = static_cast<int>(std::floor(bx));
  const float fx = (bx - std::floor(bx)) * m.blockWidth;  // pixels into the block
  const float fy = p.y - row * m.courseHeight;
  if (m.period > 0) col = ((col % m.period) + m.period) % m.period;
  const float tone = 1.0f + (Hash01(col, irow, m.seed) - 0.5f) * 2.0f * m.variation;
  int gx = static_cast<int>(std::floor(p.x));
  if (m.period > 0) {  // the grain repeats with the blocks
    const int span = static_cast<int>(m.period * m.blockWidth);
    gx = ((gx % span) + span) % span;
  }
  const float speck = (Hash01(gx, static_cast<int>(std::floor(p.y)), m.seed + 99u) - 0.5f) * m.grain;
  const bool joint = fx < 1.0f || fy < 1.0f;
  if (edge) {
    *edge = 0;
    if (!joint) {
      if (fx < 2.0f || fy < 2.0f) *edge = 1;
      else if (fx > m.blockWidth - 1.0f || fy > m.courseHeight - 1.0f) *edge = -1;
    }
  }
  if (joint) return m.mortar * (1.0f + speck);
  const Rgb warm = Hash01(col, irow, m.seed + 5u) > 0.5f ? Rgb{1.03f, 1.0f, 0.96f} : Rgb{0.97f, 0.99f, 1.03f};
  return Mul(m.stone, warm) * (tone + speck);
}

Rgb PlanksAt(Vec2 p, Rgb wood, float plankWidth, bool vertical, uint32_t seed) {
  const float across = vertical ? p.x : p.y, along = vertical ? p.y : p.x;
  const int plank = static_cast<int>(std::floor(across / plankWidth));
  const float f = across - plank * plankWidth;
  const float tone = 0.88f + 0.24f * Hash01(plank, 0, seed);
  const float grain = 0.9f + 0.2f * ValueNoise(along * 0.15f, across * 1.3f + plank * 7.0f, seed + 3u);
  Rgb c = wood * (tone * grain);
  if (f < 1.0f) c = c * 0.55f;
  return c;
}

}  // namespace art
