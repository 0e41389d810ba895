#include "assetgen/art/noise.h"

#include <cmath>

namespace art {

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x2545F491u) * 0xC2B2AE3Du;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

float Hash01(int x, int y, uint32_t seed) {
  return static_cast<float>(Hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed) >> 8) * (1.0f / 16777216.0f);
}

namespace {

int Wrap(int v, int period) {
  if (period <= 0) return v;
  v %= period;
  return v < 0 ? v + period : v;
}

float Fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

float ValueNoise(float x, float y, uint32_t seed, Period period) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const float tx = Fade(x - fx), ty = Fade(y - fy);
  const int x0 = Wrap(ix, period.x), x1 = Wrap(ix + 1, period.x), y0 = Wrap(iy, period.y), y1 = Wrap(iy + 1, period.y);
  const float a = Hash01(x0, y0, seed), b = Hash01(x1, y0, seed);
  const float c = Hash01(x0, y1, seed), d = Hash01(x1, y1, seed);
  const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

float Fbm(float x, float y, uint32_t seed, int octaves, Period period, float gain) {
  float sum = 0, norm = 0, amp = 1;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * ValueNoise(x, y, seed + static_cast<uint32_t>(o) * 101u, period);
    norm += amp;
    amp *= gain;
    x *= 2;
    y *= 2;
    period.x *= 2;
    period.y *= 2;
  }
  return sum / norm;
}

Cells Worley(float x, float y, uint32_t seed, Period period, float jitter) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  Cells r;
  r.f1 = r.f2 = 1e9f;
  for (int j = -1; j <= 1; ++j)
    for (int i = -1; i <= 1; ++i) {
      const int cx = ix + i, cy = iy + j;
      const int wx = Wrap(cx, period.x), wy = Wrap(cy, period.y);
      const float px = cx + 0.5f + (Hash01(wx, wy, seed) - 0.5f) * jitter;
      const float py = cy + 0.5f + (Hash01(wx, wy, seed + 7u) - 0.5f) * jitter;
      const float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
      if (d < r.f1) {
        r.f2 = r.f1;
        r.f1 = d;
        r.id = Hash(static_cast<uint32_t>(wx), static_cast<uint32_t>(wy), seed + 13u);
        r.cx = px;
        r.cy = py;
      } else if (d < r.f2) {
        r.f2 = d;
      }
    }
  return r;
}

}  // namespace art
