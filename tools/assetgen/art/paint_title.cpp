// The title screen and the start-up picture: a painted landscape carved out
// of filled Julia sets, as the game carves its battlefields, under a
// late-afternoon sky lit from the top left, with forts at war on its hills;
// the title screen carries the name BULWARK, the start-up picture is a
// round medallion of the same scene over a ribbon with the name.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assetgen/art/canvas.h"
#include "assetgen/art/julia.h"
#include "assetgen/art/lettering.h"
#include "assetgen/art/light.h"
#include "assetgen/art/noise.h"
#include "assetgen/art/objects.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace art {
namespace {

Rgb SkyAt(float t) {
  const Rgb stops[] = {Hex(0x1E2C66), Hex(0x3F5A9E), Hex(0x86A0C8), Hex(0xE8C08C), Hex(0xF6A868)};
  const float pos[] = {0.0f, 0.3f, 0.55f, 0.8f, 1.0f};
  for (int i = 0; i < 4; ++i)
    if (t <= pos[i + 1]) return Mix(stops[i], stops[i + 1], Clamp01((t - pos[i]) / (pos[i + 1] - pos[i])));
  return stops[4];
}

// A ridge of a filled Julia set: coverage for rows y0 .. h of a w-wide scene.
struct Ridge {
  int y0;
  std::vector<float> cover;
  int w, h;
  float At(int x, int y) const {
    if (x < 0 || x >= w || y < y0) return 0;
    if (y >= y0 + h) return 1;
    return cover[static_cast<size_t>(y - y0) * w + x];
  }
};

Ridge MakeRidge(const JuliaView& view, int w, int y0, int sceneH) {
  Ridge r;
  r.y0 = y0;
  r.w = w;
  r.h = sceneH - y0;
  r.cover = JuliaCoverage(view, w, r.h);
  return r;
}

// The highest ground under columns x0 .. x1 of a ridge, and the lowest.
void GroundSpan(const Ridge& r, int x0, int x1, int* highest, int* lowest) {
  *highest = r.y0 + r.h;
  *lowest = r.y0;
  for (int x = x0; x < x1; ++x) {
    int y = r.y0;
    while (y < r.y0 + r.h && r.At(x, y) < 0.5f) ++y;
    *highest = std::min(*highest, y);
    *lowest = std::max(*lowest, y);
  }
}

// The scene on a w x h canvas; s is its scale against a 640-wide screen.
// A duel shows two forts and a shot between them; otherwise one fort stands
// in the middle, its shot flying off to the left.
Canvas PaintScene(int w, int h, bool duel) {
  const float s = static_cast<float>(w) / 640.0f;
  Canvas c(w, h);
  const Vec2 sun{0.11f * w, 0.13f * h};
  // Sky, sun glow and clouds.
  c.Wash([](Vec2) { return 1.0f; }, [&](Vec2 p) {
    Rgb col = SkyAt(p.y / h);
    const float glow = std::exp(-Length(p - sun) / (70.0f * s));
    col = Mix(col, Hex(0xFFF2C8), 0.75f * glow);
    const float cloud = Fbm(p.x / (150.0f * s), p.y / (38.0f * s), 801u, 5);
    const float band = Smooth(0.12f, 0.22f, p.y / h) * (1 - Smooth(0.36f, 0.48f, p.y / h));
    const float amount = Smooth(0.5f, 0.62f, cloud) * band;
    if (amount > 0) {
      const float lit = Fbm((p.x + 3 * s) / (150.0f * s), (p.y + 4 * s) / (38.0f * s), 801u, 5);  // towards the light
      const Rgb cl = Mix(Hex(0x8C94B8), Hex(0xFFF0DA), Clamp01(0.5f + (cloud - lit) * 12.0f));
      col = Mix(col, cl, amount * 0.9f);
    }
    return col;
  });
  c.Fill([&](Vec2 p) { return SdCircle(p, sun, 13.0f * s); }, [](Vec2) { return Hex(0xFFF8E4); });

  // Far and middle ranges: hazy, lit on their sunward flanks.
  const Ridge far = MakeRidge({-0.38f, 0.58f, -1.75f, -0.62f, 1.75f, 0.55f, 40, -0.55f}, w, static_cast<int>(0.4f * h), h);
  const Ridge mid = MakeRidge({-0.38f, 0.58f, -1.35f, -0.48f, 0.95f, 0.32f, 40, -0.7f}, w, static_cast<int>(0.52f * h), h);
  auto range = [&](const Ridge& r, Rgb tone, float haze) {
    c.Wash([&](Vec2 p) { return r.At(static_cast<int>(p.x), static_cast<int>(p.y)); }, [&](Vec2 p) {
      const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
      const bool rim = r.At(x - 1, y - 1) < 0.5f || r.At(x - 2, y) < 0.5f;
      const float depth = Clamp01((p.y - r.y0) / (0.4f * h));
      Rgb col = Ramp(tone, (rim ? 1.35f : 1.0f) - 0.25f * depth);
      return Mix(col, SkyAt(0.68f), haze * (1 - depth * 0.6f));
    });
  };
  range(far, Hex(0x7E8CC0), 0.4f);
  range(mid, Hex(0x3E4A7C), 0.12f);

  // The battlefield in front: earth and turf.
  Ridge front = MakeRidge({-0.38f, 0.58f, -1.15f, -0.62f, 0.95f, 0.3f, 50, -0.62f}, w, static_cast<int>(0.56f * h), h);
  // Two forts on the front hills.
  const Canvas fort = FortPicture();
  struct Place {
    float x;
    int zoom;
  };
  const Place places[2] = {{duel ? 0.72f : 0.47f, 2}, {0.36f, 1}};
  const int count = duel ? 2 : 1;
  Vec2 roof[2] = {};  // the middle of each keep's roof: the shot leaves one and strikes the other
  struct Standing {
    int x, y, zoom;
  } forts[2] = {};
  for (int i = 0; i < count; ++i) {
    const int zoom = std::max(1, static_cast<int>(std::lround(places[i].zoom * s)));
    const int fw = 80 * zoom;
    // The flattest footing near the place wanted.
    int x0 = 0, highest = 0, lowest = 0, best = 1 << 30;
    const int want = static_cast<int>(places[i].x * w) - fw / 2, reach = static_cast<int>(70 * s);
    for (int x = std::max(0, want - reach); x <= std::min(w - fw, want + reach); x += 2) {
      int hi, lo;
      GroundSpan(front, x + 4 * zoom, x + fw - 4 * zoom, &hi, &lo);
      const int cost = (lo - hi) * 4 + std::abs(x - want);
      if (cost < best) {
        best = cost;
        x0 = x;
        highest = hi;
        lowest = lo;
      }
    }
    const int top = highest - 46 * zoom;
    // The hill is built up under the foundation, down to the ground.
    for (int y = top + 47 * zoom; y < std::min(front.y0 + front.h, lowest + 4); ++y) {
      const int spread = (y - (top + 47 * zoom)) * 2 / 5 + static_cast<int>(3 * Hash01(y, i, 811u));
      for (int x = x0 + zoom - spread; x < x0 + fw - zoom + spread; ++x)
        if (x >= 0 && x < w && y >= front.y0) front.cover[static_cast<size_t>(y - front.y0) * w + x] = 1;
    }
    forts[i] = {x0, top, zoom};
    roof[i] = {x0 + 40.0f * zoom, top + static_cast<float>(kFortTopRow * zoom)};
  }
  // The ground, turf along its top edges.
  auto solid = [&](int x, int y) { return front.At(x, y) >= 0.5f; };
  c.Wash([&](Vec2 p) { return front.At(static_cast<int>(p.x), static_cast<int>(p.y)); }, [&](Vec2 p) {
    const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
    int below = 0;  // how far below the open air this pixel lies
    while (below < 4 && solid(x, y - below - 1)) ++below;
    const Vec2 q{p.x / (2 * s), p.y / (2 * s)};  // the texture at twice its size
    Rgb col = GroundColour(0, q);
    if (below < 3) col = Ramp(Mix(pal::kGrass, pal::kGrassDark, below / 3.0f), below == 0 ? 1.3f : 1.0f);
    else if (!solid(x - 1, y) || !solid(x - 2, y)) col = Ramp(col, 1.3f);   // the lit west faces
    else if (!solid(x + 1, y) || !solid(x + 2, y)) col = Ramp(col, 0.55f);  // the shaded east faces
    return Ramp(col, 1.0f - 0.35f * Clamp01((p.y - front.y0) / (0.35f * h)));
  });

  for (int i = 0; i < count; ++i) c.DrawZoomed(fort, forts[i].x, forts[i].y, forts[i].zoom);
  // A shell's trail between them and the fireball where it strikes.
  const Vec2 from = roof[0], to = duel ? roof[1] + Vec2{-4 * s, 4 * s} : Vec2{-0.1f * w, 0.3f * h};
  const float apex = std::min(from.y, to.y) - 0.22f * h;
  for (int i = 1; i < 24; ++i) {
    const float t = static_cast<float>(i) / 24.0f;
    const Vec2 at{Lerp(from.x, to.x, t), (1 - t) * (1 - t) * from.y + 2 * (1 - t) * t * apex + t * t * to.y};
    const float r = (0.9f + 1.6f * (1 - t)) * s * 1.4f;
    c.Fill([&](Vec2 p) { return SdCircle(p, at, r); },
           [&](Vec2 p) { return Lit(Mix(Hex(0xE8E4DC), Hex(0x9A98A8), 1 - t), SphereNormal(p.x - at.x, p.y - at.y, r + 0.5f), 0.1f); },
           Around(at, r));
  }
  if (duel) {
    const Canvas boom = ExplosionPicture(std::clamp(static_cast<int>(std::lround(6 * s)), 0, 19));
    c.Draw(boom, static_cast<int>(to.x) - boom.W() / 2, static_cast<int>(to.y) - boom.H() / 2);
  }
  return c;
}

LetterStyle TitleStyle(float s) {
  LetterStyle st;
  st.top = Hex(0xFFF4C0);
  st.bottom = Hex(0xC8741E);
  st.outline = Hex(0x2A140E);
  st.outlineWidth = std::max(1.0f, 2.0f * s);
  st.bevel = std::max(1, static_cast<int>(3 * s));
  st.bevelStrength = 0.45f;
  st.shadowDx = std::max(1, static_cast<int>(4 * s));
  st.shadowDy = std::max(1, static_cast<int>(5 * s));
  st.shadow = Hex(0x140C1E);
  st.shadowOpacity = 0.75f;
  return st;
}

}  // namespace

