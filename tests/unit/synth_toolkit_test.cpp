// The synthesiser's building blocks whose faults the generated sounds' own
// tests would not show: the oscillators' pitch and band limit, the filters'
// bands, a stereo sound's balance, rounding to 16-bit PCM.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <functional>

#include "assetgen/sound/finish.h"
#include "assetgen/sound/synth_toolkit.h"
#include "support/sound_analysis.h"

namespace {

namespace sa = sound_analysis;
using synth::Track;

TEST(SynthOscillator, WaveformsHaveTheirPitchAndStayInRange) {
  synth::Oscillator sine, saw, square, triangle;
  Track s, w, q, t, naive;
  for (int i = 0; i < 44100; ++i) {
    s.push_back(sine.Sine(1000));
    w.push_back(saw.Saw(441));
    q.push_back(square.Square(441));
    t.push_back(triangle.Triangle(441));
    naive.push_back(2.0 * std::fmod(441.0 * i / 44100.0, 1.0) - 1.0);
  }
  EXPECT_EQ(s[0], 0.0);  // starts at phase 0
  EXPECT_NEAR(sa::DominantHz(w), 441, 22);
  for (const Track* x : {&s, &w, &q, &t}) {
    EXPECT_NEAR(sa::ZeroCrossingRate(*x), x == &s ? 2000 : 882, 2);
    EXPECT_TRUE(sa::Peak(*x) < 1.2 && sa::Peak(*x) > 0.95) << sa::Peak(*x);
    EXPECT_NEAR(sa::Mean(*x), 0.0, 0.01);
  }
  // Band-limited: the saw has far less energy above 20 kHz than a naive ramp.
  EXPECT_LT(1.0 - sa::PowerShareBelow(w, 20000), (1.0 - sa::PowerShareBelow(naive, 20000)) / 4);
}

TEST(SynthFilters, PassAndStopTheirBands) {
  // {filter set-up, test tone, lowest and highest gain in dB}; steady-state
  // gain of a fresh filter, the first 0.1 s skipped.
  struct Case {
    std::function<void(synth::Biquad*)> set;
    double hz, low, high;
  };
  const auto lowPass = [](synth::Biquad* f) { f->SetLowPass(500, 0.707); };
  const auto highPass = [](synth::Biquad* f) { f->SetHighPass(2000, 0.707); };
  const auto bandPass = [](synth::Biquad* f) { f->SetBandPass(1000, 2.0); };
  const Case cases[] = {{lowPass, 100, -0.5, 0.5},  {lowPass, 5000, -200, -35}, {highPass, 200, -200, -35},
                        {highPass, 10000, -0.5, 0.5}, {bandPass, 1000, -0.5, 0.5}, {bandPass, 8000, -200, -20}};
  for (const Case& c : cases) {
    synth::Biquad filter;
    c.set(&filter);
    synth::Oscillator osc;
    Track out;
    for (int i = 0; i < 22050; ++i) {
      const double y = filter.Process(osc.Sine(c.hz));
      if (i >= 4410) out.push_back(y);
    }
    const double gain = sa::Db(sa::Rms(out) / std::sqrt(0.5));
    EXPECT_TRUE(gain >= c.low && gain <= c.high) << c.hz << " Hz: " << gain << " dB";
  }
}

// The generated bank's tests measure the finished sounds' levels, DC, fades,
// clicks and loop seams; what they cannot see is a stereo sound's balance.
TEST(SynthFinish, StereoStaysInterleavedWithOneGainForBothSides) {
  synth::Audio st;
  synth::Oscillator l, r;
  for (int i = 0; i < 4410; ++i) st.left.push_back(0.1 * l.Sine(500)), st.right.push_back(0.05 * r.Sine(2000));
  const std::vector<int16_t> both = synth::FinishOneShot(st, -6.0, 2);
  ASSERT_EQ(both.size(), 8820u);
  const Track left = sa::Channel(both, 2, 0), right = sa::Channel(both, 2, 1);
  EXPECT_NEAR(sa::Db(sa::Peak(left)), -6.0, 0.01);
  EXPECT_NEAR(sa::Db(sa::Peak(right)), -12.0, 0.3);  // its crests fall between samples
  EXPECT_NEAR(sa::ZeroCrossingRate(left), 1000, 30);
  EXPECT_NEAR(sa::ZeroCrossingRate(right), 4000, 30);
}

TEST(SynthFinish, QuantiseRoundsWithDitherAndClamps) {
  const std::vector<int16_t> pcm = synth::Quantise(synth::Audio{{1.5, -1.5, 0.5, -0.5, 0.0}, {}}, 9);
  EXPECT_EQ(std::tuple(pcm[0], pcm[1]), std::tuple(32767, -32767));
  EXPECT_LE(std::max({std::abs(pcm[2] - 16384), std::abs(pcm[3] + 16384), std::abs(int{pcm[4]})}), 1);
  // A level between two steps comes out right on average.
  synth::Audio quarter{Track(20000, 0.25 / 32767.0), {}};
  double sum = 0;
  for (int16_t s : synth::Quantise(quarter, 4)) sum += s;
  EXPECT_NEAR(sum / 20000, 0.25, 0.02);
}

}  // namespace
