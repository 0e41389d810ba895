// Explosions, the fort collapse and the sound of ground being built.
#include <cmath>

#include "assetgen/sound/effects.h"
#include "assetgen/sound/voices.h"

namespace synth {

namespace {

// Grenade-sized blast, shared by the plain and the ringing grenade boom.
BoomShape GrenadeBlast(double seconds) {
  return {.seconds = seconds, .crackLevel = 0.6, .crackTau = 0.008,
          .bodyLevel = 1.0, .bodyFromHz = 3000, .bodyToHz = 250, .bodyTau = 0.18,
          .subLevel = 0.35, .subFromHz = 95, .subToHz = 45, .subTau = 0.2,
          .rumbleLevel = 0.5, .rumbleHz = 200, .rumbleTau = 0.35,
          .drive = 2.0, .reverb = 0.15};
}

}  // namespace

Audio DeepBoom() {
  const BoomShape shape{.seconds = 1.9, .crackLevel = 0.5, .crackTau = 0.012,
                        .bodyLevel = 1.0, .bodyFromHz = 1800, .bodyToHz = 120, .bodyTau = 0.4,
                        .subLevel = 0.45, .subFromHz = 70, .subToHz = 32, .subTau = 0.45,
                        .rumbleLevel = 1.0, .rumbleHz = 160, .rumbleTau = 0.7,
                        .drive = 2.5, .reverb = 0.25};
  return {BoomTrack(shape, 131), BoomTrack(shape, 132)};
}

Audio SmallCrack() {
  const BoomShape shape{.seconds = 0.3, .crackLevel = 1.0, .crackTau = 0.02,
                        .bodyLevel = 0.8, .bodyFromHz = 4000, .bodyToHz = 600, .bodyTau = 0.04,
                        .subLevel = 0.3, .subFromHz = 180, .subToHz = 80, .subTau = 0.05,
                        .rumbleLevel = 0.0, .rumbleHz = 200, .rumbleTau = 0.1,
                        .drive = 3.0, .reverb = 0.0};
  return {BoomTrack(shape, 141), {}};
}

Audio MidBoom() { return {BoomTrack(GrenadeBlast(1.1), 151), {}}; }

Audio Boom() {
  const BoomShape shape{.seconds = 1.4, .crackLevel = 0.5, .crackTau = 0.01,
                        .bodyLevel = 1.0, .bodyFromHz = 2500, .bodyToHz = 180, .bodyTau = 0.25,
                        .subLevel = 0.4, .subFromHz = 80, .subToHz = 38, .subTau = 0.3,
                        .rumbleLevel = 0.7, .rumbleHz = 180, .rumbleTau = 0.5,
                        .drive = 2.2, .reverb = 0.2};
  return {BoomTrack(shape, 211), {}};
}

Audio RingingBoom() {
  // The grenade blast with the ring of its steel ball: two close partials
  // beat, higher ones die sooner.
  Track out = BoomTrack(GrenadeBlast(1.6), 201);
  static const Partial kBall[] = {
      {620, 1.0, 0.6}, {623, 0.7, 0.6}, {1438, 0.5, 0.4}, {2635, 0.35, 0.25}, {4111, 0.2, 0.15}};
  Track ring = Struck(1.6, kBall, 5);
  NormalisePeak(ring);
  MixInto(out, ring, Samples(0.005), 0.4);
  FadeOutTail(out, 0.2);
  return {out, {}};
}

Audio Collapse() {
  constexpr double kSeconds = 1.95;
  const BoomShape blast{.seconds = kSeconds, .crackLevel = 0.6, .crackTau = 0.01,
                        .bodyLevel = 1.0, .bodyFromHz = 2200, .bodyToHz = 150, .bodyTau = 0.2,
                        .subLevel = 0.35, .subFromHz = 75, .subToHz = 35, .subTau = 0.35,
                        .rumbleLevel = 0.8, .rumbleHz = 160, .rumbleTau = 0.9,
                        .drive = 2.0, .reverb = 0.2};
  Audio out{BoomTrack(blast, 221), BoomTrack(blast, 222)};
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
