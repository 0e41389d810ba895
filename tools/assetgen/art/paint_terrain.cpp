// The ground: five seamless ground tiles (earth, red rock, sand, moss, ice),
// the five base strip blocks that line the bottom of the world, and the
// mound that GROUND DEFENSE raises.
#include <cmath>

#include "assetgen/art/canvas.h"
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

constexpr int kTileW = 128, kTileH = 96;
constexpr float kUnit = 16.0f;  // noise cells of 16 pixels: 8 x 6 per tile
constexpr Period kTilePeriod{kTileW / 16, kTileH / 16};

// A random value per pixel of the tile, the same on every repeat of it.
float Speck(Vec2 p, uint32_t seed) {
  const int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
  return Hash01(((x % kTileW) + kTileW) % kTileW, ((y % kTileH) + kTileH) % kTileH, seed);
}

// Stones embedded in the ground: irregular cellular blobs, lit as low domes.
// cell must divide the tile's sides. Returns whether p is on a stone, with
// its colour in *colour.
bool Stones(Vec2 p, float cell, float size, float share, uint32_t seed, Rgb tint, Rgb* colour, bool tiled = true) {
  const Period per = tiled ? Period{static_cast<int>(kTileW / cell), static_cast<int>(kTileH / cell)} : Period{};
  const Cells w = Worley(p.x / cell, p.y / cell, seed, per, 0.7f);
  if (static_cast<float>((w.id >> 8) & 255) / 255.0f > share) return false;
  const Vec2 off{p.x - w.cx * cell, (p.y - w.cy * cell) * 1.35f};
  const float a = std::atan2(off.y, off.x);
  const float lobes = 0.8f + 0.35f * std::sin(a * 3 + static_cast<float>(w.id & 63)) * std::cos(a * 2 + static_cast<float>(w.id & 7));
  const float radius = size * (0.5f + 0.5f * static_cast<float>(w.id & 255) / 255.0f) * lobes;
  const float d = Length(off);
  if (d > radius + 0.5f) return false;
  const float tone = 0.85f + 0.3f * static_cast<float>((w.id >> 16) & 255) / 255.0f;
  *colour = Lit(tint * tone, SphereNormal(off.x, off.y, radius * 1.6f + 1.0f), 0.12f, 8.0f);
  if (d > radius - 0.7f) *colour = Ramp(*colour, off.x + off.y > 0 ? 0.5f : 0.8f);  // the rim where it meets the soil
  return true;
}

Rgb Earth(Vec2 p) {
  const float n = Fbm(p.x / kUnit, p.y / kUnit, 501u, 4, kTilePeriod);
  const float clumps = Fbm(p.x / 8, p.y / 8, 502u, 3, {kTileW / 8, kTileH / 8});
  Rgb c = Mix(Hex(0x5A3B27), Hex(0x8A5E3B), n);
  c = Ramp(c, 0.75f + 0.5f * clumps);
  const float speck = Speck(p, 504u);
  if (speck > 0.97f) c = Ramp(Hex(0xA08870), 1.0f);
  else if (speck < 0.03f) c = Ramp(c, 0.6f);
  Rgb stone;
  if (Stones(p, 16, 4.5f, 0.45f, 503u, Hex(0x8F857C), &stone)) c = stone;
  return c;
}

Rgb RedRock(Vec2 p) {
  const float warp = Fbm(p.x / 32, p.y / 32, 511u, 3, {kTileW / 32, kTileH / 32});
  const float strata = std::sin((p.y / kTileH * 4.0f + warp * 1.4f) * 2.0f * kPi) +
                       0.5f * std::sin((p.y / kTileH * 9.0f + warp * 2.2f) * 2.0f * kPi);
  const float n = Fbm(p.x / 8, p.y / 8, 512u, 3, {kTileW / 8, kTileH / 8});
  Rgb c = Mix(Hex(0x8A3C2E), Hex(0xB4634A), 0.5f + 0.2f * strata + 0.45f * (n - 0.5f));
  if (strata > 1.25f) c = Ramp(c, 1.15f);   // the lit lip of a ledge
  if (strata < -1.3f) c = Ramp(c, 0.75f);   // its shadow
  const Cells crack = Worley(p.x / 32, p.y / 32, 514u, {kTileW / 32, kTileH / 32});
  if (crack.f2 - crack.f1 < 0.03f && n > 0.45f) c = Ramp(c, 0.6f);
  const float speck = Speck(p, 515u);
  if (speck > 0.96f) c = Ramp(c, 1.2f);
  return c;
}

