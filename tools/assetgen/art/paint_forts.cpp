// The fort: a low, wide stone castle of 80 x 50 pixels (two squat round
// towers at its ends, a curtain wall with a gate, a keep behind it, a
// foundation in rows 44 to 49), the dark interior drawn under it, its
// collision masks and the players' blank fort canvases.
//
// Every shell a fort fires starts at (40, 10) of its picture and may hit its
// own fort as soon as its launch is over, so nothing of the castle (nor of its
// interior) reaches above row kFortTopRow: a shell leaving upwards, in any
// direction and at any speed, never touches its own stones, while one fired
// downwards still lands on them.
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

constexpr int kW = 80, kH = 50;
constexpr int kBaseTop = 44;  // the foundation: rows 44 to 49
// The highest stone: the keep's merlons start here, their outline one row
// above, on kFortTopRow. With the rows above empty even the largest shell
// picture (20 x 20), centred on the aim point, touches nothing.
constexpr float kRoof = kFortTopRow + 1;
constexpr float kTowerTop = kRoof + 1, kParapet = kTowerTop + 3.5f, kShaft = kParapet + 4;
constexpr float kKeepBody = kRoof + 4, kWallWalk = kRoof + 10, kWallTop = kWallWalk + 4;
constexpr float kGateTop = 38, kGateCentre = 40, kGateHalf = 4;

// A row of merlons from x0 to x1 (exclusive) between rows top and bottom.
float Merlons(Vec2 p, float x0, float x1, float top, float bottom, float width, float gap) {
  float d = 1e9f;
  for (float x = x0; x + width <= x1 + 0.01f; x += width + gap) d = Union(d, SdRect(p, x, top, x + width, bottom));
  return d;
}

// A squat round tower: a shaft from x0 to x1, a parapet two pixels wider on
// each side resting on a row of corbels, and three merlons on it.
float Tower(Vec2 p, float x0, float x1) {
  const float shaft = SdRect(p, x0, kShaft, x1, kBaseTop + 1);
  const float parapet = SdRect(p, x0 - 2, kParapet, x1 + 2, kShaft + 0.5f);
  const float teeth = -Shell(std::fmod(p.x - x0 + 40, 3.0f) - 1.5f, 1.6f);  // a gap every third pixel
  const float corbels = Intersect(SdRect(p, x0 - 1, kShaft, x1 + 1, kShaft + 2), teeth);
  return Union(Union(shaft, parapet), Union(corbels, Merlons(p, x0 - 2, x1 + 2, kTowerTop, kParapet + 0.5f, 4, 4)));
}

// The parts of the castle, back to front.
float Keep(Vec2 p) { return Union(SdRect(p, 29, kKeepBody, 51, kWallTop + 1), Merlons(p, 29, 51, kRoof, kKeepBody + 0.5f, 4, 2)); }
float Wall(Vec2 p) { return Union(SdRect(p, 17, kWallTop, 63, kBaseTop + 1), Merlons(p, 19, 61, kWallWalk, kWallTop + 0.5f, 3, 2)); }
float LeftTower(Vec2 p) { return Tower(p, 3, 19); }
float RightTower(Vec2 p) { return Tower(p, 61, 77); }
float Foundation(Vec2 p) {
  const float rough = (Hash01(static_cast<int>(p.x / 3), 0, 41u) - 0.5f) * 0.8f;
  return Intersect(SdRect(p, 1, kBaseTop, 79, kH - 1), kBaseTop + rough - p.y - 0.2f);
}
// The rooms behind the stones: the towers' shafts, the keep and the space
// behind the curtain wall, all one ruin under the picture.
float Inside(Vec2 p) {
  const float towers = Union(SdRect(p, 4, kShaft + 1, 18, kBaseTop + 1), SdRect(p, 62, kShaft + 1, 76, kBaseTop + 1));
  return Union(towers, Union(SdRect(p, 30, kKeepBody + 1, 50, kWallTop + 1), SdRect(p, 18, kWallTop + 1, 62, kBaseTop + 1)));
}