SpriteImage PaintTitle(int) {
  Canvas c = PaintScene(640, 480, true);
  const int cell = FitCellHeight("BULWARK", Face::kSerif, 140, 520, 96, 6);
  Letter(&c, "BULWARK", Face::kSerif, cell, 330, 78, TitleStyle(1.0f), 6);
  QuantiseOptions o;
  o.dither = true;
  return Quantise(c, o);
}

// A medallion of the scene in a bronze ring, over a ribbon with the name.
SpriteImage PaintStartupPicture(int) {
  const int w = 300, h = 220;
  Canvas c(w, h);
  const Vec2 centre{150, 98};
  const float r = 92;
  Canvas scene = PaintScene(240, 200, false);
  c.Wash([&](Vec2 p) { return Coverage(SdCircle(p, centre, r - 6)); }, [&](Vec2 p) {
    return scene.ColourAt(static_cast<int>(p.x - centre.x + 120), static_cast<int>(p.y - centre.y + 100));
  });
  c.Fill([&](Vec2 p) { return Shell(SdCircle(p, centre, r - 3), 6.5f); }, [&](Vec2 p) {
    const Vec2 d = p - centre;
    const float across = (Length(d) - (r - 3)) / 3.2f;  // -1 inside .. 1 outside
    const Vec2 n2 = d * (1.0f / std::max(1.0f, Length(d)));
    return Lit(pal::kBronze, Vec3{n2.x * across, n2.y * across, 1.0f - 0.5f * std::fabs(across)}, 0.6f, 14.0f);
  });
  // The ribbon.
  auto ribbon = [](Vec2 p) { return SdPolygon(p, {{22, 166}, {278, 166}, {294, 184}, {278, 202}, {22, 202}, {6, 184}}); };
  c.Fill(ribbon, [&](Vec2 p) { return Ramp(Hex(0xB8281E), 1.2f - 0.5f * (p.y - 166) / 36); });
  Bevel(&c, 2, 0.45f);
  Outline(&c, pal::kInk, 1.5f);
  LetterStyle st = TitleStyle(0.5f);
  const int cell = FitCellHeight("BULWARK", Face::kSerif, 60, 230, 26, 3);
  Letter(&c, "BULWARK", Face::kSerif, cell, 150, 184, st, 3);
  return Quantise(c);
}

}  // namespace art