Rgb Sand(Vec2 p) {
  const float warp = Fbm(p.x / 32, p.y / 32, 521u, 2, {kTileW / 32, kTileH / 32});
  const float ripple = std::sin((p.y / kTileH * 12.0f + p.x / kTileW * 2.0f + warp * 2.5f) * 2.0f * kPi);
  const float n = Fbm(p.x / kUnit, p.y / kUnit, 522u, 3, kTilePeriod);
  Rgb c = Mix(Hex(0xB98C52), Hex(0xDDB874), n);
  c = Ramp(c, 1.0f + 0.18f * ripple);
  const float speck = Speck(p, 523u);
  if (speck > 0.94f) c = Ramp(c, 0.7f);
  else if (speck < 0.04f) c = Ramp(c, 1.35f);
  return c;
}

Rgb Moss(Vec2 p) {
  const float n = Fbm(p.x / kUnit, p.y / kUnit, 531u, 4, kTilePeriod);
  Rgb c = Ramp(Mix(Hex(0x3A3A26), Hex(0x5A5A38), n), 0.9f);
  const float patches = Fbm(p.x / 16, p.y / 16, 533u, 4, {kTileW / 16, kTileH / 16});
  const float tuft = Fbm(p.x / 4, p.y / 4, 534u, 2, {kTileW / 4, kTileH / 4});
  const float edge = patches + 0.15f * (tuft - 0.5f);
  if (edge > 0.53f) c = Mix(Hex(0x3C5A24), Hex(0x64843A), tuft * Smooth(0.53f, 0.65f, edge));
  Rgb stone;
  if (Stones(p, 16, 4.5f, 0.3f, 535u, Hex(0x7A7C72), &stone)) c = stone;
  return c;
}

Rgb Ice(Vec2 p) {
  const Cells facet = Worley(p.x / 32, p.y / 24, 541u, {kTileW / 32, kTileH / 24}, 0.9f);
  const float tone = static_cast<float>(facet.id & 255) / 255.0f;
  const float n = Fbm(p.x / kUnit, p.y / kUnit, 542u, 3, kTilePeriod);
  Rgb c = Mix(Hex(0x7198BC), Hex(0xB4D2E6), 0.35f * tone + 0.65f * n);
  // Facets lit by their slant towards the light.
  const float slant = (facet.cx * 32 - p.x) * -0.02f + (facet.cy * 24 - p.y) * -0.02f;
  c = Ramp(c, 1.0f + slant * 0.6f);
  if (facet.f2 - facet.f1 < 0.03f) c = Mix(c, Hex(0xE8F4FF), 0.45f);  // frosted cracks
  const Cells fine = Worley(p.x / 16, p.y / 16, 544u, {kTileW / 16, kTileH / 16});
  if (fine.f2 - fine.f1 < 0.025f && n > 0.5f) c = Ramp(c, 0.8f);  // hairline cracks inside
  return c;
}

// The average colours of the five sets, for their base strips.
struct Scenery {
  Rgb (*ground)(Vec2);
  Rgb block;
  Rgb joint;
};
const Scenery kScenery[5] = {
    {Earth, Hex(0x6E6560), Hex(0x2E2622)},
    {RedRock, Hex(0x8C4438), Hex(0x3A1812)},
    {Sand, Hex(0xB08D5E), Hex(0x5A4228)},
    {Moss, Hex(0x5F655A), Hex(0x2E4A1C)},
    {Ice, Hex(0x7E9CB8), Hex(0x2E4862)},
};

