#include "assetgen/sound/synth_toolkit.h"

#include <algorithm>
#include <cmath>

namespace synth {

size_t Samples(double seconds) { return static_cast<size_t>(std::lround(seconds * kSampleRate)); }

double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

uint64_t Rng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Rng::Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::Bipolar() { return Unit() * 2.0 - 1.0; }

double Rng::Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

namespace {

// Correction around a step of a naive waveform at phase t (increment dt).
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

double Oscillator::Step(double hz) {
  const double phase = phase_;
  increment_ = std::min(std::fabs(hz) / kSampleRate, 0.5);
  phase_ += hz / kSampleRate;
  phase_ -= std::floor(phase_);
  return phase;
}

double Oscillator::Sine(double hz, double phaseOffset) {
  return std::sin(2.0 * kPi * (Step(hz) + phaseOffset));
}

double Oscillator::Triangle(double hz) {
  const double p = Step(hz) + 0.25;
  return 1.0 - 4.0 * std::fabs(p - std::floor(p) - 0.5);
}

double Oscillator::Saw(double hz) {
  const double p = Step(hz);
  return 2.0 * p - 1.0 - PolyBlep(p, increment_);
}

double Oscillator::Square(double hz) {
  const double p = Step(hz);
  double half = p + 0.5;
  half -= std::floor(half);
  return (p < 0.5 ? 1.0 : -1.0) + PolyBlep(p, increment_) - PolyBlep(half, increment_);
}

double Decay(double t, double tau) { return t < 0 ? 0.0 : std::exp(-t / tau); }

double SmoothStep(double t, double start, double length) {
  if (t <= start) return 0.0;
  if (length <= 0 || t >= start + length) return 1.0;
  return 0.5 - 0.5 * std::cos(kPi * (t - start) / length);
}

double Hit(double t, double attack, double tau) { return SmoothStep(t, 0, attack) * Decay(t, tau); }

double ExpSweep(double from, double to, double t, double duration) {
  const double u = std::clamp(t / duration, 0.0, 1.0);
  return from * std::pow(to / from, u);
}

double Adsr::At(double t) const {
  if (t < 0) return 0.0;
  auto held = [this](double u) {
    if (u < attack) return SmoothStep(u, 0, attack);
    return sustain + (1.0 - sustain) * std::exp(-(u - attack) / decay);
  };
  if (t < gateOff) return held(t);
  return held(gateOff) * std::exp(-(t - gateOff) / release);
}

void OnePole::SetCutoff(double hz) { a_ = 1.0 - std::exp(-2.0 * kPi * hz / kSampleRate); }

double OnePole::LowPass(double x) {
  y_ += a_ * (x - y_);
  return y_;
}

namespace {

struct Trig {
  double cosw, alpha;
};

Trig Prewarp(double hz, double q) {
  const double w = 2.0 * kPi * std::clamp(hz, 10.0, 0.45 * kSampleRate) / kSampleRate;
  return {std::cos(w), std::sin(w) / (2.0 * q)};
}

}  // namespace

void Biquad::SetNormalised(double b0, double b1, double b2, double a0, double a1, double a2) {
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = a1 / a0;
  a2_ = a2 / a0;
}

void Biquad::SetLowPass(double hz, double q) {
  const Trig k = Prewarp(hz, q);
  const double b = (1.0 - k.cosw) / 2.0;
  SetNormalised(b, 2.0 * b, b, 1.0 + k.alpha, -2.0 * k.cosw, 1.0 - k.alpha);
}

void Biquad::SetHighPass(double hz, double q) {
  const Trig k = Prewarp(hz, q);
  const double b = (1.0 + k.cosw) / 2.0;
  SetNormalised(b, -2.0 * b, b, 1.0 + k.alpha, -2.0 * k.cosw, 1.0 - k.alpha);
}

void Biquad::SetBandPass(double hz, double q) {
  const Trig k = Prewarp(hz, q);
  SetNormalised(k.alpha, 0.0, -k.alpha, 1.0 + k.alpha, -2.0 * k.cosw, 1.0 - k.alpha);
}

double Biquad::Process(double x) {
  const double y = b0_ * x + z1_;
  z1_ = b1_ * x - a1_ * y + z2_;
  z2_ = b2_ * x - a2_ * y;
  return y;
}

double Modes(const Partial* partials, size_t count, double t) {
  if (t < 0) return 0.0;
  double sum = 0;
  for (size_t i = 0; i < count; ++i)
    sum += partials[i].level * std::exp(-t / partials[i].tau) * std::sin(2.0 * kPi * partials[i].hz * t);
  return sum;
}

Reverb::Reverb(double roomSeconds, double feedback, double damping, uint64_t seed)
    : feedback_(feedback), damping_(damping) {
  static const double kCombs[4] = {0.0297, 0.0371, 0.0411, 0.0437};
  static const double kAllpasses[2] = {0.0050, 0.0017};
  Rng rng(seed);
  const double scale = roomSeconds / 0.04;
  for (int i = 0; i < 4; ++i)
    combs_[i].buffer.assign(std::max<size_t>(1, Samples(kCombs[i] * scale * (1.0 + 0.06 * rng.Bipolar()))), 0.0);
  for (int i = 0; i < 2; ++i)
    allpasses_[i].buffer.assign(std::max<size_t>(1, Samples(kAllpasses[i] * (1.0 + 0.1 * rng.Bipolar()))), 0.0);
}

double Reverb::Process(double x) {
  double sum = 0;
  for (Line& c : combs_) {
    const double out = c.buffer[c.pos];
    c.state = out * (1.0 - damping_) + c.state * damping_;
    c.buffer[c.pos] = x + c.state * feedback_;
    c.pos = (c.pos + 1) % c.buffer.size();
    sum += out;
  }
  double y = sum * 0.25;
  for (Line& a : allpasses_) {
    const double delayed = a.buffer[a.pos];
    a.buffer[a.pos] = y + delayed * 0.5;
    a.pos = (a.pos + 1) % a.buffer.size();
    y = delayed - y;
  }
  return y;
}

}  // namespace synth
