#include "assetgen/sound/audio.h"

#include <algorithm>
#include <cmath>

namespace synth {

void MixInto(Track& dst, const Track& src, size_t offset, double gain) {
  for (size_t i = 0; i < src.size() && offset + i < dst.size(); ++i) dst[offset + i] += gain * src[i];
}

void PanInto(Audio& dst, const Track& src, size_t offset, double gain, double pan) {
  const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
  MixInto(dst.left, src, offset, gain * std::cos(angle));
  MixInto(dst.right, src, offset, gain * std::sin(angle));
}

double PeakOf(const Track& t) {
  double peak = 0;
  for (double v : t) peak = std::max(peak, std::fabs(v));
  return peak;
}

void NormalisePeak(Track& t) {
  const double peak = PeakOf(t);
  if (peak <= 0) return;
  for (double& v : t) v /= peak;
}

void Saturate(Track& t, double drive) {
  NormalisePeak(t);
  for (double& v : t) v = std::tanh(drive * v);
}

void FadeOutTail(Track& t, double seconds) {
  const size_t n = std::min(t.size(), Samples(seconds));
  for (size_t i = 0; i < n; ++i) t[t.size() - 1 - i] *= SmoothStep(static_cast<double>(i), 0, static_cast<double>(n));
}

}  // namespace synth
