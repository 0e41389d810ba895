// The shop: an armoury lit by two lanterns, with a niche for the customer,
// a plaque over a counter on which the weapon slots stand, crossed shells on
// the wall and a flagstone floor under the buy button.
#include <cmath>

#include "assetgen/art/canvas.h"
#include "assetgen/art/lettering.h"
#include "assetgen/art/light.h"
#include "assetgen/art/materials.h"
#include "assetgen/art/noise.h"
#include "assetgen/art/objects.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace art {
namespace {

constexpr int kW = 640, kH = 480;
constexpr float kBeam = 26, kCounterTop = 290, kCounterFront = 300, kFloor = 372;
const Vec2 kLanterns[2] = {{170, 150}, {470, 150}};

// Warm light from the lanterns falling on a point.
float LanternLight(Vec2 p) {
  float l = 0;
  for (Vec2 at : kLanterns) l += 0.75f * std::exp(-Length(p - at) / 110.0f);
  return l;
}

void Lantern(Canvas* c, Vec2 at) {
  c->Fill([&](Vec2 p) { return SdSegment(p, at + Vec2{0, -40}, at + Vec2{0, -16}, 1.2f); }, [](Vec2) { return pal::kIron; });
  c->Fill([&](Vec2 p) { return SdRect(p, at.x - 9, at.y - 16, at.x + 9, at.y + 14, 3); }, [&](Vec2 p) {
    const bool glass = std::fabs(p.x - at.x) < 6 && std::fabs(p.y - at.y) < 10;
    if (glass) return Mix(Hex(0xFFF2B0), Hex(0xF09A3A), Clamp01(Length(p - at) / 10.0f));
    return Ramp(pal::kIron, p.x < at.x ? 1.3f : 0.7f);
  });
  c->Fill([&](Vec2 p) { return SdPolygon(p, {{at.x - 11, at.y - 15}, {at.x, at.y - 24}, {at.x + 11, at.y - 15}}); },
          [&](Vec2 p) { return Ramp(pal::kIron, p.x < at.x ? 1.25f : 0.7f); });
}

}  // namespace

SpriteImage PaintShopBackground(int) {
  Canvas c(kW, kH);
  Masonry wall = MakeMasonry(Hex(0x6A5E54), Hex(0x2E2624), 24, 48, 900u);
  wall.variation = 0.12f;
  wall.grain = 0.1f;
  // The wall, lit by the lanterns, darker towards the corners.
  c.Wash([](Vec2) { return 1.0f; }, [&](Vec2 p) {
    float edge = 0;
    const Rgb stone = MasonryAt(wall, p, &edge);
    const float vignette = 1.0f - 0.35f * Length(Vec2{(p.x - 320) / 320, (p.y - 200) / 260});
    const float grime = Fbm(p.x / 60, p.y / 60, 901u, 3);
    Rgb col = Ramp(stone, (0.45f + 0.12f * edge + 0.3f * (grime - 0.5f)) * vignette + LanternLight(p));
    return Mix(col, Hex(0xFFB060), 0.3f * LanternLight(p));
  });
  // The beam along the top, with iron straps.
  c.Fill([](Vec2 p) { return SdRect(p, 0, 0, kW, kBeam); }, [](Vec2 p) {
    Rgb col = PlanksAt(Vec2{p.x, p.y * 0.3f}, pal::kWood, 30, false, 902u);
    if (std::fmod(p.x + 40, 160) < 10) col = pal::kIron;
    return Ramp(col, p.y < 3 ? 1.3f : (p.y > kBeam - 4 ? 0.55f : 0.9f));
  });
  c.Fill([](Vec2 p) { return SdRect(p, 0, kBeam, kW, kBeam + 8); }, [](Vec2 p) { return Rgba(Hex(0x140E10), 0.5f * (1 - (p.y - kBeam) / 8)); });
  // The customer's niche, its top below the customer's name and money (a
  // tenth of the screen's height down, in every display mode).
  constexpr float kNicheTop = 48;
  c.Fill([](Vec2 p) { return SdRect(p, 18, kNicheTop, 134, 176, 4); }, [](Vec2 p) {
    const float d = -SdRect(p, 18, kNicheTop, 134, 176, 4);
    if (d < 4) return Ramp(pal::kBronze, d < 2 ? (p.x < 24 || p.y < kNicheTop + 6 ? 1.4f : 0.6f) : 1.0f);
    return Ramp(Hex(0x2A2230), d < 9 ? 0.75f : 1.0f);  // the frame's shadow inside
  });
  // The plaque.
  c.Fill([](Vec2 p) { return SdRect(p, 210, 36, 430, 96, 6); }, [](Vec2 p) {
    const float d = -SdRect(p, 210, 36, 430, 96, 6);
    if (d < 5) return Ramp(pal::kBronze, d < 2 ? (p.x < 216 || p.y < 42 ? 1.45f : 0.6f) : 1.05f);
    return Ramp(PlanksAt(p, Hex(0x5A3422), 12, false, 903u), 0.8f);
  });
  const int cell = FitCellHeight("ARMOURY", Face::kSerif, 60, 190, 36, 3);
  Letter(&c, "ARMOURY", Face::kSerif, cell, 320, 66, GoldLetters(2, 2), 3);
  for (Vec2 at : kLanterns) Lantern(&c, at);
  // Crossed shells on the wall, right of the plaque.
  const Canvas shellA = ShellPicture(0, 6.0f, 96, 0.55f), shellB = ShellPicture(0, 6.0f, 96, -0.55f);
  Canvas crossed(96, 96);
  crossed.Draw(shellA, 0, 0);
  crossed.Draw(shellB, 0, 0);
  DropShadow(&crossed, 4, 5, Hex(0x140E10), 0.45f);
  c.Draw(crossed, 528, 160);
  c.Draw(crossed, 176, 178);
  // The counter: a lit top edge, a panelled front.
  c.Fill([](Vec2 p) { return SdRect(p, 0, kCounterTop, kW, kCounterFront); }, [](Vec2 p) {
    return Ramp(PlanksAt(p, Hex(0xB07A48), 5, false, 904u), p.y < kCounterTop + 2 ? 1.5f : 1.15f);
  });
  c.Fill([](Vec2 p) { return SdRect(p, 0, kCounterFront, kW, kFloor); }, [](Vec2 p) {
    Rgb col = PlanksAt(p, Hex(0x6E4428), 64, true, 905u);
    const float inPanel = std::fmod(p.x, 64.0f);
    if ((inPanel < 4 || inPanel > 60) || p.y < kCounterFront + 5 || p.y > kFloor - 5) col = Ramp(col, 1.2f);
    if (p.y < kCounterFront + 10) col = Ramp(col, 0.6f);  // the counter top's shadow
    return Ramp(col, 0.85f);
  });
  // The floor: flagstones, dark and cool away from the light.
  const Masonry floor = MakeMasonry(Hex(0x44404E), Hex(0x1A161E), 18, 54, 906u);
  c.Fill([](Vec2 p) { return SdRect(p, 0, kFloor, kW, kH); }, [&](Vec2 p) {
    float edge = 0;
    const Rgb col = MasonryAt(floor, Vec2{p.x, p.y - kFloor}, &edge);
    return Ramp(col, 0.8f + 0.15f * edge - 0.3f * Clamp01((p.y - kFloor) / 108) + (p.y < kFloor + 6 ? -0.35f : 0.0f));
  });
  QuantiseOptions o;
  o.dither = true;
  return Quantise(c, o);
}

}  // namespace art
