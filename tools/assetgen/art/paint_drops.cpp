// Supply drops: the money drop (a gold coin with "$" that rocks and shines,
// also the shop's buy button), the weapon drop (a crate marked with a shell
// and a blinking beacon) and the mask they land with.
#include <cmath>

#include "assetgen/art/canvas.h"
#include "assetgen/art/lettering.h"
#include "assetgen/art/light.h"
#include "assetgen/art/materials.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace art {

// The coin turns to and fro about its upright axis (never edge on, so that
// it stays easy to click) while a glint runs over it.
SpriteImage PaintMoneyDrop(int frame) {
  const float phase = static_cast<float>(frame) * 2.0f * kPi / 20.0f;
  const float tilt = 0.95f * std::sin(phase);  // radians about the upright axis
  const float squeeze = std::cos(tilt), r = 10.5f, thick = 2.2f;
  const Vec2 centre{12.0f - 0.5f * thick * std::sin(tilt), 12.0f};
  const Vec2 rimOffset{thick * std::sin(tilt), 0};
  static const TextMask dollar = RenderText("$", Face::kSerif, 20);
  Canvas c(24, 24);
  // The rim, seen where the coin turns away.
  c.Fill([&](Vec2 p) { return Union(SdEllipse(p, centre + rimOffset, r * squeeze, r), SdRect(p, centre.x, 1.5f, centre.x + rimOffset.x, 22.5f)); },
         [&](Vec2 p) { return Ramp(pal::kGoldDark, 0.9f + 0.3f * std::sin(p.y * 1.5f)); });
  c.Fill([&](Vec2 p) { return SdEllipse(p, centre, r * squeeze, r); }, [&](Vec2 p) {
    const float u = (p.x - centre.x) / squeeze, v = p.y - centre.y;
    const float rr = std::sqrt(u * u + v * v);
    // A raised rim, a flat field and the embossed "$" in its middle.
    const float gx = u + (dollar.inkLeft + dollar.inkRight) * 0.5f, gy = v + (dollar.inkTop + dollar.inkBottom) * 0.5f;
    const float ink = SampleMask(dollar, gx, gy);
    const float inkBefore = SampleMask(dollar, gx - 1.0f, gy - 1.0f);
    Vec3 n{std::sin(tilt) * -0.8f, 0, 1};
    if (rr > r - 2.0f) n = Vec3{u / rr * 0.6f + n.x, v / rr * 0.6f, 0.8f};
    float light = 0.92f;
    if (std::fabs(rr - (r - 2.3f)) < 0.5f) light = 0.7f;  // the groove inside the rim
    if (ink > 0.45f) light = 1.45f;                        // the raised stamp
    else if (inkBefore > 0.45f) light = 0.5f;              // and its shadow
    Rgb col = Ramp(Lit(pal::kGold, n, 0.45f, 12.0f), light);
    // The glint: a bright band sweeping across.
    const float band = u * 0.7f + v * 0.7f - (std::fmod(static_cast<float>(frame) * 2.6f, 52.0f) - 22.0f);
    if (std::fabs(band) < 1.6f) col = Mix(col, pal::kGoldLight, 0.7f);
    return col;
  });
  Outline(&c, pal::kInk);
  return Quantise(c);
}

// A wooden crate in three-quarter view with a painted shell on its front
// and a beacon on its lid that pulses.
SpriteImage PaintWeaponDrop(int frame) {
  const float pulse = 0.5f + 0.5f * std::cos(static_cast<float>(frame) * 2.0f * kPi / 20.0f);
  Canvas c(24, 24);
  const float x0 = 1.5f, x1 = 18.5f, y0 = 7.5f, y1 = 22.5f, depth = 4.0f;
  auto front = [&](Vec2 p) { return SdRect(p, x0, y0, x1, y1); };
  auto top = [&](Vec2 p) { return SdPolygon(p, {{x0, y0}, {x0 + depth, y0 - depth}, {x1 + depth, y0 - depth}, {x1, y0}}); };
  auto side = [&](Vec2 p) { return SdPolygon(p, {{x1, y0}, {x1 + depth, y0 - depth}, {x1 + depth, y1 - depth}, {x1, y1}}); };
  auto wood = [&](Vec2 p, float light, bool vertical) {
    Rgb col = PlanksAt(p, Hex(0xA86E3C), 3.8f, vertical, 77u);
    // Metal corners.
    const bool corner = (p.x < x0 + 2.2f || p.x > x1 - 2.2f) && (p.y < y0 + 2.2f || p.y > y1 - 2.2f);
    if (corner && front(p) < 0) col = pal::kSteelDark;
    return Ramp(col, light);
  };
  c.Fill(top, [&](Vec2 p) { return wood(p, 1.3f, false); });
  c.Fill(side, [&](Vec2 p) { return wood(p, 0.65f, true); });
  c.Fill(front, [&](Vec2 p) {
    Rgb col = wood(p, 1.0f, false);
    // The stencilled shell.
    const Vec2 q{p.x - 10.0f, p.y - 15.0f};
    const float shell = Union(SdRect(q, -2.2f, -2.5f, 2.2f, 4.5f), SdPolygon(q, {{-2.2f, -2.5f}, {0, -6.0f}, {2.2f, -2.5f}}));
    if (shell < 0) col = std::fabs(q.y - 2.0f) < 0.6f ? Hex(0x4A2A18) : Hex(0xF0E2B4);
    // A lighter frame of boards round the front.
    if (std::min({p.x - x0, x1 - p.x, p.y - y0, y1 - p.y}) < 1.4f) col = Ramp(col, 1.2f);
    return col;
  });
  Canvas beacon(24, 24);
  const Vec2 lamp{12.0f, 3.0f};
  beacon.Fill([&](Vec2 p) { return SdCircle(p, lamp, 1.8f); }, [&](Vec2 p) {
    return Lit(Mix(Hex(0x8A1C14), Hex(0xFF5A3C), pulse), SphereNormal(p.x - lamp.x, p.y - lamp.y, 2.2f), 0.8f);
  });
  c.Draw(beacon, 0, 0);
  Outline(&c, pal::kInk);
  return Quantise(c);
}

// Solid: where a drop touches the ground, 22 pixels below its top.
SpriteImage PaintDropLandingMask(int) { return FlatSprite(24, 2, Pack555(pal::kWoodDark)); }

}  // namespace art
