// The round display's small parts: the mouse pointer and its probe, the
// power gauge, the weapon slots of the status bar and the shop, the DEFENSE
// icon and the badge over a computer player's fort.
#include <algorithm>
#include <cmath>

#include "assetgen/art/canvas.h"
#include "assetgen/art/light.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace art {
namespace {

// A bevelled frame around a window: metal lit from the top left, raised at
// its outer rim and sunk at the window's lip. The window is left as it is.
void BevelFrame(Canvas* c, float x0, float y0, float x1, float y1, float wx0, float wy0, float wx1, float wy1, Rgb metal,
                float corner) {
  auto frame = [&](Vec2 p) { return Subtract(SdRect(p, x0, y0, x1, y1, corner), SdRect(p, wx0, wy0, wx1, wy1)); };
  c->Fill(frame, [&](Vec2 p) {
    const float outer[4] = {p.x - x0, p.y - y0, x1 - p.x, y1 - p.y};  // left, top, right, bottom
    const float inner[4] = {std::fabs(p.x - wx0), std::fabs(p.y - wy0), std::fabs(wx1 - p.x), std::fabs(wy1 - p.y)};
    const bool nearWindow = p.x > wx0 - 2 && p.x < wx1 + 2 && p.y > wy0 - 2 && p.y < wy1 + 2;
    const int o = static_cast<int>(std::min_element(outer, outer + 4) - outer);
    const int i = static_cast<int>(std::min_element(inner, inner + 4) - inner);
    float light = 1.0f;
    if (outer[o] < 1.2f) light = o < 2 ? 1.5f : 0.5f;
    else if (nearWindow && inner[i] < 1.2f) light = i < 2 ? 0.45f : 1.4f;
    return Ramp(metal, light);
  });
}

}  // namespace

// A crosshair: four arms around a red centre dot.
SpriteImage PaintPointer(int) {
  Canvas c(16, 16);
  const Vec2 o{8.5f, 8.5f};
  c.Fill([&](Vec2 p) {
    float d = SdSegment(p, {8.5f, 2.5f}, {8.5f, 5.5f}, 0.55f);
    d = Union(d, SdSegment(p, {8.5f, 11.5f}, {8.5f, 14.5f}, 0.55f));
    d = Union(d, SdSegment(p, {2.5f, 8.5f}, {5.5f, 8.5f}, 0.55f));
    d = Union(d, SdSegment(p, {11.5f, 8.5f}, {14.5f, 8.5f}, 0.55f));
    return d;
  }, [&](Vec2 p) { return Ramp(Hex(0xF4F1E6), 1.0f - 0.25f * Clamp01((p.x + p.y - 16) / 8)); });
  c.Fill([&](Vec2 p) { return SdCircle(p, o, 0.9f); }, [](Vec2) { return pal::kMarkerRed; });
  Outline(&c, pal::kInk);
  return Quantise(c);
}

// Only ever tested, never shown: a small solid square.
SpriteImage PaintPointerProbe(int) {
  Canvas c(9, 9);
  c.Wash([](Vec2) { return 1.0f; }, [](Vec2) { return Hex(0xF4F1E6); });
  Bevel(&c, 1, 0.5f);
  return Quantise(c);
}

// The gauge's fill: green to red, glossy, with stripes that run along it.
SpriteImage PaintGaugeFill(int frame) {
  Canvas c(100, 10);
  c.Fill([](Vec2 p) { return SdRect(p, 0, 0, 100, 10, 1.2f); }, [&](Vec2 p) {
    if (p.y < 1 || p.y > 9 || p.x < 1 || p.x > 99) return pal::kInk;
    const float t = p.x / 100.0f;
    Rgb base = t < 0.5f ? Mix(Hex(0x3CC04A), Hex(0xF2D23A), t * 2) : Mix(Hex(0xF2D23A), Hex(0xE0342A), t * 2 - 1);
    const float stripe = std::fmod(p.x + p.y * 0.8f - static_cast<float>(frame) + 100.0f, 10.0f);
    if (stripe < 3.5f) base = Ramp(base, 1.25f);
    const float gloss = p.y < 3.5f ? 1.35f : (p.y > 7 ? 0.7f : 1.0f);
    return Ramp(base, gloss);
  });
  return Quantise(c);
}

// The empty part of the gauge: a dark groove with tick marks.
SpriteImage PaintGaugeEmpty(int) {
  Canvas c(100, 10);
  c.Fill([](Vec2 p) { return SdRect(p, 0, 0, 100, 10, 1.2f); }, [](Vec2 p) {
    if (p.y < 1 || p.y > 9 || p.x < 1 || p.x > 99) return pal::kInk;
    Rgb base = Hex(0x262B3E);
    if (std::fmod(p.x, 10.0f) < 1.0f && p.y > 5) base = Hex(0x4A5272);
    return Ramp(base, p.y < 3 ? 0.6f : 1.0f);
  });
  return Quantise(c);
}

