// The painters' canvas: premultiplied floating-point RGBA pixels, shapes
// filled with anti-aliased coverage taken from a signed distance (negative
// inside, in pixels), layers composited over each other.
//
// Threads: the asset generator's only thread.
#pragma once

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "assetgen/art/colour.h"
#include "assetgen/art/geom.h"

namespace art {

// A colour with opacity, as paint functions may return it.
struct Rgba {
  Rgb c;
  float a = 1;
  Rgba() = default;
  Rgba(Rgb colour, float alpha = 1) : c(colour), a(alpha) {}
};

// Pixel rectangle [x0, x1) x [y0, y1); the default means the whole canvas.
struct Box {
  int x0 = 0, y0 = 0, x1 = 1 << 20, y1 = 1 << 20;
};
// The pixels that a shape reaching r from centre c can touch.
inline Box Around(Vec2 c, float r) {
  return {static_cast<int>(c.x - r) - 2, static_cast<int>(c.y - r) - 2, static_cast<int>(c.x + r) + 3,
          static_cast<int>(c.y + r) + 3};
}

// Coverage of a pixel by a shape whose signed distance at its centre is d.
inline float Coverage(float d) { return Clamp01(0.5f - d); }

class Canvas {
 public:
  struct Px {
    float r = 0, g = 0, b = 0, a = 0;  // premultiplied
  };

  Canvas() = default;
  Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h) {}

  int W() const { return w_; }
  int H() const { return h_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  Px& At(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
  const Px& At(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  float Alpha(int x, int y) const { return Inside(x, y) ? At(x, y).a : 0.0f; }
  // The colour without its opacity (black where empty).
  Rgb ColourAt(int x, int y) const;

  // Paints colour c with opacity a over pixel (x, y) (ignored outside).
  void Blend(int x, int y, Rgb c, float a);
  // Replaces pixel (x, y).
  void Set(int x, int y, Rgb c, float a = 1);
  void Clear() { std::fill(px_.begin(), px_.end(), Px{}); }

  // Fills the shape sdf(p) < 0 (p = pixel centre) with paint(p), an Rgb or
  // an Rgba, anti-aliased over one pixel, within box.
  template <class Sdf, class Paint>
  void Fill(const Sdf& sdf, const Paint& paint, Box box = {}) {
    Wash([&](Vec2 p) { return Coverage(sdf(p)); }, paint, box);
  }

  // Paints paint(p) with the opacity cover(p) (0..1) over every pixel of box.
  template <class Cover, class Paint>
  void Wash(const Cover& cover, const Paint& paint, Box box = {}) {
    Clip(&box);
    for (int y = box.y0; y < box.y1; ++y)
      for (int x = box.x0; x < box.x1; ++x) {
        const Vec2 p{x + 0.5f, y + 0.5f};
        const float cov = cover(p);
        if (cov <= 0) continue;
        const Rgba c = paint(p);
        Blend(x, y, c.c, c.a * cov);
      }
  }

  // Changes the colour of every painted pixel of box: f(p, colour) -> colour;
  // opacity stays.
  template <class F>
  void Recolour(const F& f, Box box = {}) {
    Clip(&box);
    for (int y = box.y0; y < box.y1; ++y)
      for (int x = box.x0; x < box.x1; ++x) {
        Px& q = At(x, y);
        if (q.a <= 0) continue;
        const Rgb c = f(Vec2{x + 0.5f, y + 0.5f}, Rgb{q.r / q.a, q.g / q.a, q.b / q.a});
        q.r = c.r * q.a;
        q.g = c.g * q.a;
        q.b = c.b * q.a;
      }
  }

  // Composites src over this canvas with its top-left at (dx, dy).
  void Draw(const Canvas& src, int dx, int dy, float opacity = 1);
  // Composites src enlarged zoom times (each pixel a zoom x zoom block) with
  // its top-left at (dx, dy).
  void DrawZoomed(const Canvas& src, int dx, int dy, int zoom);
  // Composites src scaled by (sx, sy): pixel (x, y) of this
  // canvas samples src at ((x - dx) / sx, (y - dy) / sy), bilinear.
  void DrawScaled(const Canvas& src, float dx, float dy, float sx, float sy);

  // Keeps only the part of the picture where keep(p) is true.
  template <class Keep>
  void Cut(const Keep& keep) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (!keep(Vec2{x + 0.5f, y + 0.5f})) At(x, y) = Px{};
  }

 private:
  void Clip(Box* b) const {
    b->x0 = std::max(b->x0, 0);
    b->y0 = std::max(b->y0, 0);
    b->x1 = std::min(b->x1, w_);
    b->y1 = std::min(b->y1, h_);
  }

  int w_ = 0, h_ = 0;
  std::vector<Px> px_;
};

}  // namespace art