// A dome of earth and stones, flat at its bottom row, rx x ry.
Canvas Mound(int w, int h, float dustiness, uint32_t seed) {
  Canvas c(w, h);
  const Vec2 centre{w * 0.5f, static_cast<float>(h)};
  const float rx = w * 0.5f - 1.0f, ry = h - 1.0f;
  c.Fill([&](Vec2 p) {
    const float bump = (Fbm(p.x / 5, p.y / 5, seed, 2) - 0.5f) * 2.0f;
    return SdEllipse(p, centre, rx, ry) + bump;
  }, [&](Vec2 p) {
    const Vec2 d = p - centre;
    const Vec3 n = SphereNormal(d.x * ry / rx, d.y, ry * 1.05f);
    const float grain = Fbm(p.x / 3, p.y / 3, seed + 1u, 3);
    Rgb col = Lit(Mix(Hex(0x5E3C28), Hex(0x9A6C44), grain), n, 0.1f);
    Rgb stone;
    if (Stones(p, 9, 3.2f, 0.5f, seed + 2u, Hex(0x948C84), &stone, false)) col = Ramp(stone, 0.6f + 0.6f * Diffuse(n));
    if (p.y - (centre.y - ry * std::sqrt(std::max(0.0f, 1 - d.x * d.x / (rx * rx)))) < 2.5f + 1.5f * grain)
      col = Lit(Mix(pal::kGrassDark, pal::kGrass, grain), n, 0.1f);  // turf lifted with it
    return col;
  });
  // Clods thrown up while it rises.
  for (int i = 0; i < static_cast<int>(dustiness * 8); ++i) {
    const Vec2 at{w * (0.15f + 0.7f * Hash01(i, 1, seed)), h * (0.1f + 0.4f * Hash01(i, 2, seed))};
    const float r = 0.9f + Hash01(i, 3, seed);
    c.Fill([&](Vec2 p) { return SdCircle(p, at, r); },
           [&](Vec2 p) { return Lit(Hex(0x7A5234), SphereNormal(p.x - at.x, p.y - at.y, r + 0.3f), 0.1f); }, Around(at, r));
  }
  Outline(&c, pal::kInk);
  return c;
}

}  // namespace

Rgb GroundColour(int set, Vec2 p) { return kScenery[set].ground(p); }

SpriteImage PaintGroundTile(int set) {
  Canvas c(kTileW, kTileH);
  c.Wash([](Vec2) { return 1.0f; }, [&](Vec2 p) { return GroundColour(set, p); });
  QuantiseOptions o;
  o.blueAtLeastOne = true;
  return Quantise(c, o);
}

// Big bedrock blocks, two to a strip, so that strips laid side by side make
// one wall along the bottom of the world.
SpriteImage PaintBaseStrip(int set) {
  Canvas c(38, 38);
  Masonry m = MakeMasonry(kScenery[set].block, kScenery[set].joint, 9.5f, 19, 600u + static_cast<uint32_t>(set));
  m.period = 2;
  m.variation = 0.1f;
  m.grain = 0.12f;
  c.Wash([](Vec2) { return 1.0f; }, [&](Vec2 p) {
    float edge = 0;
    const Rgb s = MasonryAt(m, p, &edge);
    const float rough = ValueNoise(p.x / 2, p.y / 2, 610u + static_cast<uint32_t>(set), {19, 0});
    return Ramp(s, 0.92f + 0.3f * edge + 0.25f * (rough - 0.5f) - 0.15f * p.y / 38);
  });
  QuantiseOptions o;
  o.blueAtLeastOne = true;
  return Quantise(c, o);
}

SpriteImage PaintMoundRising(int frame) {
  const float s = static_cast<float>(frame + 1) / 11.0f;
  const int w = 2 * static_cast<int>(std::lround(4 + 28 * s)), h = 2 * static_cast<int>(std::lround(3 + 17 * s));
  QuantiseOptions o;
  o.blueAtLeastOne = true;
  return Quantise(Mound(w, h, 1.0f - s, 620u + static_cast<uint32_t>(frame)), o);
}

SpriteImage PaintMound(int) {
  QuantiseOptions o;
  o.blueAtLeastOne = true;
  return Quantise(Mound(64, 40, 0, 640u), o);
}

}  // namespace art
