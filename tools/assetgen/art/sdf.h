// Signed distances of the painters' shapes (negative inside, in pixels) and
// the ways to combine them.
//
// Threads: the asset generator's only thread.
#pragma once

#include <cmath>
#include <vector>

#include "assetgen/art/geom.h"

namespace art {

inline float SdCircle(Vec2 p, Vec2 c, float r) { return Length(p - c) - r; }

// An ellipse with radii (rx, ry); close to the true distance near the edge.
inline float SdEllipse(Vec2 p, Vec2 c, float rx, float ry) {
  const Vec2 d = p - c;
  const float k0 = std::sqrt(d.x * d.x / (rx * rx) + d.y * d.y / (ry * ry));
  const float k1 = std::sqrt(d.x * d.x / (rx * rx * rx * rx) + d.y * d.y / (ry * ry * ry * ry));
  if (k1 <= 0) return -std::min(rx, ry);
  return k0 * (k0 - 1.0f) / k1;
}

// A box with half sizes (hx, hy) and corners rounded by radius r.
inline float SdBox(Vec2 p, Vec2 c, float hx, float hy, float r = 0) {
  const float qx = std::fabs(p.x - c.x) - hx + r, qy = std::fabs(p.y - c.y) - hy + r;
  const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

// The rectangle [x0, x1] x [y0, y1] (edges on pixel boundaries when whole).
inline float SdRect(Vec2 p, float x0, float y0, float x1, float y1, float r = 0) {
  return SdBox(p, {(x0 + x1) * 0.5f, (y0 + y1) * 0.5f}, (x1 - x0) * 0.5f, (y1 - y0) * 0.5f, r);
}

// A line from a to b, r thick on each side, with round ends.
inline float SdSegment(Vec2 p, Vec2 a, Vec2 b, float r) {
  const Vec2 pa = p - a, ba = b - a;
  const float dd = Dot(ba, ba);
  const float h = dd > 0 ? Clamp01(Dot(pa, ba) / dd) : 0.0f;
  return Length(pa - ba * h) - r;
}

// A polygon (any simple one, either winding).
inline float SdPolygon(Vec2 p, const std::vector<Vec2>& v) {
  float d = Dot(p - v[0], p - v[0]);
  float s = 1;
  for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
    const Vec2 e = v[j] - v[i], w = p - v[i];
    const float ee = Dot(e, e);
    const Vec2 b = w - e * (ee > 0 ? Clamp01(Dot(w, e) / ee) : 0.0f);
    d = std::min(d, Dot(b, b));
    const bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
  }
  return s * std::sqrt(d);
}

inline float Union(float a, float b) { return std::min(a, b); }
inline float Intersect(float a, float b) { return std::max(a, b); }
inline float Subtract(float a, float b) { return std::max(a, -b); }
// A band of width w around the outline of shape d.
inline float Shell(float d, float w) { return std::fabs(d) - w * 0.5f; }

}  // namespace art
