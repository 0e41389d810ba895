#include "assetgen/sound/finish.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

constexpr double kFadeIn = 0.001;
constexpr double kFadeOut = 0.008;
constexpr double kDcCutoffHz = 12.0;

void ScaleToPeak(Audio& a, double peakDb) {
  const double peak = std::max(PeakOf(a.left), PeakOf(a.right));
  if (peak <= 0) return;
  const double gain = DbToGain(peakDb) / peak;
  for (double& v : a.left) v *= gain;
  for (double& v : a.right) v *= gain;
}

}  // namespace

Track FoldLoop(const Track& render, size_t loopLength) {
  Track loop(render.begin(), render.begin() + std::min(loopLength, render.size()));
  const size_t fade = render.size() > loopLength ? render.size() - loopLength : 0;
  for (size_t i = 0; i < fade && i < loop.size(); ++i) {
    const double angle = (static_cast<double>(i) + 0.5) / static_cast<double>(fade) * kPi / 2.0;
    loop[i] = render[i] * std::sin(angle) + render[loopLength + i] * std::cos(angle);
  }
  return loop;
}

std::vector<int16_t> FinishOneShot(Audio audio, double peakDb, uint64_t ditherSeed) {
  for (Track* t : {&audio.left, &audio.right}) {
    OnePole dc;
    dc.SetCutoff(kDcCutoffHz);
    for (double& v : *t) v = dc.HighPass(v);
  }
  for (Track* t : {&audio.left, &audio.right}) {
    const size_t in = std::min(t->size(), Samples(kFadeIn));
    for (size_t i = 0; i < in; ++i) (*t)[i] *= SmoothStep(static_cast<double>(i), 0, static_cast<double>(in));
    FadeOutTail(*t, kFadeOut);
  }
  ScaleToPeak(audio, peakDb);
  return Quantise(audio, ditherSeed);
}

std::vector<int16_t> FinishLoop(Audio audio, double peakDb, uint64_t ditherSeed) {
  for (Track* t : {&audio.left, &audio.right}) {
    if (t->empty()) continue;
    double mean = 0;
    for (double v : *t) mean += v;
    mean /= static_cast<double>(t->size());
    for (double& v : *t) v -= mean;
  }
  ScaleToPeak(audio, peakDb);
  return Quantise(audio, ditherSeed);
}

std::vector<int16_t> Quantise(const Audio& audio, uint64_t ditherSeed) {
  Rng rng(ditherSeed);
  const bool stereo = audio.Stereo();
  const size_t frames = audio.left.size();
  std::vector<int16_t> out;
  out.reserve(frames * (stereo ? 2 : 1));
  auto convert = [&rng](double v) {
    const double dither = rng.Unit() - rng.Unit();
    const double s = std::clamp(std::round(v * 32767.0 + dither), -32767.0, 32767.0);
    return static_cast<int16_t>(s);
  };
  for (size_t i = 0; i < frames; ++i) {
    out.push_back(convert(audio.left[i]));
    if (stereo) out.push_back(convert(i < audio.right.size() ? audio.right[i] : 0.0));
  }
  return out;
}

}  // namespace synth