// The status bar slot: a steel frame around a 14 x 14 window of glass at
// (5, 5). The bar's colour shows through the glass, which is all but clear:
// a fine lattice of glints, one in every 3 x 3 block of the window, so that
// the pointer probe (9 x 9) meets the slot wherever it is clicked, brighter
// towards the light, and a streak of reflection across its top-left corner.
SpriteImage PaintWeaponSlot(int) {
  constexpr int kSize = 24, kWindow = 5, kWindowSize = 14;
  Canvas c(kSize, kSize);
  BevelFrame(&c, 0, 0, kSize, kSize, kWindow, kWindow, kWindow + kWindowSize, kWindow + kWindowSize,
             Mix(pal::kSteel, pal::kSteelDark, 0.4f), 1.5f);
  for (Vec2 rivet : {Vec2{2.5f, 2.5f}, Vec2{21.5f, 2.5f}, Vec2{2.5f, 21.5f}, Vec2{21.5f, 21.5f}})
    c.Fill([&](Vec2 p) { return SdCircle(p, rivet, 0.9f); },
           [&](Vec2 p) { return Lit(pal::kSteelDark, SphereNormal(p.x - rivet.x, p.y - rivet.y, 1.3f), 0.6f); });
  SpriteImage s = Quantise(c);
  const Rgb glass = Mix(pal::kShieldCyan, pal::kSteel, 0.5f);
  for (int y = 0; y < kWindowSize; ++y)
    for (int x = 0; x < kWindowSize; ++x) {
      const bool glint = x % 3 == 2 && y % 3 == 2;
      const bool streak = ((x + y == 5 || x + y == 6) && x >= 1 && y >= 1) || (x + y == 9 && x >= 3 && y >= 3);
      const float toLight = 1.0f - static_cast<float>(x + y) / (2 * kWindowSize - 2);
      uint16_t v = 0;
      if (streak) v = Pack555(Ramp(glass, 1.6f));
      else if (glint) v = Pack555(Ramp(glass, 0.75f + 0.6f * toLight));
      s.pixels[static_cast<size_t>(y + kWindow) * kSize + x + kWindow] = v;
    }
  return s;
}

// The shop's weapon slot: a recessed dark bay, in steel (0) or, selected,
// in glowing gold (1).
SpriteImage PaintShopSlot(int selected) {
  Canvas c(34, 34);
  const Rgb metal = selected ? pal::kGold : pal::kSteelDark;
  c.Fill([](Vec2 p) { return SdRect(p, 3, 3, 31, 31); }, [&](Vec2 p) {
    const float r = Length(p - Vec2{17, 17}) / 17.0f;
    const Rgb bay = selected ? Hex(0x5A4A2A) : Hex(0x22263A);
    return Ramp(bay, (selected ? 1.5f : 1.15f) - 0.7f * r);
  });
  BevelFrame(&c, 0, 0, 34, 34, 3, 3, 31, 31, metal, 2.0f);
  Outline(&c, pal::kInk);
  return Quantise(c);
}

// DEFENSE: a blue heater shield with a golden rim and a bubble's shine.
SpriteImage PaintDefenseIcon(int) {
  Canvas c(14, 14);
  auto shield = [](Vec2 p) {
    return SdPolygon(p, {{1.5f, 1.5f}, {12.5f, 1.5f}, {12.5f, 6.0f}, {11.2f, 9.5f}, {7.0f, 12.8f}, {2.8f, 9.5f}, {1.5f, 6.0f}});
  };
  c.Fill(shield, [&](Vec2 p) {
    const float edge = -shield(p);
    if (edge < 1.2f) return Ramp(pal::kGold, p.x + p.y < 12 ? 1.3f : 0.8f);
    const Vec3 n = SphereNormal(p.x - 7, p.y - 6, 8);
    Rgb col = Lit(pal::kShieldBlue, n, 0.8f, 10.0f);
    if (std::fabs(Length(p - Vec2{8.5f, 8.5f}) - 4.5f) < 0.6f && p.x < 8 && p.y < 8) col = pal::kShieldCyan;
    return col;
  });
  Outline(&c, pal::kInk);
  return Quantise(c);
}

// A little monitor whose trace runs while the computer thinks.
SpriteImage PaintComputerBadge(int frame) {
  Canvas c(20, 14);
  c.Fill([](Vec2 p) { return SdRect(p, 1, 1, 19, 13, 1.5f); }, [](Vec2 p) { return Ramp(Hex(0xB7B9C2), 1.2f - 0.5f * p.y / 13); });
  Bevel(&c, 1, 0.6f);
  c.Fill([](Vec2 p) { return SdRect(p, 3, 3, 17, 10, 0.8f); }, [&](Vec2 p) {
    const float x = p.x - 3;
    const float trace = 6.5f + 2.2f * std::sin(x * 1.1f - static_cast<float>(frame) * 2.0f * kPi / 5.0f) *
                               std::exp(-0.05f * (x - 7) * (x - 7));
    const bool line = std::fabs(p.y - trace) < 0.8f;
    return line ? Hex(0x9CFF8A) : Mix(Hex(0x0E3A24), Hex(0x145A34), Clamp01((p.y - 3) / 7));
  });
  const bool led = frame % 2 == 0;
  c.Fill([](Vec2 p) { return SdCircle(p, {16, 11.5f}, 0.8f); }, [&](Vec2) { return led ? Hex(0xFF4A3A) : Hex(0x7A2A24); });
  Outline(&c, pal::kInk);
  return Quantise(c);
}

}  // namespace art
