// Buttons of the set-up menu and the shop (computer, human, play, NEXT with
// its press animation), the title menu items and the "PRESS ANY KEY" prompt.
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
namespace {

constexpr int kButtonW = 40, kButtonH = 28;

// A raised plate with rounded corners and a shadow under its lower right,
// pushed down by depth pixels (the shadow shrinks as it goes down).
void Plate(Canvas* c, Rgb face, float depth) {
  const float x0 = 1 + depth, y0 = 1 + depth, x1 = kButtonW - 3 + depth, y1 = kButtonH - 3 + depth;
  c->Fill([&](Vec2 p) { return SdRect(p, 3, 3, kButtonW - 1, kButtonH - 1, 3); }, [](Vec2) { return Hex(0x121018); });
  Canvas plate(kButtonW, kButtonH);
  plate.Fill([&](Vec2 p) { return SdRect(p, x0, y0, x1, y1, 3); }, [&](Vec2 p) {
    const float t = (p.y - y0) / (y1 - y0);
    return Ramp(face, 1.25f - 0.45f * t - 0.15f * depth);
  });
  Bevel(&plate, 2, 0.55f);
  Outline(&plate, pal::kInk);
  c->Draw(plate, 0, 0);
}

// A symbol painted on a plate: white with a dark edge on its lower right.
template <class Shape>
void Emblem(Canvas* c, const Shape& shape, Rgb colour, float depth) {
  Canvas layer(kButtonW, kButtonH);
  layer.Fill([&](Vec2 p) { return shape(p - Vec2{depth, depth}); },
             [&](Vec2 p) { return Ramp(colour, 1.15f - 0.3f * Clamp01((p.y - 6) / 16)); });
  DropShadow(&layer, 1, 1, pal::kInk, 0.75f);
  c->Draw(layer, 0, 0);
}

Canvas ComputerButton() {
  Canvas c(kButtonW, kButtonH);
  Plate(&c, Hex(0x4D6C9A), 0);
  Canvas icon(kButtonW, kButtonH);
  icon.Fill([](Vec2 p) { return SdRect(p, 11, 5, 28, 17, 1.2f); }, [](Vec2) { return Hex(0xD8DCE4); });
  icon.Fill([](Vec2 p) { return SdRect(p, 13, 7, 26, 15, 0.6f); }, [](Vec2 p) {
    const bool trace = std::fabs(p.y - 11 - 2.2f * std::sin((p.x - 13) * 0.9f)) < 0.7f;
    return trace ? Hex(0x9CFF8A) : Hex(0x124A2C);
  });
  icon.Fill([](Vec2 p) { return Union(SdRect(p, 17.5f, 17, 21.5f, 20), SdRect(p, 14, 20, 25, 22, 0.8f)); },
            [](Vec2) { return Hex(0xB0B4C0); });
  DropShadow(&icon, 1, 1, pal::kInk, 0.75f);
  c.Draw(icon, 0, 0);
  return c;
}

Canvas HumanButton() {
  Canvas c(kButtonW, kButtonH);
  Plate(&c, Hex(0xB0583A), 0);
  Canvas icon(kButtonW, kButtonH);
  // Shoulders, a head and a helmet with its brim.
  icon.Fill([](Vec2 p) { return Intersect(SdEllipse(p, {19.5f, 23}, 8.5f, 6.5f), p.y - 22.5f); },
            [](Vec2 p) { return Lit(pal::kOlive, SphereNormal(p.x - 19.5f, p.y - 22, 9), 0.2f); });
  icon.Fill([](Vec2 p) { return SdCircle(p, {19.5f, 12.5f}, 4.2f); },
            [](Vec2 p) { return Lit(Hex(0xF0C29A), SphereNormal(p.x - 19.5f, p.y - 12.5f, 4.6f), 0.3f); });
  icon.Fill([](Vec2 p) { return Union(Intersect(SdCircle(p, {19.5f, 11.5f}, 5.0f), p.y - 11.0f), SdRect(p, 13.5f, 10, 25.5f, 11.6f, 0.6f)); },
            [](Vec2 p) { return Lit(pal::kOlive, SphereNormal(p.x - 19.5f, p.y - 11.5f, 5.5f), 0.5f); });
  Outline(&icon, pal::kInk);
  c.Draw(icon, 0, 0);
  return c;
}

Canvas PlayButton() {
  Canvas c(kButtonW, kButtonH);
  Plate(&c, Hex(0x3A9A48), 0);
  Emblem(&c, [](Vec2 p) { return SdPolygon(p, {{15, 6.5f}, {27.5f, 13.0f}, {15, 19.5f}}) - 0.6f; }, Hex(0xFFFFFF), 0);
  return c;
}

// NEXT: a blue plate with a double chevron; pressed by depth, the chevrons
// pushed on by slide.
Canvas NextButton(float depth, float slide, float glow) {
  Canvas c(kButtonW, kButtonH);
  Plate(&c, Mix(Hex(0x3858B8), Hex(0x5A86F0), glow), depth);
  auto chevrons = [&](Vec2 p) {
    float d = 1e9f;
    for (float x : {12.0f, 19.0f}) {
      const float cx = x + slide;
      d = Union(d, SdSegment(p, {cx, 7.5f}, {cx + 5.5f, 13.0f}, 1.4f));
      d = Union(d, SdSegment(p, {cx + 5.5f, 13.0f}, {cx, 18.5f}, 1.4f));
    }
    return d;
  };
  Emblem(&c, chevrons, Hex(0xFFF6D8), depth);
  return c;
}

}  // namespace

