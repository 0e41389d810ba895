// Panels and canvases: the canvases whose content the game draws at run time
// (menu panel, terrain, panel fill), the panel frame and its quilted fill
// tile, and the loading animation with its banner.
#include <algorithm>
#include <cmath>

#include "assetgen/art/canvas.h"
#include "assetgen/art/lettering.h"
#include "assetgen/art/light.h"
#include "assetgen/art/noise.h"
#include "assetgen/art/objects.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace art {

void PaintFrame(Canvas* c, float width) {
  const float w = static_cast<float>(c->W()), h = static_cast<float>(c->H());
  const float k = width / 15.0f;  // the profile below is drawn for a 15-pixel frame
  auto outer = [&](Vec2 p) { return SdRect(p, 0, 0, w, h, 4 * k); };
  c->Fill([&](Vec2 p) { return Subtract(outer(p), SdRect(p, width, width, w - width, h - width)); }, [&](Vec2 p) {
    const float d = -outer(p) / k;  // depth into the frame, in 15-pixel units
    const float sides[4] = {p.x, p.y, w - p.x, h - p.y};  // left, top, right, bottom
    const int side = static_cast<int>(std::min_element(sides, sides + 4) - sides);
    const bool facesLight = side < 2;
    if (d < 1.0f) return pal::kInk;
    if (d < 3.5f) return Ramp(pal::kBronze, facesLight ? 1.45f : 0.6f);
    if (d < 5.0f) return Ramp(pal::kBronze, 1.05f);
    if (d < 6.0f) return Ramp(pal::kBronzeDark, 0.45f);
    if (d < 12.0f) {
      const float grain = Fbm(p.x * 0.25f, p.y * 0.25f, 701u, 2);
      return Ramp(Hex(0x3E3A48), 0.85f + 0.3f * grain + (facesLight ? 0.1f : -0.1f));
    }
    if (d < 13.0f) return Ramp(pal::kBronze, facesLight ? 0.65f : 1.4f);
    return Ramp(pal::kPanelDeep, 0.6f);
  });
  // Bosses in the corners.
  const float inset = 9.0f * k;
  for (Vec2 boss : {Vec2{inset, inset}, Vec2{w - inset, inset}, Vec2{inset, h - inset}, Vec2{w - inset, h - inset}}) {
    const float r = 3.2f * k;
    c->Fill([&](Vec2 p) { return SdCircle(p, boss, r); },
            [&](Vec2 p) { return Lit(pal::kGold, SphereNormal(p.x - boss.x, p.y - boss.y, r + 0.8f), 0.8f); }, Around(boss, r));
  }
}

namespace {

// A canvas the game fills at run time: one run of one colour.
SpriteImage Blank(int w, int h, Rgb colour) { return FlatSprite(w, h, Pack555(colour)); }

// A thin bevelled plate filling the whole canvas.
void Plate(Canvas* c, Rgb face) {
  const float w = static_cast<float>(c->W()), h = static_cast<float>(c->H());
  c->Fill([&](Vec2 p) { return SdRect(p, 0, 0, w, h); }, [&](Vec2 p) {
    const float d = std::min({p.x, p.y, w - p.x, h - p.y});
    if (d < 1) return pal::kInk;
    if (d < 3) return Ramp(pal::kBronze, (p.x < 3 || p.y < 3) ? 1.4f : 0.6f);
    return Ramp(face, 1.1f - 0.4f * p.y / h);
  });
}

}  // namespace

SpriteImage PaintMenuCanvas(int) { return Blank(640, 480, pal::kPanelDeep); }
SpriteImage PaintTerrainCanvas(int) { return Blank(1536, 768, Hex(0x5A3B27)); }
SpriteImage PaintPanelCanvas(int) { return Blank(1024, 768, pal::kPanel); }

// The frame: four 15 x 15 corners cut from a larger framed panel, so that
// its middle row and column continue as straight edges.
SpriteImage PaintPanelFrame(int) {
  Canvas big(60, 60);
  PaintFrame(&big, 15);
  Canvas c(30, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) c.At(x, y) = big.At(x < 15 ? x : x + 30, y < 15 ? y : y + 30);
  return Quantise(c);
}

