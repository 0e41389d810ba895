#include "assetgen/sound/voices.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace synth {

namespace {

// A fixed-length voice is cut off where its track ends; fade the last
// quarter (at most 50 ms) so whatever still sounds there ends at zero.
Track Ended(Track t) {
  FadeOutTail(t, std::min(0.05, 0.25 * static_cast<double>(t.size()) / kSampleRate));
  return t;
}

void Configure(Biquad& f, FilterKind kind, double hz, double q) {
  switch (kind) {
    case FilterKind::kLowPass: f.SetLowPass(hz, q); break;
    case FilterKind::kHighPass: f.SetHighPass(hz, q); break;
    case FilterKind::kBandPass: f.SetBandPass(hz, q); break;
  }
}

}  // namespace

double Flatten(double cutoffHz) { return 0.6 * std::sqrt(kSampleRate / 2.0 / cutoffHz); }

Track FilteredNoise(double seconds, FilterKind kind, double hz, double q, uint64_t seed) {
  Rng rng(seed);
  Biquad f;
  Configure(f, kind, hz, q);
  return Render(seconds, [&](double) { return f.Process(rng.Bipolar()); });
}

Track Burst(double seconds, FilterKind kind, double hz, double q, double attack, double tau, uint64_t seed) {
  Track t = FilteredNoise(seconds, kind, hz, q, seed);
  for (size_t n = 0; n < t.size(); ++n) t[n] *= Hit(static_cast<double>(n) / kSampleRate, attack, tau);
  return Ended(std::move(t));
}

Track Thud(double seconds, double fromHz, double toHz, double glide, double attack, double tau) {
  Oscillator osc;
  return Ended(Render(seconds, [&](double t) { return osc.Sine(ExpSweep(fromHz, toHz, t, glide)) * Hit(t, attack, tau); }));
}

Track Struck(double seconds, const Partial* partials, size_t count) {
  return Ended(Render(seconds, [&](double t) { return Modes(partials, count, t); }));
}

Track BoomTrack(const BoomShape& s, uint64_t seed) {
  Rng rng(seed);
  Biquad crackFilter, body1, body2, rumble1, rumble2;
  crackFilter.SetHighPass(900.0, 0.7);
  rumble1.SetLowPass(s.rumbleHz, 0.7);
  rumble2.SetLowPass(s.rumbleHz, 0.7);
  OnePole wobble;  // slow random swell of the rumble
  wobble.SetCutoff(6.0);
  Oscillator sub;
  Track out = Render(s.seconds, [&](double t) {
    const double crack = crackFilter.Process(rng.Bipolar()) * Hit(t, 0.0004, s.crackTau);
    const double cutoff = ExpSweep(s.bodyFromHz, s.bodyToHz, t, 3.0 * s.bodyTau);
    body1.SetLowPass(cutoff, 0.8);
    body2.SetLowPass(cutoff, 0.6);
    // Low-passed noise loses power as its band narrows; keep its level steady.
    const double body = body2.Process(body1.Process(rng.Bipolar())) * Flatten(cutoff) * Hit(t, 0.002, s.bodyTau);
    const double drop = sub.Sine(ExpSweep(s.subFromHz, s.subToHz, t, 2.0 * s.subTau)) * Hit(t, 0.003, s.subTau);
    const double swell = 0.55 + 4.0 * std::fabs(wobble.LowPass(rng.Bipolar()));
    const double tail = rumble2.Process(rumble1.Process(rng.Bipolar())) * Flatten(s.rumbleHz) * swell * Hit(t, 0.08, s.rumbleTau);
    return s.crackLevel * crack + s.bodyLevel * body + s.subLevel * drop + s.rumbleLevel * tail;
  });
  if (s.drive > 0) Saturate(out, s.drive);
  if (s.reverb > 0) {
    Reverb room(0.05, 0.78, 0.45, seed ^ 0x5A5Aull);
    for (double& v : out) v = (1.0 - s.reverb) * v + s.reverb * 2.0 * room.Process(v);
  }
  FadeOutTail(out, 0.12);
  return out;
}

}  // namespace synth
