// Effects: the explosion fireballs (sprites 16 to 35), the shield bubble
// around a fort and the DIRECT MISSILE's target marker.
#include <cmath>
#include <vector>

#include "assetgen/art/canvas.h"
#include "assetgen/art/light.h"
#include "assetgen/art/noise.h"
#include "assetgen/art/objects.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace art {
namespace {

// Fire colours along t: 0 white-hot, 1 the dark red rim.
Rgb FireRamp(float t) {
  const Rgb stops[] = {pal::kFireWhite, pal::kFireYellow, pal::kFireOrange, pal::kFireRed, pal::kFireDeep};
  t = Clamp01(t) * 4.0f;
  const int i = std::min(3, static_cast<int>(t));
  return Mix(stops[i], stops[i + 1], t - i);
}

}  // namespace

float ExplosionRadius(int frame) { return 6.0f + 2.25f * static_cast<float>(frame); }

// A fireball solid over the whole disc of its radius: a core ball with
// billows around its rim, each lit from the top left, burning white-hot in
// the middle and, in the later (larger) frames, smoking at the rim.
Canvas ExplosionPicture(int frame) {
  const float r = ExplosionRadius(frame);
  const float bulge = 1.0f + 0.1f * r;
  const int size = 2 * static_cast<int>(std::ceil(r + bulge)) + 4;
  const Vec2 c{size * 0.5f, size * 0.5f};
  const float age = static_cast<float>(frame) / 19.0f;
  const uint32_t seed = 300u + static_cast<uint32_t>(frame) * 17u;
  struct Puff {
    Vec2 at;
    float radius;
  };
  std::vector<Puff> puffs{{c, r + 0.5f}};
  const int n = 6 + frame / 3;
  for (int i = 0; i < n; ++i) {
    const float a = (i + 0.5f * Hash01(i, frame, seed)) * 2.0f * kPi / n;
    const float pr = r * (0.32f + 0.12f * Hash01(i, frame, seed + 1u)) + 0.5f;
    const float dist = r + 0.5f + bulge * (0.4f + 0.6f * Hash01(i, frame, seed + 2u)) - pr;
    puffs.push_back({c + Vec2{std::cos(a), std::sin(a)} * dist, pr});
  }
  Canvas ball(size, size);
  ball.Fill([&](Vec2 p) {
    float d = 1e9f;
    for (const Puff& q : puffs) d = Union(d, SdCircle(p, q.at, q.radius));
    return d;
  }, [&](Vec2 p) {
    // The billow in front: the one that reaches furthest out of the picture here.
    Vec3 normal{0, 0, 1};
    float best = -1;
    for (size_t i = 1; i < puffs.size(); ++i) {
      const Vec2 d = p - puffs[i].at;
      const float h = 1.0f - Dot(d, d) / (puffs[i].radius * puffs[i].radius);
      if (h > best) {
        best = h;
        normal = SphereNormal(d.x, d.y, puffs[i].radius);
      }
    }
    const Vec2 d = p - c;
    const float dist = Length(d) / r;
    if (best < 0.15f) normal = SphereNormal(d.x, d.y, r * 1.15f);
    const float turb = Fbm(p.x * 4.0f / (3.0f + r * 0.4f), p.y * 4.0f / (3.0f + r * 0.4f), seed + 3u, 3);
    float t = dist * (0.62f + 0.3f * age) + (turb - 0.5f) * 0.5f + 0.1f + 0.25f * age;
    t -= 0.22f * (Diffuse(normal) - 0.5f);
    t = std::floor(Clamp01(t) * 7.0f + 0.5f) / 7.0f;  // bands, as fire is drawn by hand
    Rgb col = FireRamp(t);
    const float smoke = Smooth(0.8f, 1.0f, dist + (turb - 0.5f) * 0.6f) * Smooth(0.35f, 0.9f, age);
    if (smoke > 0.5f) {
      const Rgb sooty = Mix(pal::kSmoke, pal::kFireDeep, Clamp01(1.2f - dist) * 0.6f);
      col = Ramp(sooty, 0.55f + 0.9f * Diffuse(normal));
    }
    return col;
  });
  Outline(&ball, Mix(pal::kFireDeep, pal::kInk, 0.5f));
  return ball;
}

SpriteImage PaintExplosion(int frame) { return Quantise(ExplosionPicture(frame)); }

