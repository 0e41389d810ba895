// Shells that spin or tumble instead of pointing where they fly: GRENADE,
// BALL GRENADE, SUPER GRENADE, the HYPER TUBE and its bomblet, and the
// GROUND DEFENSE seed pod. Spinning turns the geometry; the light stays at
// the top left.
#include <cmath>

#include "assetgen/art/canvas.h"
#include "assetgen/art/light.h"
#include "assetgen/art/objects.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace art {
namespace {

float SpinAngle(int frame, int frames) { return static_cast<float>(frame) * 2.0f * kPi / static_cast<float>(frames); }

// A hand grenade: a grooved oval body, a steel fuse head with its ring and
// lever.
Canvas Grenade(int size, float angle) {
  const Vec2 centre{size * 0.5f, size * 0.5f};
  const Frame f{centre, angle};
  Canvas c(size, size);
  const float rx = size * 0.29f, ry = size * 0.28f;
  auto body = [&](Vec2 p) { return SdEllipse(f.Local(p), {0, -0.7f}, rx, ry); };
  auto head = [&](Vec2 p) { return SdRect(f.Local(p), -1.1f, ry - 1.6f, 1.1f, ry + 1.0f, 0.3f); };
  auto lever = [&](Vec2 p) { return SdSegment(f.Local(p), {0.9f, ry + 0.6f}, {rx + 0.4f, -0.4f}, 0.5f); };
  auto ring = [&](Vec2 p) { return Shell(SdCircle(f.Local(p), {-1.7f, ry + 0.3f}, 0.9f), 0.6f); };
  c.Fill(body, [&](Vec2 p) {
    const Vec2 l = f.Local(p);
    Rgb base = pal::kOlive;
    if (std::fabs(l.y + 0.9f) < 0.5f || std::fabs(l.x) < 0.45f) base = Ramp(pal::kOliveDark, 0.7f);  // the grooves
    const Vec2 d = p - centre;
    return Lit(base, SphereNormal(d.x, d.y + 0.7f, std::max(rx, ry) + 0.6f), 0.45f, 14.0f);
  });
  c.Fill(head, [&](Vec2 p) { return Lit(pal::kSteel, SphereNormal(p.x - centre.x, p.y - centre.y, 5.0f), 0.4f); });
  c.Fill(lever, [&](Vec2) { return Ramp(pal::kSteel, 0.95f); });
  c.Fill(ring, [&](Vec2) { return pal::kGold; });
  Outline(&c, pal::kInk);
  return c;
}

// A rubber ball in red and yellow gores, like a beach ball, spinning about
// its tilted axis; squashed by (sx, sy).
}  // namespace

Canvas BallPicture(int size, float angle, float sx, float sy) {
  const Vec2 centre{size * 0.5f, size * 0.5f};
  const float r = size * 0.5f - 1.2f;
  const Vec3 axis = Normalize(Vec3{0.35f, -0.75f, 0.55f});
  const Vec3 e1 = Normalize(Vec3{axis.y, -axis.x, 0});
  const Vec3 e2{axis.y * e1.z - axis.z * e1.y, axis.z * e1.x - axis.x * e1.z, axis.x * e1.y - axis.y * e1.x};
  Canvas c(size, size);
  c.Fill([&](Vec2 p) { return SdEllipse(p, centre + Vec2{0, r * (1 - sy)}, r * sx, r * sy); }, [&](Vec2 p) {
    const Vec2 d{(p.x - centre.x) / sx, (p.y - centre.y - r * (1 - sy)) / sy};
    const Vec3 n = SphereNormal(d.x, d.y, r + 0.6f);
    const float lon = std::atan2(Dot(n, e2), Dot(n, e1)) + angle;
    const int gore = static_cast<int>(std::floor(lon / (kPi / 3.0f) + 12.0f)) % 2;
    Rgb base = gore ? Hex(0xE23A2E) : Hex(0xF4D03C);
    if (Dot(n, axis) > 0.9f) base = pal::kShellWhite;  // the valve cap at the pole
    return Lit(base, n, 0.6f, 20.0f);
  });
  Outline(&c, pal::kInk);
  return c;
}

