// Shells that fly nose first: MISSILE, BIG MISSILE, DIRECT MISSILE and the
// GIMLET drill, each drawn by turning its geometry to the 36 flight
// directions (the light stays at the top left), and the launch frames of
// BIG MISSILE and DIRECT MISSILE: the shell upright on a growing flame.
#include <cmath>
#include <vector>

#include "assetgen/art/canvas.h"
#include "assetgen/art/light.h"
#include "assetgen/art/objects.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace art {
namespace {

struct ShellLook {
  float length, radius, noseLength;
  Rgb body, nose, tip, band, fins;
  float bandAt;                  // where the band starts, from the tail
  float finSpan, finLength;      // tail fins
  float canardSpan = 0;          // small fins behind the nose (0: none)
  bool drill = false;            // the nose is a fluted drill bit
  float flame = 0;               // exhaust flame length behind the tail
};

const ShellLook kMissile{12.4f, 1.9f, 3.4f, pal::kShellWhite, pal::kShellRed, pal::kShellRed, pal::kShellRed,
                         pal::kSteelDark, 2.2f, 3.9f, 3.2f, 0, false, 2.4f};
const ShellLook kBigMissile{15.0f, 2.6f, 4.4f, pal::kOlive, pal::kSteelDark, pal::kSteel, pal::kGold,
                            pal::kOliveDark, 2.8f, 5.0f, 4.0f, 0, false, 2.6f};
const ShellLook kDirectMissile{12.4f, 1.7f, 3.2f, Hex(0x6F9BD1), pal::kShellWhite, pal::kShellRed, pal::kShellWhite,
                               Hex(0x2F4F86), 2.0f, 3.5f, 2.8f, 2.9f, false, 2.0f};
const ShellLook kGimlet{13.6f, 2.5f, 7.4f, Hex(0xE89A2C), pal::kSteel, pal::kSteelDark, pal::kInk,
                        pal::kIron, 1.8f, 3.4f, 2.5f, 0, true, 0.0f};

// The outline of a shell lying along the frame's v axis, tail at v = t0.
float ShellShape(Vec2 l, const ShellLook& s, float t0) {
  const float t1 = t0 + s.length, ns = t1 - s.noseLength, r = s.radius;
  float d = SdRect(l, -r, t0, r, ns + 0.3f, 0.6f);
  if (s.drill) {
    // A cone with a serrated edge: the spiral flutes seen from the side.
    const float along = Clamp01((t1 - l.y) / s.noseLength);
    const float saw = std::fmod(l.y - ns + (l.x > 0 ? 0.0f : 1.0f) + 40.0f, 2.0f) / 2.0f;
    const float rc = (r + 0.2f) * along * (0.78f + 0.22f * saw);
    d = Union(d, Intersect(std::fabs(l.x) - rc, Intersect(ns - l.y, l.y - t1)));
  } else {
    const float L = s.noseLength;
    d = Union(d, SdPolygon(l, {{-r, ns}, {-r * 0.85f, ns + 0.4f * L}, {-r * 0.45f, ns + 0.8f * L}, {0, t1},
                               {r * 0.45f, ns + 0.8f * L}, {r * 0.85f, ns + 0.4f * L}, {r, ns}}));
  }
  for (float side : {-1.0f, 1.0f}) {
    d = Union(d, SdPolygon(l, {{side * r * 0.5f, t0 + s.finLength + 0.6f}, {side * s.finSpan, t0 + 0.4f},
                               {side * s.finSpan, t0 - 0.6f}, {side * r * 0.5f, t0 - 0.2f}}));
    if (s.canardSpan > 0)
      d = Union(d, SdPolygon(l, {{side * r * 0.5f, ns + 0.3f}, {side * s.canardSpan, ns - 0.9f}, {side * r * 0.5f, ns - 2.0f}}));
  }
  return d;
}

Rgb ShellColour(Vec2 l, const Frame& f, const ShellLook& s, float t0) {
  const float t1 = t0 + s.length, ns = t1 - s.noseLength, r = s.radius;
  const float au = std::fabs(l.x);
  const bool onFin = au > r + 0.1f || (l.y < t0 + 0.2f);
  if (onFin) return Ramp(s.fins, 0.85f + 0.35f * Clamp01(-(f.ToScreen({l.x, 0}).x + f.ToScreen({l.x, 0}).y)));
  float radius = r;
  Rgb base = s.body;
  if (l.y >= ns) {
    radius = std::max(0.4f, r * (1.0f - (l.y - ns) / s.noseLength));
    base = l.y > t1 - 1.4f ? s.tip : s.nose;
    if (s.drill) {  // the flutes wind round the bit
      const float turn = std::fmod(l.y - ns + l.x * 0.45f + 40.0f, 2.0f);
      if (turn < 0.7f) base = Ramp(base, 0.45f);
      else if (turn > 1.4f) base = Ramp(base, 1.3f);
      radius = r * 1.1f;
    }
  } else if (l.y > t0 + s.bandAt && l.y < t0 + s.bandAt + 1.1f) {
    base = s.band;
  } else if (s.drill && l.y > ns - 1.2f) {
    base = pal::kSteelDark;  // the chuck that holds the bit
  }
  return Lit(base, CylinderNormal(f, l.x, radius + 0.4f), 0.45f, 18.0f);
}

// A flame behind the tail, length long, burning from white to red.
float FlameShape(Vec2 l, const ShellLook& s, float t0, float length) {
  const float w = s.radius * 0.85f;
  return SdPolygon(l, {{-w, t0 + 0.5f}, {-w * 0.6f, t0 - length * 0.6f}, {0, t0 - length}, {w * 0.6f, t0 - length * 0.6f}, {w, t0 + 0.5f}});
}

// A shell turned by angle with its whole length (flame included) centred
// in a size x size picture.
Canvas DrawShell(int size, float angle, const ShellLook& s, float flame) {
  const Vec2 centre{size * 0.5f, size * 0.5f};
  const float t0 = -(s.length - flame) * 0.5f;  // the tail, so that flame + shell are centred
  const Frame f{centre, angle};
  Canvas c(size, size);
  if (flame > 0) {
    Canvas fire(size, size);
    fire.Fill([&](Vec2 p) { return FlameShape(f.Local(p), s, t0, flame); }, [&](Vec2 p) {
      const Vec2 l = f.Local(p);
      const float t = Clamp01((t0 - l.y) / flame + std::fabs(l.x) * 0.25f);
      return t < 0.35f ? Mix(pal::kFireWhite, pal::kFireYellow, t / 0.35f) : Mix(pal::kFireYellow, pal::kFireOrange, (t - 0.35f) / 0.65f);
    });
    Outline(&fire, pal::kFireRed);
    c.Draw(fire, 0, 0);
  }
  Canvas body(size, size);
  body.Fill([&](Vec2 p) { return ShellShape(f.Local(p), s, t0); }, [&](Vec2 p) { return ShellColour(f.Local(p), f, s, t0); });
  Outline(&body, pal::kInk);
  c.Draw(body, 0, 0);
  return c;
}

SpriteImage Flying(int size, int direction, const ShellLook& s) {
  return Quantise(DrawShell(size, DirectionAngle(direction), s, s.flame));
}

// Launch frame k of 4: the shell upright, its flame growing and flickering.
SpriteImage Launching(int size, int k, const ShellLook& s) {
  const float flame = s.flame * (0.5f + 0.3f * static_cast<float>(k)) + (k == 2 ? 0.4f : 0.0f);
  return Quantise(DrawShell(size, 0, s, std::min(flame, s.flame + 1.2f)));
}

}  // namespace

Canvas ShellPicture(int kind, float zoom, int size, float angle) {
  ShellLook s = kind ? kBigMissile : kMissile;
  // Drawn large, a shell is slimmer than its little flying picture.
  for (float* v : {&s.length, &s.noseLength, &s.bandAt, &s.finLength}) *v *= zoom;
  for (float* v : {&s.radius, &s.finSpan, &s.canardSpan}) *v *= zoom * 0.6f;
  s.flame = 0;
  return DrawShell(size, angle, s, 0);
}

SpriteImage PaintMissile(int k) { return Flying(16, k + 1, kMissile); }
SpriteImage PaintBigMissile(int k) { return Flying(20, k + 1, kBigMissile); }
SpriteImage PaintDirectMissile(int k) { return Flying(16, k + 1, kDirectMissile); }
SpriteImage PaintGimlet(int k) { return Flying(16, k + 1, kGimlet); }
SpriteImage PaintBigMissileLaunch(int k) { return Launching(20, k, kBigMissile); }
SpriteImage PaintDirectMissileLaunch(int k) { return Launching(16, k, kDirectMissile); }

}  // namespace art
