// Measurements of PCM sounds for the tests: levels, DC, brightness
// (spectral centroid, zero crossings), clicks and loop seams. Independent of
// the synthesiser: it sees only samples. Header-only; any thread.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

namespace sound_analysis {

constexpr double kRate = 44100.0;

// One channel of interleaved 16-bit samples, scaled to -1..1.
inline std::vector<double> Channel(const std::vector<int16_t>& samples, int channels, int which) {
  std::vector<double> out;
  for (size_t i = static_cast<size_t>(which); i < samples.size(); i += static_cast<size_t>(channels))
    out.push_back(samples[i] / 32768.0);
  return out;
}

// The average of all channels, scaled to -1..1.
inline std::vector<double> Mix(const std::vector<int16_t>& samples, int channels) {
  std::vector<double> out(samples.size() / static_cast<size_t>(channels), 0.0);
  for (size_t i = 0; i < out.size() * static_cast<size_t>(channels); ++i)
    out[i / static_cast<size_t>(channels)] += samples[i] / 32768.0 / channels;
  return out;
}

inline double Peak(const std::vector<double>& x) {
  return std::accumulate(x.begin(), x.end(), 0.0, [](double p, double v) { return std::max(p, std::fabs(v)); });
}

inline double Rms(const std::vector<double>& x) {
  return x.empty() ? 0 : std::sqrt(std::inner_product(x.begin(), x.end(), x.begin(), 0.0) / static_cast<double>(x.size()));
}

inline double Mean(const std::vector<double>& x) {
  return x.empty() ? 0 : std::accumulate(x.begin(), x.end(), 0.0) / static_cast<double>(x.size());
}

inline double Db(double ratio) { return 20.0 * std::log10(std::max(ratio, 1e-12)); }

// Sign changes per second.
inline double ZeroCrossingRate(const std::vector<double>& x) {
  size_t count = 0;
  for (size_t i = 1; i < x.size(); ++i) count += (x[i - 1] < 0) != (x[i] < 0);
  return x.size() < 2 ? 0 : count * kRate / static_cast<double>(x.size());
}

// In place, radix 2 (the size a power of two).
inline void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  if (n < 2) return;
  std::vector<std::complex<double>> even(n / 2), odd(n / 2);
  for (size_t i = 0; i < n / 2; ++i) {
    even[i] = a[2 * i];
    odd[i] = a[2 * i + 1];
  }
  Fft(even);
  Fft(odd);
  for (size_t k = 0; k < n / 2; ++k) {
    const std::complex<double> t = std::polar(1.0, -2.0 * M_PI * static_cast<double>(k) / static_cast<double>(n)) * odd[k];
    a[k] = even[k] + t;
    a[k + n / 2] = even[k] - t;
  }
}

// Power spectrum summed over Hann-windowed frames of 2048 samples (half
// overlapping; a short sound is zero-padded into one frame). Bin k is k * 44100 / 2048 Hz.
inline std::vector<double> PowerSpectrum(const std::vector<double>& x) {
  constexpr size_t kFrame = 2048;
  std::vector<double> power(kFrame / 2 + 1, 0.0);
  for (size_t start = 0; start == 0 || start + kFrame <= x.size(); start += kFrame / 2) {
    std::vector<std::complex<double>> frame(kFrame);
    for (size_t i = 0; i < kFrame; ++i) {
      const double w = 0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / kFrame);
      frame[i] = start + i < x.size() ? x[start + i] * w : 0.0;
    }
    Fft(frame);
    for (size_t k = 0; k < power.size(); ++k) power[k] += std::norm(frame[k]);
  }
  return power;
}

inline double BinHz(size_t k) { return static_cast<double>(k) * kRate / 2048.0; }

// The power-weighted mean of weight(Hz) over the bins but the first.
template <typename Weight>
double PowerWeighted(const std::vector<double>& x, Weight weight) {
  const std::vector<double> p = PowerSpectrum(x);
  double sum = 0, weighted = 0;
  for (size_t k = 1; k < p.size(); ++k) {
    sum += p[k];
    weighted += p[k] * weight(BinHz(k));
  }
  return sum > 0 ? weighted / sum : 0;
}

// Power-weighted mean frequency in Hz.
inline double SpectralCentroid(const std::vector<double>& x) {
  return PowerWeighted(x, [](double f) { return f; });
}

// Share of the power below hz.
inline double PowerShareBelow(const std::vector<double>& x, double hz) {
  return PowerWeighted(x, [hz](double f) { return f < hz ? 1.0 : 0.0; });
}

// Frequency of the strongest bin in Hz.
inline double DominantHz(const std::vector<double>& x) {
  const std::vector<double> p = PowerSpectrum(x);
  return BinHz(static_cast<size_t>(std::max_element(p.begin() + 1, p.end()) - p.begin()));
}

// The samples between two times in seconds.
inline std::vector<double> Slice(const std::vector<double>& x, double from, double to) {
  const size_t a = std::min(x.size(), static_cast<size_t>(from * kRate));
  const size_t b = std::max(a, std::min(x.size(), static_cast<size_t>(to * kRate)));
  return std::vector<double>(x.begin() + static_cast<std::ptrdiff_t>(a), x.begin() + static_cast<std::ptrdiff_t>(b));
}

// RMS of the samples between two times in seconds.
inline double RmsBetween(const std::vector<double>& x, double from, double to) { return Rms(Slice(x, from, to)); }

// Clicks: the largest second difference, relative to the RMS of the second
// differences around it (about 6 ms either side, the sample itself left
// out). A step or spike in a smooth signal stands far above its
// neighbourhood; noise and tones do not. Samples whose second difference is
// below floor (dither, silence) are not judged.
inline double WorstClick(const std::vector<double>& x, double floor = 0.002) {
  if (x.size() < 3) return 0;
  std::vector<double> d2(x.size(), 0.0);
  for (size_t i = 2; i < x.size(); ++i) d2[i] = x[i] - 2 * x[i - 1] + x[i - 2];
  std::vector<double> prefix(d2.size() + 1, 0.0);
  for (size_t i = 0; i < d2.size(); ++i) prefix[i + 1] = prefix[i] + d2[i] * d2[i];
  constexpr size_t kHalf = 256, kGap = 2;
  double worst = 0;
  for (size_t i = 2; i < d2.size(); ++i) {
    if (std::fabs(d2[i]) < floor) continue;
    const size_t a = i > kHalf ? i - kHalf : 0, b = std::min(d2.size(), i + kHalf + 1);
    const size_t ga = i > kGap ? i - kGap : 0, gb = std::min(d2.size(), i + kGap + 1);
    const double energy = prefix[b] - prefix[a] - (prefix[gb] - prefix[ga]);
    const double count = static_cast<double>((b - a) - (gb - ga));
    const double local = std::sqrt(std::max(energy, 0.0) / std::max(count, 1.0));
    worst = std::max(worst, std::fabs(d2[i]) / std::max(local, 1e-9));
  }
  return worst;
}

// Loop seam: the jump from the last sample to the first, relative to the
// 99th percentile of the sample-to-sample steps inside the loop.
inline double SeamStepRatio(const std::vector<double>& x) {
  std::vector<double> steps;
  for (size_t i = 1; i < x.size(); ++i) steps.push_back(std::fabs(x[i] - x[i - 1]));
  if (steps.empty()) return 0;
  std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(steps.size() * 99 / 100), steps.end());
  const double typical = steps[steps.size() * 99 / 100];
  return std::fabs(x.front() - x.back()) / std::max(typical, 1e-9);
}

}  // namespace sound_analysis
