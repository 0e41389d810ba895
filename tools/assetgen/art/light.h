// The one light of every picture: from the top left, a little in front of
// the picture. Diffuse and specular terms for painters that know a surface
// normal (balls, shells, rounded plates).
//
// Threads: the asset generator's only thread.
#pragma once

#include <cmath>

#include "assetgen/art/colour.h"
#include "assetgen/art/geom.h"

namespace art {

// Towards the light: left, up and out of the screen (screen y grows down).
inline const Vec3 kLight = Normalize(Vec3{-0.55f, -0.62f, 0.56f});

inline float Diffuse(Vec3 n) { return std::max(0.0f, Dot(Normalize(n), kLight)); }

inline float Specular(Vec3 n, float power) {
  const Vec3 h = Normalize(Vec3{kLight.x, kLight.y, kLight.z + 1.0f});
  return std::pow(std::max(0.0f, Dot(Normalize(n), h)), power);
}

// A surface of colour base with normal n: the shared ramp driven by the
// diffuse light, plus a highlight of the given strength.
inline Rgb Lit(Rgb base, Vec3 n, float shine = 0.35f, float power = 24.0f) {
  const float d = Diffuse(n);
  Rgb c = Ramp(base, 0.28f + 1.05f * d);
  const float s = shine * Specular(n, power);
  return Mix(c, Rgb{1.0f, 0.98f, 0.9f}, Clamp01(s));
}

// The normal of a sphere at offset (dx, dy) from its centre, radius r.
inline Vec3 SphereNormal(float dx, float dy, float r) {
  const float x = dx / r, y = dy / r;
  const float z2 = 1.0f - x * x - y * y;
  return Normalize(Vec3{x, y, z2 > 0 ? std::sqrt(z2) : 0.0f});
}

// The normal of a cylinder lying along frame f's v axis, at local offset u
// across it (radius r), on screen.
inline Vec3 CylinderNormal(const Frame& f, float u, float r) {
  const float x = std::clamp(u / r, -1.0f, 1.0f);
  const Vec2 across = f.ToScreen({x, 0});
  return Normalize(Vec3{across.x, across.y, std::sqrt(std::max(0.0f, 1 - x * x))});
}

}  // namespace art
