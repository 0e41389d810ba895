// Building blocks of the sound synthesiser: a seeded random generator,
// phase-accumulator oscillators, envelopes, filters and a small reverb.
// Everything works in double precision at 44100 Hz and depends on nothing
// but its arguments and seeds, so the same calls give the same samples on
// every run. Used only by the asset generator (one thread).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace synth {

constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// Whole samples in a duration, rounded to nearest.
size_t Samples(double seconds);
double DbToGain(double db);

// Seeded pseudo-random generator (splitmix64): no global state, no time.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  double Unit();     // [0, 1)
  double Bipolar();  // [-1, 1)
  double Range(double lo, double hi);

 private:
  uint64_t state_;
};

// Phase accumulator: every call advances the phase by one sample at the
// given frequency and returns that sample's value. Saw and square are
// band-limited (polyBLEP) so bright tones do not alias.
class Oscillator {
 public:
  explicit Oscillator(double phase = 0) : phase_(phase) {}
  double Sine(double hz, double phaseOffset = 0);
  double Triangle(double hz);
  double Saw(double hz);
  double Square(double hz);

 private:
  double Step(double hz);  // returns the phase before the step
  double phase_;
  double increment_ = 0;
};

// Envelope shapes of time t in seconds.
double Decay(double t, double tau);                           // exp(-t / tau), 0 before 0
double SmoothStep(double t, double start, double length);     // raised-cosine 0 -> 1
double Hit(double t, double attack, double tau);              // smooth attack, exponential decay
double ExpSweep(double from, double to, double t, double duration);  // geometric glide, held after

// Attack (raised cosine), exponential decay towards the sustain level, and
// an exponential release from the gate-off time; continuous everywhere.
struct Adsr {
  double attack, decay, sustain, release, gateOff;
  double At(double t) const;
};

// One-pole low-pass; HighPass returns the input minus the low-passed part.
class OnePole {
 public:
  void SetCutoff(double hz);
  double LowPass(double x);
  double HighPass(double x) { return x - LowPass(x); }

 private:
  double a_ = 1, y_ = 0;
};

// Second-order filter (transposed direct form II). The Set calls may be
// repeated every sample for sweeps; the state is kept.
class Biquad {
 public:
  void SetLowPass(double hz, double q);
  void SetHighPass(double hz, double q);
  void SetBandPass(double hz, double q);  // 0 dB at the centre
  double Process(double x);

 private:
  void SetNormalised(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double z1_ = 0, z2_ = 0;
};

// A damped sine partial of a struck object (bell, metal, glass).
struct Partial {
  double hz, level, tau;
};
// Sum of the partials at time t after the strike (t < 0 gives 0).
double Modes(const Partial* partials, size_t count, double t);

// Small Schroeder reverb: four damped combs into two all-passes. The seed
// spreads the delay lengths, so two seeds give a decorrelated stereo pair.
class Reverb {
 public:
  Reverb(double roomSeconds, double feedback, double damping, uint64_t seed);
  double Process(double x);

 private:
  struct Line {
    std::vector<double> buffer;
    size_t pos = 0;
    double state = 0;
  };
  Line combs_[4];
  Line allpasses_[2];
  double feedback_, damping_;
};

}  // namespace synth