// Quilted dark cloth: diamonds of 42 x 32 pixels, buttoned where they meet,
// repeating seamlessly over the 378 x 256 tile.
SpriteImage PaintPanelTile(int) {
  Canvas c(378, 256);
  c.Wash([](Vec2) { return 1.0f; }, [](Vec2 p) {
    const float u = p.x / 42.0f + p.y / 32.0f, v = p.x / 42.0f - p.y / 32.0f;
    const float fu = u - std::floor(u) - 0.5f, fv = v - std::floor(v) - 0.5f;  // -0.5..0.5 inside a diamond
    const float pillow = 1.0f - 2.0f * std::max(std::fabs(fu), std::fabs(fv));
    // Light on the pillow's slopes: those facing the top left are brighter.
    const float slope = -fu * 0.6f;
    const float cloth = Fbm(p.x / 54.0f, p.y / 51.2f, 711u, 3, {7, 5});
    const float weave = ((static_cast<int>(p.x) + static_cast<int>(p.y)) & 1) ? 0.02f : -0.02f;
    float light = 0.8f + 0.22f * Smooth(0.0f, 0.5f, pillow) + 0.16f * (cloth - 0.5f) + weave;
    light += slope * 0.7f * Smooth(0.0f, 0.6f, pillow);
    Rgb col = Ramp(pal::kPanel, light);
    if (pillow < 0.07f) col = Ramp(pal::kPanel, 0.62f);  // the seams
    const float bu = u - std::round(u), bv = v - std::round(v);
    if (std::fabs(bu) < 0.05f && std::fabs(bv) < 0.05f) col = Ramp(pal::kBronze, 1.0f - 8.0f * (bu + bv));  // buttons
    return col;
  });
  return Quantise(c);
}

// Eleven frames of a ball bouncing along a strip of ground (the game plays
// them forwards and back, so the ball bounces to and fro).
SpriteImage PaintLoadingFrame(int frame) {
  Canvas c(100, 30);
  Plate(&c, Hex(0x1C2038));
  const float t = static_cast<float>(frame) / 10.0f;
  const float ground = 23.0f;
  // Far hills under a night sky.
  c.Fill([&](Vec2 p) {
    const float top = 14.0f - 6.0f * Fbm(p.x / 18.0f, 0.5f, 721u, 3);
    return Intersect(top - p.y, SdRect(p, 3, 3, 97, ground));
  }, [](Vec2 p) { return Mix(Hex(0x34406E), Hex(0x262E52), Clamp01((p.y - 8) / 14)); });
  c.Fill([&](Vec2 p) { return SdRect(p, 3, ground, 97, 27); }, [&](Vec2 p) {
    const float n = Fbm(p.x / 4, p.y / 4, 720u, 2);
    return p.y < ground + 1.2f ? Ramp(pal::kGrass, 1.0f + 0.3f * n) : Ramp(Hex(0x6A4630), 0.8f + 0.4f * n);
  });
  const float x = 12.0f + 76.0f * t;
  const float height = std::fabs(std::sin(t * kPi * 3.0f)) * 9.0f;
  const float squash = height < 1.5f ? 0.86f : 1.0f;
  const float shadowW = 4.5f - height * 0.15f;
  c.Fill([&](Vec2 p) { return SdEllipse(p, {x, ground + 0.6f}, shadowW, 1.0f); }, [](Vec2) { return Hex(0x2A3A18); });
  const Canvas ball = BallPicture(12, t * 2.0f * kPi, 1.0f / squash, squash);
  c.Draw(ball, static_cast<int>(std::lround(x - 6)), static_cast<int>(std::lround(ground - 11 - height)));
  return Quantise(c);
}

// "BUILDING THE BATTLEFIELD" on a framed plate.
SpriteImage PaintLoadingBanner(int) {
  Canvas c(200, 80);
  c.Wash([](Vec2) { return 1.0f; }, [](Vec2 p) { return Ramp(Hex(0x262A48), 1.15f - 0.5f * p.y / 80); });
  PaintFrame(&c, 8);
  const LetterStyle s = GoldLetters(1, 2);
  const int cell = std::min(FitCellHeight("BUILDING THE", Face::kSerif, 30, 160, 20, 1),
                            FitCellHeight("BATTLEFIELD", Face::kSerif, 30, 160, 20, 1));
  Letter(&c, "BUILDING THE", Face::kSerif, cell, 100, 28, s, 1);
  Letter(&c, "BATTLEFIELD", Face::kSerif, cell, 100, 52, s, 1);
  return Quantise(c);
}

}  // namespace art
