// Explosions, the fort collapse and the sound of ground being built.
#include <cmath>

#include "assetgen/sound/effects.h"
#include "assetgen/sound/voices.h"

namespace synth {

namespace {

// The blasts, one row each; the columns are BoomShape's fields in order.
//                              length  crack         body                   sub                    rumble             drive reverb
constexpr BoomShape kLarge   = {1.9,    0.5, 0.012,   1.0, 1800, 120, 0.40,  0.45, 70, 32, 0.45,    1.0, 160, 0.70,    2.5,  0.25};
constexpr BoomShape kBomblet = {0.3,    1.0, 0.020,   0.8, 4000, 600, 0.04,  0.30, 180, 80, 0.05,   0.0, 200, 0.10,    3.0,  0.0};
constexpr BoomShape kGrenade = {1.1,    0.6, 0.008,   1.0, 3000, 250, 0.18,  0.35, 95, 45, 0.20,    0.5, 200, 0.35,    2.0,  0.15};
constexpr BoomShape kMissile = {1.4,    0.5, 0.010,   1.0, 2500, 180, 0.25,  0.40, 80, 38, 0.30,    0.7, 180, 0.50,    2.2,  0.2};
constexpr BoomShape kFort    = {1.95,   0.6, 0.010,   1.0, 2200, 150, 0.20,  0.35, 75, 35, 0.35,    0.8, 160, 0.90,    2.0,  0.2};

}  // namespace

Audio DeepBoom() { return {BoomTrack(kLarge, 131), BoomTrack(kLarge, 132)}; }

Audio SmallCrack() { return {BoomTrack(kBomblet, 141), {}}; }

Audio MidBoom() { return {BoomTrack(kGrenade, 151), {}}; }

Audio Boom() { return {BoomTrack(kMissile, 211), {}}; }

Audio RingingBoom() {
  // The grenade blast with the ring of its steel ball: two close partials
  // beat, higher ones die sooner.
  BoomShape blast = kGrenade;
  blast.seconds = 1.6;
  Track out = BoomTrack(blast, 201);
  static const Partial kBall[] = {
      {620, 1.0, 0.6}, {623, 0.7, 0.6}, {1438, 0.5, 0.4}, {2635, 0.35, 0.25}, {4111, 0.2, 0.15}};
  Track ring = Struck(1.6, kBall, 5);
  NormalisePeak(ring);
  MixInto(out, ring, Samples(0.005), 0.4);
  FadeOutTail(out, 0.2);
  return {out, {}};
}

Audio Collapse() {
  Audio out{BoomTrack(kFort, 221), BoomTrack(kFort, 222)};
  Rng rng(223);
  // Masonry falling all around: stone hits, thick at first, thinning out.
  for (int i = 0; i < 48; ++i) {
    const double start = 0.08 + 1.5 * std::pow(rng.Unit(), 1.6);
    Track hit = Burst(0.15, FilterKind::kBandPass, rng.Range(300, 2500), 3.0, 0.0005, rng.Range(0.015, 0.06), rng.Next());
    NormalisePeak(hit);
    PanInto(out, hit, Samples(start), rng.Range(0.15, 0.45) * (1.0 - 0.4 * start / 1.6), 0.8 * rng.Bipolar());
  }
  // Big blocks landing.
  for (int i = 0; i < 5; ++i) {
    const double start = rng.Range(0.15, 1.2);
    PanInto(out, Thud(0.3, 90, 40, 0.05, 0.002, 0.08), Samples(start), rng.Range(0.4, 0.7), 0.6 * rng.Bipolar());
  }
  FadeOutTail(out.left, 0.2);
  FadeOutTail(out.right, 0.2);
  return out;
}

Audio EarthRumble() {
  // Earth heaving up: deep rumble, a grinding band with a grainy texture, and pebbles.
  constexpr double kSeconds = 1.4;
  const Adsr env{0.15, 1.0, 1.0, 0.15, 1.0};
  Rng rng(191);
  Biquad deep1, deep2, grind;
  deep1.SetLowPass(180, 0.7);
  deep2.SetLowPass(180, 0.7);
  grind.SetBandPass(350, 1.2);
  OnePole texture;
  texture.SetCutoff(10);
  Track out = Render(kSeconds, [&](double t) {
    const double grain = 0.4 + 5.0 * std::fabs(texture.LowPass(rng.Bipolar()));
    const double deep = deep2.Process(deep1.Process(rng.Bipolar())) * 0.8 * Flatten(180);
    return (deep + 4.0 * grind.Process(rng.Bipolar()) * grain) * env.At(t);
  });
  for (int i = 0; i < 40; ++i) {
    const double start = rng.Range(0.05, 1.15);
    Track pebble = Burst(0.03, FilterKind::kBandPass, rng.Range(1500, 4000), 2.0, 0.0003, 0.004, rng.Next());
    NormalisePeak(pebble);
    MixInto(out, pebble, Samples(start), rng.Range(0.05, 0.15) * env.At(start));
  }
  FadeOutTail(out, 0.1);
  return {out, {}};
}

}  // namespace synth
