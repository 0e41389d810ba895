// The emblems: a flag on a pole waving in ten frames, in each of the five
// player colours (red, blue, white, green, yellow: colour index 0 to 4).
#include <cmath>

#include "assetgen/art/canvas.h"
#include "assetgen/art/light.h"
#include "assetgen/art/painters.h"
#include "assetgen/art/palette.h"
#include "assetgen/art/passes.h"
#include "assetgen/art/sdf.h"

namespace art {

SpriteImage PaintEmblem(int k) {
  const int frame = k % 10, colour = k / 10;
  const Rgb cloth = pal::kPlayer[colour];
  const Rgb device = (colour == 2 || colour == 4) ? Hex(0xB8261E) : pal::kGoldLight;
  const float phase = static_cast<float>(frame) * 2.0f * kPi / 10.0f;
  // The flag flies low on its staff: in the shop the customer's money is
  // written just above the emblem, and in a round the pole goes on down to
  // the castle. The bottom rows hold the staff alone (its cross-section is
  // what the round display repeats down to the roof).
  constexpr float kPoleX = 3.0f, kTop = 17.0f, kLength = 16.8f, kHeight = 12.0f;

  Canvas c(24, 36);
  // The cloth: ripples run from the pole to the free end, growing as they go.
  auto ripple = [&](float u) { return std::sin(u * 0.42f - phase); };
  auto wave = [&](float u) { return 1.7f * ripple(u) * (u / kLength) + 0.5f * std::sin(u * 0.2f - phase * 2.0f) * (u / kLength); };
  auto toCloth = [&](Vec2 p) {
    const float u = p.x - (kPoleX + 1.5f);
    return Vec2{u, p.y - kTop - wave(u) - 0.06f * u};  // the free end droops a little
  };
  c.Fill([&](Vec2 p) {
    const Vec2 q = toCloth(p);
    const float len = kLength - 0.8f * (1 + std::cos(phase));  // folds shorten the flag
    // A swallowtail at the free end.
    const float notch = SdPolygon(q, {{len - 3.5f, kHeight * 0.5f}, {len + 2, kHeight * 0.5f - 3.5f}, {len + 2, kHeight * 0.5f + 3.5f}});
    return Subtract(SdRect(q, 0, 0, len, kHeight), notch);
  }, [&](Vec2 p) {
    const Vec2 q = toCloth(p);
    const float slope = 1.7f * 0.42f * std::cos(q.x * 0.42f - phase) * (q.x / kLength);
    Rgb base = cloth;
    const float dx = q.x - 8.5f, dy = q.y - kHeight * 0.5f;
    const float roundel = std::sqrt(dx * dx + dy * dy);
    if (roundel < 3.6f) base = roundel < 2.4f ? device : Mix(device, cloth, 0.55f);
    if (q.y < 1.2f) base = Mix(base, Hex(0xFFFFFF), 0.15f);  // the hem catches the light
    return Lit(base, Vec3{slope * 2.2f, -0.15f, 1.0f}, 0.3f, 10.0f);
  });
  // The pole, a turned wooden staff with a golden knob.
  Frame upright{{kPoleX + 0.5f, 0}, 0};
  constexpr float kKnob = kTop - 2.0f;
  c.Fill([&](Vec2 p) { return SdRect(p, kPoleX - 0.5f, kKnob + 1, kPoleX + 1.5f, 36); },
         [&](Vec2 p) { return Lit(Hex(0x9C6A3C), CylinderNormal(upright, p.x - (kPoleX + 0.5f), 1.1f), 0.3f); });
  c.Fill([&](Vec2 p) { return SdCircle(p, {kPoleX + 0.5f, kKnob}, 2.0f); },
         [&](Vec2 p) { return Lit(pal::kGold, SphereNormal(p.x - kPoleX - 0.5f, p.y - kKnob, 2.0f), 0.8f); });
  Outline(&c, pal::kInk);
  return Quantise(c);
}

}  // namespace art