// A shimmering bubble outline about three pixels thick.
SpriteImage PaintShield(int frame) {
  Canvas c(120, 90);
  const Vec2 centre{60, 45};
  const float rx = 57.0f, ry = 42.5f;
  const float phase = static_cast<float>(frame) * 2.0f * kPi / 10.0f;
  auto ring = [&](Vec2 p) { return Shell(SdEllipse(p, centre, rx, ry), 3.0f); };
  c.Fill(ring, [&](Vec2 p) {
    const Vec2 d = p - centre;
    const float a = std::atan2(d.y / ry, d.x / rx);
    const float across = -SdEllipse(p, centre, rx, ry);  // > 0 inside the line's middle
    const float wave = 0.5f + 0.5f * std::sin(5.0f * a - phase) * std::sin(2.0f * a + phase * 2.0f);
    const float lit = Clamp01(-(d.x / rx * 0.6f + d.y / ry * 0.8f));  // the side facing the light
    Rgb col = Mix(pal::kShieldBlue, pal::kShieldCyan, 0.35f + 0.45f * wave + 0.3f * lit);
    if (std::fabs(across) < 0.6f) col = Mix(col, Hex(0xF2FDFF), 0.35f + 0.5f * wave * lit + 0.25f * wave);
    return col;
  });
  // The bubble's reflections: arcs inside, bright towards the light.
  for (const float inset : {5.0f, 8.0f}) {
    c.Fill([&](Vec2 p) {
      const Vec2 d = p - centre;
      const float a = std::atan2(d.y / ry, d.x / rx);
      const float from = inset < 6 ? -2.75f : -2.55f, to = inset < 6 ? -1.75f : -2.05f;
      const float inArc = std::max(from - a, a - to) * 20.0f;
      return Intersect(Shell(SdEllipse(p, centre, rx - inset, ry - inset), inset < 6 ? 2.0f : 1.2f), inArc);
    }, [&](Vec2) { return Mix(pal::kShieldCyan, Hex(0xFFFFFF), 0.6f + 0.3f * std::sin(phase)); });
  }
  // Sparkles that run around the ring.
  for (int i = 0; i < 5; ++i) {
    const float a = phase * 0.5f + i * 2.0f * kPi / 5.0f + 0.4f * std::sin(i * 1.7f);
    const Vec2 s{centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)};
    const float len = 2.5f + 1.5f * std::sin(phase + i);
    c.Fill([&](Vec2 p) { return Union(SdSegment(p, s - Vec2{len, 0}, s + Vec2{len, 0}, 0.55f),
                                      SdSegment(p, s - Vec2{0, len}, s + Vec2{0, len}, 0.55f)); },
           [](Vec2) { return Hex(0xFFFFFF); }, Around(s, len + 1));
  }
  Outline(&c, Mix(pal::kShieldBlue, pal::kInk, 0.6f));
  return Quantise(c);
}

// A red reticle that turns and pulses.
SpriteImage PaintTargetMarker(int frame) {
  Canvas c(25, 25);
  const Vec2 centre{12.5f, 12.5f};
  const float turn = static_cast<float>(frame) * (kPi / 2.0f) / 10.0f;
  const float pulse = 0.5f + 0.5f * std::cos(static_cast<float>(frame) * 2.0f * kPi / 10.0f);
  const float r = 7.0f + 0.8f * pulse;
  auto paint = [&](Vec2 p) {
    const Vec2 d = p - centre;
    return Ramp(pal::kMarkerRed, 1.0f + 0.45f * Clamp01(-(d.x + d.y) / 12.0f) + 0.3f * pulse);
  };
  c.Fill([&](Vec2 p) { return Shell(SdCircle(p, centre, r), 1.6f); }, paint);
  Frame f{centre, turn};
  c.Fill([&](Vec2 p) {
    const Vec2 l = f.Local(p);
    float d = 1e9f;
    for (int i = 0; i < 4; ++i) {
      const float a = i * kPi / 2.0f;
      const Vec2 dir{std::sin(a), -std::cos(a)};
      const Vec2 out = dir * 10.2f, in = dir * (r - 3.2f);
      d = Union(d, SdSegment(l, in, out, 0.9f));
    }
    return d;
  }, paint);
  c.Fill([&](Vec2 p) { return SdCircle(p, centre, 1.3f); }, [](Vec2) { return Hex(0xFFF0E0); });
  Outline(&c, pal::kInk);
  return Quantise(c);
}

}  // namespace art
