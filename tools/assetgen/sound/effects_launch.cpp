// Launch sounds of the weapons.
#include "assetgen/sound/effects.h"
#include "assetgen/sound/voices.h"

namespace synth {

Audio SmallPop() {
  // A cork-like pop: a quick falling blip, a burst of air and a low puff.
  Track out = Thud(0.12, 900, 250, 0.025, 0.0005, 0.015);
  MixInto(out, Burst(0.06, FilterKind::kBandPass, 1200, 1.5, 0.0003, 0.006, 71), 0, 0.6);
  MixInto(out, Burst(0.12, FilterKind::kLowPass, 400, 0.7, 0.001, 0.025, 72), 0, 1.2);
  FadeOutTail(out, 0.03);
  return {out, {}};
}

Audio Whoosh() {
  // Ignition crack, then rocket noise whose band sweeps up and back as the
  // missile rushes away, over a low roar.
  Rng rng(81);
  Biquad band, roar;
  roar.SetLowPass(600, 0.7);
  Track out = Render(1.0, [&](double t) {
    const double centre = t < 0.25 ? ExpSweep(400, 3500, t, 0.25) : ExpSweep(3500, 1100, t - 0.25, 0.75);
    band.SetBandPass(centre, 2.0);
    const double air = band.Process(rng.Bipolar()) * SmoothStep(t, 0.0, 0.06) * Decay(t - 0.06, 0.35);
    const double rumble = roar.Process(rng.Bipolar()) * Hit(t, 0.01, 0.2);
    return 3.0 * air + 0.8 * rumble;
  });
  MixInto(out, Burst(0.08, FilterKind::kHighPass, 1500, 0.7, 0.0003, 0.02, 82), 0, 0.6);
  MixInto(out, Thud(0.2, 120, 60, 0.05, 0.001, 0.05), 0, 0.5);
  FadeOutTail(out, 0.15);
  return {out, {}};
}

Audio Thump() {
  // A mortar tube: a short low drop with a dull click on top.
  Track out = Thud(0.35, 240, 85, 0.04, 0.001, 0.09);
  MixInto(out, Burst(0.05, FilterKind::kLowPass, 2000, 0.7, 0.0003, 0.005, 91), 0, 0.4 * Flatten(2000));
  MixInto(out, Burst(0.2, FilterKind::kLowPass, 600, 0.7, 0.001, 0.04, 92), 0, 0.6 * Flatten(600));
  Saturate(out, 3.0);
  FadeOutTail(out, 0.05);
  return {out, {}};
}

Audio HeavyThump() {
  // A bigger charge: a deeper, longer drop, a body of low noise and a hiss of gas.
  Track out = Thud(0.7, 170, 55, 0.07, 0.001, 0.18);
  MixInto(out, Thud(0.7, 75, 38, 0.1, 0.003, 0.22), 0, 0.5);
  MixInto(out, Burst(0.5, FilterKind::kLowPass, 450, 0.7, 0.002, 0.1, 101), 0, 0.8 * Flatten(450));
  MixInto(out, Burst(0.3, FilterKind::kHighPass, 2000, 0.7, 0.005, 0.06, 102), 0, 0.15);
  Saturate(out, 3.0);
  FadeOutTail(out, 0.1);
  return {out, {}};
}

Audio SpringLaunch() {
  // A released spring: a twangy tone gliding up two octaves and wobbling,
  // on top of a soft thump.
  Oscillator osc, wobble;
  Biquad tone;
  tone.SetLowPass(2500, 0.8);
  Track out = Render(0.6, [&](double t) {
    const double vibrato = 1.0 + 0.08 * Decay(t, 0.2) * wobble.Sine(22.0);
    return tone.Process(osc.Saw(ExpSweep(150, 600, t, 0.25) * vibrato)) * Hit(t, 0.003, 0.18);
  });
  MixInto(out, Thud(0.15, 140, 60, 0.03, 0.001, 0.03), 0, 0.6);
  FadeOutTail(out, 0.08);
  return {out, {}};
}

}  // namespace synth
