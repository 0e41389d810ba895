// Menu, shop and results sounds, and the shield.
#include <cmath>

#include "assetgen/sound/effects.h"
#include "assetgen/sound/voices.h"

namespace synth {

namespace {

double MidiHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// A brass-like note: a band-limited saw whose low-pass opens with the
// envelope (the "blat" of the attack), a small pitch scoop into the note,
// and vibrato on held notes.
Track BrassNote(double hz, double hold) {
  Oscillator osc, vibrato;
  Biquad tone;
  const Adsr env{0.018, 0.12, 0.72, 0.09, hold};
  Track note = Render(hold + 0.5, [&](double t) {
    const double e = env.At(t);
    const double scoop = 1.0 - 0.03 * Decay(t, 0.025);
    const double wobble = 1.0 + 0.006 * SmoothStep(t, 0.25, 0.2) * vibrato.Sine(5.5);
    tone.SetLowPass(hz * (1.5 + 7.0 * e), 0.9);
    return tone.Process(osc.Saw(hz * scoop * wobble)) * e;
  });
  FadeOutTail(note, 0.05);
  return note;
}

}  // namespace

Audio CashRegister() {
  Track out(Samples(1.1));
  // "ka": the key and the drawer latch, two quick bright clicks, then the drawer.
  MixInto(out, Burst(0.04, FilterKind::kBandPass, 2600, 1.5, 0.0003, 0.004, 201), 0, 5.0);
  MixInto(out, Burst(0.04, FilterKind::kBandPass, 3400, 2.0, 0.0003, 0.003, 202), Samples(0.03), 4.0);
  MixInto(out, Burst(0.12, FilterKind::kLowPass, 700, 0.8, 0.001, 0.025, 203), Samples(0.045), 1.2 * Flatten(700));
  // "ching": a small bright bell; the two close lowest partials beat.
  static const Partial kBell[] = {{1760, 1.0, 0.32}, {1768, 0.6, 0.3},  {3538, 0.45, 0.22},
                                  {4822, 0.35, 0.16}, {6970, 0.2, 0.1}, {9416, 0.1, 0.06}};
  MixInto(out, Struck(1.0, kBell, 6), Samples(0.08), 0.8);
  FadeOutTail(out, 0.2);
  return {out, {}};
}

Audio Fanfare() {
  struct Note {
    int midi;
    double start, hold, gain, pan;
  };
  constexpr double kShort = 0.09, kLong = 0.85, kStep = 0.13;
  static const Note kNotes[] = {
      {72, 0 * kStep, kShort, 1.0, -0.35}, {76, 1 * kStep, kShort, 1.0, -0.35},
      {79, 2 * kStep, kShort, 1.0, -0.35}, {84, 3 * kStep, kLong, 1.0, -0.35},
      {67, 0 * kStep, kShort, 0.8, 0.35},  {72, 1 * kStep, kShort, 0.8, 0.35},
      {76, 2 * kStep, kShort, 0.8, 0.35},  {79, 3 * kStep, kLong, 0.8, 0.35},
      {76, 3 * kStep, kLong, 0.6, 0.0},    {60, 3 * kStep, kLong, 0.5, 0.0},
  };
  Audio dry{Track(Samples(1.8)), Track(Samples(1.8))};
  for (const Note& n : kNotes) PanInto(dry, BrassNote(MidiHz(n.midi), n.hold), Samples(n.start), n.gain, n.pan);
  Audio out = dry;
  Reverb left(0.035, 0.7, 0.35, 61), right(0.035, 0.7, 0.35, 62);
  for (size_t i = 0; i < out.left.size(); ++i) {
    out.left[i] += 0.25 * left.Process(dry.left[i]);
    out.right[i] += 0.25 * right.Process(dry.right[i]);
  }
  FadeOutTail(out.left, 0.15);
  FadeOutTail(out.right, 0.15);
  return out;
}

Audio ShieldShimmer() {
  constexpr double kSeconds = 1.5, kRise = 1.1;
  static const double kChord[] = {440.0, 554.37, 659.26, 880.0, 1108.73, 1318.51, 1760.0};
  const Adsr env{0.4, 1.0, 1.0, 0.1, 1.15};
  Audio out;
  for (int channel = 0; channel < 2; ++channel) {
    const double spread = channel == 0 ? -0.0025 : 0.0025;  // chorus between the ears
    Oscillator voices[7], tremolo;
    Track t = Render(kSeconds, [&](double time) {
      const double rise = std::pow(2.0, SmoothStep(time, 0.0, kRise));  // one octave up
      double sum = 0;
      for (int k = 0; k < 7; ++k) sum += voices[k].Sine(kChord[k] * rise * (1.0 + spread * (k + 1))) / (1.0 + 0.5 * k);
      const double shimmer = 0.7 + 0.3 * tremolo.Sine(9.0 + 14.0 * SmoothStep(time, 0.0, kRise));
      return sum * shimmer * env.At(time);
    });
    (channel == 0 ? out.left : out.right) = t;
  }
  // Sparkles, denser as the shield comes up.
  Rng rng(1101);
  for (int i = 0; i < 36; ++i) {
    const double start = 1.15 * std::sqrt(rng.Unit());
    const double hz = rng.Range(2500.0, 6000.0) * std::pow(2.0, SmoothStep(start, 0.0, kRise));
    const Track ping = Ping(0.2, hz, 0.002, rng.Range(0.03, 0.06));
    PanInto(out, ping, Samples(start), rng.Range(0.25, 0.5), rng.Bipolar());
  }
  FadeOutTail(out.left, 0.1);
  FadeOutTail(out.right, 0.1);
  return out;
}

Audio SoftTick() {
  Track out = Ping(0.04, 3100, 0.0004, 0.005);
  MixInto(out, Burst(0.02, FilterKind::kHighPass, 4000, 0.7, 0.0002, 0.0015, 171), 0, 0.25);
  OnePole soft;
  soft.SetCutoff(7000);
  for (double& v : out) v = soft.LowPass(v);
  return {out, {}};
}

Audio CrispClick() {
  Track out(Samples(0.05));
  // Press: a sharp snap with a small plastic resonance; release: a lighter one.
  MixInto(out, Burst(0.03, FilterKind::kHighPass, 2500, 0.7, 0.0001, 0.0012, 181), 0, 1.0);
  MixInto(out, Ping(0.03, 2200, 0.0002, 0.006), 0, 0.45);
  MixInto(out, Burst(0.02, FilterKind::kHighPass, 3500, 0.7, 0.0001, 0.0009, 182), Samples(0.011), 0.4);
  MixInto(out, Ping(0.02, 3300, 0.0002, 0.004), Samples(0.011), 0.2);
  return {out, {}};
}

}  // namespace synth
