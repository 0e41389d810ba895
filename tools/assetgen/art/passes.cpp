#include "assetgen/art/passes.h"

#include <cmath>

namespace art {

void Outline(Canvas* c, Rgb colour, float width) {
  const int w = c->W(), h = c->H();
  const int reach = static_cast<int>(std::ceil(width));
  Canvas under(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float cover = 0;
      for (int j = -reach; j <= reach; ++j)
        for (int i = -reach; i <= reach; ++i) {
          if (!i && !j) continue;
          const float a = c->Alpha(x + i, y + j);
          if (a <= 0) continue;
          const float d = std::sqrt(static_cast<float>(i * i + j * j));
          cover = std::max(cover, a * Clamp01(width + 0.9f - d));
        }
      if (cover > 0) under.Set(x, y, colour, cover);
    }
  under.Draw(*c, 0, 0);
  *c = std::move(under);
}

void Bevel(Canvas* c, int width, float strength) {
  const int w = c->W(), h = c->H();
  const Canvas src = *c;
  const float dx = 0.7071f, dy = 0.7071f;  // towards the bottom right, away from the light
  auto alphaAt = [&](float fx, float fy) {
    return src.Alpha(static_cast<int>(std::floor(fx)), static_cast<int>(std::floor(fy)));
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (src.Alpha(x, y) <= 0) continue;
      float lit = 0, dark = 0;
      for (int k = 1; k <= width; ++k) {
        const float weight = static_cast<float>(width + 1 - k) / static_cast<float>(width);
        const float px = x + 0.5f, py = y + 0.5f;
        lit = std::max(lit, (1 - alphaAt(px - dx * k, py - dy * k)) * weight);
        lit = std::max(lit, (1 - alphaAt(px - k, py)) * weight * 0.8f);
        lit = std::max(lit, (1 - alphaAt(px, py - k)) * weight * 0.8f);
        dark = std::max(dark, (1 - alphaAt(px + dx * k, py + dy * k)) * weight);
        dark = std::max(dark, (1 - alphaAt(px + k, py)) * weight * 0.8f);
        dark = std::max(dark, (1 - alphaAt(px, py + k)) * weight * 0.8f);
      }
      const float light = 1 + strength * (lit - dark);
      Canvas::Px& q = c->At(x, y);
      const Rgb col = Ramp(Rgb{q.r / q.a, q.g / q.a, q.b / q.a}, light);
      q.r = col.r * q.a;
      q.g = col.g * q.a;
      q.b = col.b * q.a;
    }
}

void DropShadow(Canvas* c, int dx, int dy, Rgb colour, float opacity) {
  Canvas under(c->W(), c->H());
  for (int y = 0; y < c->H(); ++y)
    for (int x = 0; x < c->W(); ++x) {
      const float a = c->Alpha(x - dx, y - dy);
      if (a > 0) under.Set(x, y, colour, a * opacity);
    }
  under.Draw(*c, 0, 0);
  *c = std::move(under);
}

uint16_t Pack555(Rgb c, float ditherOffset, bool blueAtLeastOne) {
  auto five = [&](float v) {
    const int q = static_cast<int>(std::floor(Clamp01(v) * 31.0f + 0.5f + ditherOffset));
    return std::clamp(q, 0, 31);
  };
  const int r = five(c.r), g = five(c.g);
  int b = five(c.b);
  if (blueAtLeastOne && b == 0) b = 1;
  const uint16_t v = static_cast<uint16_t>((r << 10) | (g << 5) | b);
  return v == 0 ? 0x0421 : v;
}

SpriteImage Quantise(const Canvas& c, const QuantiseOptions& o) {
  static const float kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  SpriteImage s;
  s.width = static_cast<uint16_t>(c.W());
  s.height = static_cast<uint16_t>(c.H());
  s.pixels.assign(static_cast<size_t>(c.W()) * c.H(), 0);
  for (int y = 0; y < c.H(); ++y)
    for (int x = 0; x < c.W(); ++x) {
      const Canvas::Px& q = c.At(x, y);
      if (q.a < o.alphaCut || q.a <= 0) continue;
      const float d = o.dither ? (kBayer[y & 3][x & 3] + 0.5f) / 16.0f - 0.5f : 0.0f;
      s.pixels[static_cast<size_t>(y) * c.W() + x] = Pack555(Rgb{q.r / q.a, q.g / q.a, q.b / q.a}, d, o.blueAtLeastOne);
    }
  return s;
}

SpriteImage FlatSprite(int width, int height, uint16_t value) {
  SpriteImage s;
  s.width = static_cast<uint16_t>(width);
  s.height = static_cast<uint16_t>(height);
  s.pixels.assign(static_cast<size_t>(width) * height, value);
  return s;
}

}  // namespace art