// The gate's opening: an arch in the wall.
float Gate(Vec2 p) {
  return Union(SdRect(p, kGateCentre - kGateHalf, kGateTop, kGateCentre + kGateHalf, kBaseTop + 1),
               SdCircle(p, {kGateCentre, kGateTop}, kGateHalf));
}

Masonry Stone(uint32_t seed, Rgb colour) { return MakeMasonry(colour, Mix(colour, pal::kMortar, 0.55f), 4, 7, seed); }

// A round tower's light: a cylinder across x from x0 to x1.
float TowerLight(Vec2 p, float x0, float x1) {
  const float c = (x0 + x1) * 0.5f, r = (x1 - x0) * 0.5f;
  Frame upright{{c, 0}, 0};
  return 0.42f + 0.95f * Diffuse(CylinderNormal(upright, p.x - c, r + 1));
}

// Paints one part: its stone in its light, then its outline.
template <class Shape, class LightFn>
Canvas PartLayer(const Shape& shape, const Masonry& m, const LightFn& light) {
  Canvas layer(kW, kH);
  layer.Fill(shape, [&](Vec2 p) {
    float edge = 0;
    const Rgb c = MasonryAt(m, p, &edge);
    return Ramp(c, light(p) + 0.12f * edge);
  });
  Outline(&layer, pal::kInk);
  return layer;
}

// A window slit at (x, y0)-(x + w, y1): dark, with a faint warm glow.
void Slit(Canvas* c, float x, float y0, float w, float y1, bool lit) {
  c->Fill([&](Vec2 p) { return Union(SdRect(p, x, y0 + w * 0.5f, x + w, y1), SdCircle(p, {x + w * 0.5f, y0 + w * 0.5f}, w * 0.5f)); },
          [&](Vec2 p) {
            const float t = Clamp01((p.y - y0) / (y1 - y0));
            return lit ? Mix(Hex(0xFFD77A), Hex(0xC8641E), t) : Mix(pal::kInk, Hex(0x3A2A35), t);
          });
}

}  // namespace

Canvas FortPicture() {
  Canvas fort(kW, kH);
  // The keep stands behind the wall, a little darker and cooler, a lit
  // window under its battlements.
  Canvas keep = PartLayer(Keep, Stone(11, Mix(pal::kStone, pal::kStoneDark, 0.35f)),
                          [](Vec2 p) { return 0.95f - 0.25f * Clamp01((p.x - 30) / 20); });
  Slit(&keep, 38.5f, kKeepBody + 1.5f, 3, kWallWalk - 0.5f, true);
  fort.Draw(keep, 0, 0);

  Canvas wall = PartLayer(Wall, Stone(12, pal::kStone), [](Vec2 p) {
    float l = 1.0f - 0.2f * Clamp01((p.x - 20) / 40);
    if (p.x < 25) l -= 0.45f * Clamp01((25 - p.x) / 5);           // the left tower's shadow
    if (p.y > kWallTop && p.y < kWallTop + 2.5f) l -= 0.2f;       // under the wall walk
    return l;
  });
  // The gate: an arch of lighter voussoirs, a door of planks, and above it the
  // raised portcullis's iron bars in the dark of the arch.
  wall.Fill([](Vec2 p) { return Intersect(Shell(Gate(p), 3), p.y - kBaseTop + 1); },
            [](Vec2 p) { return Ramp(pal::kStoneLight, 1.05f - 0.4f * Clamp01((p.x - 34) / 12)); });
  wall.Fill(Gate, [](Vec2 p) {
    if (p.y < kGateTop + 1) {
      const bool bar = std::fmod(p.x - kGateCentre + kGateHalf + 0.5f, 2.5f) < 1.0f || p.y > kGateTop;
      return bar ? Ramp(pal::kIron, 0.9f) : Hex(0x1A1418);
    }
    Rgb c = PlanksAt(p, pal::kWood, 2.0f, true, 7u);
    if (std::fabs(p.y - 41.5f) < 0.6f) c = pal::kIron;
    return Ramp(c, 0.8f - 0.3f * Clamp01((p.x - 36) / 8));
  });
  fort.Draw(wall, 0, 0);

  // The towers: their parapets catch the light, their shafts stand in the
  // parapets' shadow.
  auto tower = [](float x0, float x1) {
    return [=](Vec2 p) {
      const bool parapet = p.y < kShaft;
      float l = parapet ? TowerLight(p, x0 - 2, x1 + 2) + 0.1f : TowerLight(p, x0, x1);
      if (!parapet && p.y < kShaft + 2.5f) l -= 0.35f;
      return l;
    };
  };
  Canvas left = PartLayer(LeftTower, Stone(13, pal::kStone), tower(3, 19));
  Slit(&left, 10, kShaft + 3, 2, kShaft + 8, false);
  fort.Draw(left, 0, 0);
  Canvas right = PartLayer(RightTower, Stone(14, pal::kStone), tower(61, 77));
  Slit(&right, 68, kShaft + 3, 2, kShaft + 8, true);
  fort.Draw(right, 0, 0);

  Masonry base = Stone(15, Mix(pal::kStoneDark, pal::kStone, 0.45f));
  base.blockWidth = 10;
  base.courseHeight = 3;
  Canvas foundation = PartLayer(Foundation, base, [](Vec2 p) { return 0.95f - 0.25f * Clamp01((p.y - kBaseTop) / 5); });
  fort.Draw(foundation, 0, 0);
  return fort;
}