namespace {

// A round iron bomb with a burning fuse.
Canvas SuperGrenade(int frame) {
  const int size = 14;
  const Vec2 centre{7.0f, 7.5f};
  const float r = 4.6f;
  const float angle = SpinAngle(frame, 20) + 0.6f;
  const Frame f{centre, angle};
  Canvas c(size, size);
  c.Fill([&](Vec2 p) { return SdCircle(p, centre, r); }, [&](Vec2 p) {
    const Vec2 l = f.Local(p);
    Rgb base = Hex(0x3A3F4C);
    if (std::fabs(l.y) < 0.8f) base = Hex(0xC8302A);  // a red band round the middle
    return Lit(base, SphereNormal(p.x - centre.x, p.y - centre.y, r + 0.5f), 0.7f, 16.0f);
  });
  c.Fill([&](Vec2 p) { return SdRect(f.Local(p), -1.5f, r - 1.0f, 1.5f, r + 1.3f, 0.4f); },
         [&](Vec2 p) { return Lit(pal::kGold, SphereNormal(p.x - centre.x, p.y - centre.y, r + 1.5f), 0.6f); });
  Outline(&c, pal::kInk);
  // The fuse and its spark, which flickers.
  const Vec2 fuseEnd = centre + f.ToScreen({1.2f, r + 2.6f});
  c.Fill([&](Vec2 p) { return SdSegment(p, centre + f.ToScreen({0, r + 1.2f}), fuseEnd, 0.5f); },
         [](Vec2) { return Hex(0xD9C7A0); });
  const float spark = 1.1f + 0.6f * std::fabs(std::sin(static_cast<float>(frame) * 2.3f));
  c.Fill([&](Vec2 p) {
    const Vec2 d = p - fuseEnd;
    const float star = std::min(std::fabs(d.x), std::fabs(d.y)) - 0.35f;
    return Union(SdCircle(p, fuseEnd, spark * 0.6f), Intersect(star, Length(d) - spark * 1.4f));
  }, [&](Vec2 p) { return Length(p - fuseEnd) < 0.9f ? pal::kFireWhite : pal::kFireYellow; });
  return c;
}

// A cluster canister: a tube with end caps and a row of ports.
Canvas Tube(int size, float angle, float flame) {
  const Vec2 centre{size * 0.5f, size * 0.5f};
  const float len = 11.0f - flame * 0.5f, r = 2.7f;
  const float shift = flame * 0.5f;
  const Frame f{centre + Frame{{0, 0}, angle}.ToScreen({0, shift}), angle};
  Canvas c(size, size);
  if (flame > 0) {
    Canvas fire(size, size);
    fire.Fill([&](Vec2 p) {
      const Vec2 l = f.Local(p);
      return SdPolygon(l, {{-r * 0.8f, -len * 0.5f + 0.5f}, {0, -len * 0.5f - flame}, {r * 0.8f, -len * 0.5f + 0.5f}});
    }, [&](Vec2 p) {
      const float t = Clamp01((-len * 0.5f - f.Local(p).y) / flame);
      return Mix(pal::kFireWhite, pal::kFireOrange, t);
    });
    Outline(&fire, pal::kFireRed);
    c.Draw(fire, 0, 0);
  }
  Canvas body(size, size);
  body.Fill([&](Vec2 p) { return SdRect(f.Local(p), -r, -len * 0.5f, r, len * 0.5f, 1.0f); }, [&](Vec2 p) {
    const Vec2 l = f.Local(p);
    Rgb base = Hex(0x2F8C86);
    if (std::fabs(l.y) > len * 0.5f - 1.6f) base = pal::kSteel;                   // end caps
    else if (std::fabs(l.y) < 2.6f && std::fmod(l.y + 20.0f, 1.7f) < 0.7f) base = Hex(0xF08A24);  // ports
    return Lit(base, CylinderNormal(f, l.x, r + 0.4f), 0.5f, 18.0f);
  });
  Outline(&body, pal::kInk);
  c.Draw(body, 0, 0);
  return c;
}

// The seed pod of GROUND DEFENSE: an earthen egg with a green sprout.
Canvas Pod(float angle, float glow) {
  const Vec2 centre{8.0f, 8.8f};
  const Frame f{centre, angle};
  Canvas c(16, 16);
  if (glow > 0) {
    c.Fill([&](Vec2 p) { return Shell(SdCircle(p, centre, 6.2f), 0.9f * glow + 0.2f); },
           [](Vec2) { return Hex(0xB8F07A); });
  }
  Canvas pod(16, 16);
  pod.Fill([&](Vec2 p) { return SdEllipse(f.Local(p), {0, -0.4f}, 3.9f, 4.8f); }, [&](Vec2 p) {
    const Vec2 l = f.Local(p);
    Rgb base = l.y > 1.0f + 0.6f * std::sin(l.x * 2.0f) ? Hex(0x58A23A) : Hex(0x8A5A34);
    if (std::fabs(l.y - 1.0f - 0.6f * std::sin(l.x * 2.0f)) < 0.5f) base = Hex(0xE8C84A);
    return Lit(base, SphereNormal(p.x - centre.x, p.y - centre.y, 5.2f), 0.45f, 14.0f);
  });
  for (float side : {-1.0f, 1.0f})
    pod.Fill([&](Vec2 p) { return SdEllipse(f.Local(p), {side * 1.5f, 5.2f}, 1.5f, 0.8f); },
             [&](Vec2) { return Ramp(pal::kGrass, side < 0 ? 1.2f : 0.85f); });
  pod.Fill([&](Vec2 p) { return SdSegment(f.Local(p), {0, 4.2f}, {0, 6.0f}, 0.5f); }, [](Vec2) { return pal::kGrassDark; });
  Outline(&pod, pal::kInk);
  c.Draw(pod, 0, 0);
  return c;
}

}  // namespace

