#include "assetgen/art/canvas.h"

#include <cmath>

namespace art {

Rgb Canvas::ColourAt(int x, int y) const {
  if (!Inside(x, y)) return {};
  const Px& q = At(x, y);
  if (q.a <= 0) return {};
  return {q.r / q.a, q.g / q.a, q.b / q.a};
}

void Canvas::Blend(int x, int y, Rgb c, float a) {
  if (!Inside(x, y) || a <= 0) return;
  a = std::min(a, 1.0f);
  Px& q = At(x, y);
  const float k = 1 - a;
  q.r = c.r * a + q.r * k;
  q.g = c.g * a + q.g * k;
  q.b = c.b * a + q.b * k;
  q.a = a + q.a * k;
}

void Canvas::Set(int x, int y, Rgb c, float a) {
  if (!Inside(x, y)) return;
  At(x, y) = Px{c.r * a, c.g * a, c.b * a, a};
}

void Canvas::Draw(const Canvas& src, int dx, int dy, float opacity) {
  for (int y = 0; y < src.h_; ++y)
    for (int x = 0; x < src.w_; ++x) {
      const int tx = x + dx, ty = y + dy;
      if (!Inside(tx, ty)) continue;
      const Px& s = src.At(x, y);
      if (s.a <= 0) continue;
      Px& q = At(tx, ty);
      const float a = s.a * opacity, k = 1 - a;
      q.r = s.r * opacity + q.r * k;
      q.g = s.g * opacity + q.g * k;
      q.b = s.b * opacity + q.b * k;
      q.a = a + q.a * k;
    }
}

void Canvas::DrawZoomed(const Canvas& src, int dx, int dy, int zoom) {
  Canvas big(src.w_ * zoom, src.h_ * zoom);
  for (int y = 0; y < big.h_; ++y)
    for (int x = 0; x < big.w_; ++x) big.At(x, y) = src.At(x / zoom, y / zoom);
  Draw(big, dx, dy);
}

void Canvas::DrawScaled(const Canvas& src, float dx, float dy, float sx, float sy) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      const float fx = (x + 0.5f - dx) / sx - 0.5f, fy = (y + 0.5f - dy) / sy - 0.5f;
      if (fx < -1 || fy < -1 || fx > src.w_ || fy > src.h_) continue;
      const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
      const float tx = fx - x0, ty = fy - y0;
      Px s{};
      for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) {
          const int sx0 = x0 + i, sy0 = y0 + j;
          if (!src.Inside(sx0, sy0)) continue;
          const float w = (i ? tx : 1 - tx) * (j ? ty : 1 - ty);
          const Px& p = src.At(sx0, sy0);
          s.r += p.r * w;
          s.g += p.g * w;
          s.b += p.b * w;
          s.a += p.a * w;
        }
      if (s.a <= 0) continue;
      Px& q = At(x, y);
      const float k = 1 - s.a;
      q.r = s.r + q.r * k;
      q.g = s.g + q.g * k;
      q.b = s.b + q.b * k;
      q.a = s.a + q.a * k;
    }
}

}  // namespace art