SpriteImage PaintFort(int) { return Quantise(FortPicture()); }

// Under the fort: the dark inside of its towers, keep and wall, with floor
// beams and rubble, so that every hole shows the ruined inside.
SpriteImage PaintFortInterior(int) {
  Canvas c(kW, kH);
  Masonry inner = Stone(21, Hex(0x3B3238));
  inner.mortar = Hex(0x1E171D);
  inner.variation = 0.25f;
  c.Fill([](Vec2 p) { return Union(Inside(p), Foundation(p)); }, [&](Vec2 p) {
    Rgb col = MasonryAt(inner, p);
    for (float beam : {kShaft + 1.5f, kBaseTop - 6.0f})
      if (p.y > beam && p.y < beam + 2) col = Ramp(pal::kWoodDark, p.y < beam + 1 ? 0.9f : 0.55f);
    if (p.y > 40) {
      const float rubble = Fbm(p.x * 0.4f, p.y * 0.4f, 23u, 3);
      col = Ramp(Mix(Hex(0x4A4044), Hex(0x6A5E58), rubble), 0.5f + rubble);
    }
    // Deeper in shadow towards the top, where the roof was.
    return Ramp(col, 0.55f + 0.45f * Clamp01((p.y - kRoof) / (kBaseTop - kRoof)));
  });
  return Quantise(c);
}

// Solid where the fort's body is, rows 2 to 41 of the fort picture.
SpriteImage PaintFortBodyMask(int) {
  const SpriteImage fort = PaintFort(0);
  SpriteImage m = FlatSprite(kW, 40, 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < kW; ++x)
      if (fort.pixels[static_cast<size_t>(y + 2) * kW + x]) m.pixels[static_cast<size_t>(y) * kW + x] = Pack555(pal::kStoneDark);
  return m;
}

// Foot mask k: the fort's base in columns 20k to 20k + 19, all six rows.
SpriteImage PaintFortFootMask(int k) {
  SpriteImage m = FlatSprite(kW, 6, 0);
  for (int y = 0; y < 6; ++y)
    for (int x = 20 * k; x < 20 * k + 20; ++x) m.pixels[static_cast<size_t>(y) * kW + x] = Pack555(pal::kStoneDark);
  return m;
}

// The players' forts are copied from the intact fort with a keyed draw each
// round, so their canvases start empty (transparent).
SpriteImage PaintFortCanvas(int) { return FlatSprite(kW, kH, 0); }

}  // namespace art