SpriteImage PaintGrenade(int frame) { return Quantise(Grenade(12, SpinAngle(frame, 20))); }
SpriteImage PaintBallGrenade(int frame) { return Quantise(BallPicture(12, SpinAngle(frame, 20), 1, 1)); }

// The ball springs off: squashed, round, stretched, round again.
SpriteImage PaintBallGrenadeLaunch(int frame) {
  const float sx[4] = {1.12f, 1.0f, 0.84f, 0.94f}, sy[4] = {0.76f, 1.0f, 1.0f, 0.96f};
  return Quantise(BallPicture(12, 0.3f * static_cast<float>(frame), sx[frame], sy[frame]));
}

SpriteImage PaintSuperGrenade(int frame) { return Quantise(SuperGrenade(frame)); }

// Tumbling end over end; the tube is the same both ways round, so ten
// frames make half a turn.
SpriteImage PaintHyperTube(int frame) { return Quantise(Tube(16, SpinAngle(frame, 20) + 0.35f, 0)); }

SpriteImage PaintHyperTubeLaunch(int frame) {
  const float flame[4] = {1.2f, 2.2f, 3.0f, 2.4f};
  return Quantise(Tube(16, 0, flame[frame]));
}

SpriteImage PaintBomblet(int) {
  Canvas c(6, 6);
  const Vec2 centre{3, 3};
  c.Fill([&](Vec2 p) { return SdCircle(p, centre, 2.1f); }, [&](Vec2 p) {
    const Vec2 d = p - centre;
    Rgb base = Length(d - Vec2{0.6f, 0.6f}) < 0.8f ? Hex(0xFF4A30) : Hex(0x3A3F4C);
    return Lit(base, SphereNormal(d.x, d.y, 2.6f), 0.6f);
  });
  Outline(&c, pal::kInk);
  return Quantise(c);
}

// Frames 0 to 9: the pod spinning off, glowing; frame 10: in flight.
SpriteImage PaintGroundDefenseLaunch(int frame) {
  if (frame == 10) return Quantise(Pod(0, 0));
  const float glow = 0.5f + 0.5f * std::cos(static_cast<float>(frame) * 2.0f * kPi / 5.0f);
  return Quantise(Pod(SpinAngle(frame, 10), frame < 8 ? glow : 0.0f));
}

}  // namespace art