SpriteImage PaintControlButton(int human) { return Quantise(human ? HumanButton() : ComputerButton()); }
SpriteImage PaintPlayButton(int) { return Quantise(PlayButton()); }

// Frame 0 at rest; 1 to 9: pushed in, then springing back while the arrows
// run on.
SpriteImage PaintNextButton(int frame) {
  static const float kDepth[10] = {0, 2.0f, 2.0f, 1.7f, 1.3f, 1.0f, 0.7f, 0.4f, 0.2f, 0.0f};
  static const float kSlide[10] = {0, 1.0f, 2.0f, 3.0f, 3.5f, 3.0f, 2.2f, 1.5f, 0.8f, 0.3f};
  const float glow = frame == 0 ? 0.0f : 0.25f + 0.5f * std::sin(static_cast<float>(frame) * kPi / 10.0f);
  return Quantise(NextButton(kDepth[frame], kSlide[frame], glow));
}

// The title menu items: a carved stone tablet in a bronze frame, lettered in
// gold; the fourth, OPTIONS, stands after the three of the title's design.
SpriteImage PaintTitleItem(int item) {
  static const char* const kWords[4] = {"PLAY", "CREDITS", "EXIT", "OPTIONS"};
  Canvas c(160, 36);
  Masonry stone = MakeMasonry(Hex(0x6A6F86), Hex(0x3C3F52), 12, 27, 450u + static_cast<uint32_t>(item));
  stone.variation = 0.06f;
  c.Fill([](Vec2 p) { return SdRect(p, 1, 1, 159, 35, 5); }, [&](Vec2 p) {
    const float rim = -SdRect(p, 1, 1, 159, 35, 5);
    if (rim < 3.2f) return Ramp(pal::kBronze, rim < 1.2f ? (p.x + p.y < 60 ? 1.4f : 0.6f) : 1.0f);
    if (rim < 4.5f) return Ramp(pal::kBronzeDark, 0.7f);
    return Ramp(MasonryAt(stone, p), 1.05f - 0.35f * Clamp01((p.y - 4) / 28));
  });
  Bevel(&c, 2, 0.5f);
  Outline(&c, pal::kInk);
  const LetterStyle s = GoldLetters(2, 2);
  const int cell = FitCellHeight(kWords[item], Face::kSerif, 34, 130, 22, 2);
  Letter(&c, kWords[item], Face::kSerif, cell, 80, 18, s, 2);
  return Quantise(c);
}

SpriteImage PaintOptionsItem(int) { return PaintTitleItem(3); }

SpriteImage PaintPressAnyKey(int) {
  Canvas c(240, 24);
  LetterStyle s = GoldLetters(1, 2);
  s.bottom = Hex(0xE07A20);  // warmer, to stand out on the white start-up screen
  s.outline = Hex(0x3A1A10);
  const int cell = FitCellHeight("PRESS ANY KEY", Face::kSans, 26, 228, 17, 2);
  Letter(&c, "PRESS ANY KEY", Face::kSans, cell, 120, 11, s, 2);
  return Quantise(c);
}

}  // namespace art
