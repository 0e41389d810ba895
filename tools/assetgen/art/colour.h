// Colours of the painters: floating-point RGB (0..1) and the shading ramp
// every picture shares, with cool shadows and warm highlights, so that all
// pictures look lit by the same top-left light.
//
// Threads: the asset generator's only thread.
#pragma once

#include <cstdint>

#include "assetgen/art/geom.h"

namespace art {

struct Rgb {
  float r = 0, g = 0, b = 0;
};

// A colour from 0xRRGGBB.
constexpr Rgb Hex(uint32_t v) {
  return {static_cast<float>((v >> 16) & 0xFF) / 255.0f, static_cast<float>((v >> 8) & 0xFF) / 255.0f,
          static_cast<float>(v & 0xFF) / 255.0f};
}

inline Rgb operator*(Rgb c, float s) { return {c.r * s, c.g * s, c.b * s}; }
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb Mix(Rgb a, Rgb b, float t) { return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)}; }
inline Rgb Mul(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline float Luma(Rgb c) { return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b; }
inline Rgb Saturate(Rgb c, float s) {
  const float l = Luma(c);
  return Mix(Rgb{l, l, l}, c, s);
}

// The common ramp: light 0 is deep shadow, 1 the plain colour, above 1 a
// highlight. Shadows lean to violet-blue, highlights to warm yellow.
inline Rgb Ramp(Rgb base, float light) {
  if (light < 1.0f) {
    const float t = 1.0f - Clamp01(light);
    const Rgb dark = Mul(base, Rgb{0.30f, 0.30f, 0.42f}) + Rgb{0.02f, 0.015f, 0.04f};
    return Mix(base, dark, t);
  }
  const float t = Clamp01(light - 1.0f);
  const Rgb bright = Mix(base, Rgb{1.0f, 0.97f, 0.82f}, 0.6f);
  return Mix(base, bright, t);
}

}  // namespace art
