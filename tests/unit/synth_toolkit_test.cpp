// The synthesiser's building blocks: seeded noise, oscillators, envelopes,
// filters, the reverb, and the finishing steps that make 16-bit PCM.
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

TEST(SynthRng, IsSeededAndUniform) {
  synth::Rng a(7), b(7), c(8);
  bool differs = false;
  double sum = 0, lo = 1, hi = -1;
  for (int i = 0; i < 100000; ++i) {
    const double x = a.Bipolar();
    ASSERT_EQ(x, b.Bipolar());
    differs |= x != c.Bipolar();
    sum += x, lo = std::min(lo, x), hi = std::max(hi, x);
  }
  EXPECT_TRUE(differs);
  EXPECT_NEAR(sum / 100000, 0.0, 0.01);
  EXPECT_TRUE(lo >= -1.0 && lo < -0.999 && hi < 1.0 && hi > 0.999) << lo << " " << hi;
  for (int i = 0; i < 1000; ++i) {
    const double u = a.Range(2.0, 5.0);
    ASSERT_TRUE(u >= 2.0 && u < 5.0) << u;
  }
}

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
  synth::OnePole dc, smooth;
  dc.SetCutoff(12);
  smooth.SetCutoff(12);
  double blocked = 1, passed = 0;
  for (int i = 0; i < 44100; ++i) blocked = dc.HighPass(0.5), passed = smooth.LowPass(0.5);
  EXPECT_NEAR(blocked, 0.0, 1e-6);
  EXPECT_NEAR(passed, 0.5, 1e-6);
}

TEST(SynthEnvelopes, AreContinuousAndReachTheirLevels) {
  const synth::Adsr env{0.01, 0.05, 0.6, 0.1, 0.3};
  EXPECT_EQ(env.At(-0.1) + env.At(0.0), 0.0);
  EXPECT_NEAR(env.At(0.01), 1.0, 1e-9);
  EXPECT_NEAR(env.At(0.29), 0.6, 0.01);
  EXPECT_LT(env.At(0.8), 0.01);
  double worstStep = 0;
  for (int i = 1; i < 44100; ++i) worstStep = std::max(worstStep, std::fabs(env.At(i / 44100.0) - env.At((i - 1) / 44100.0)));
  EXPECT_LT(worstStep, 0.005) << "the envelope jumps";
  EXPECT_EQ(synth::Hit(0.0, 0.002, 0.1), 0.0);
  EXPECT_NEAR(synth::Hit(0.002, 0.002, 0.1), std::exp(-0.02), 1e-9);
  for (auto [t, hz] : {std::pair{0.0, 100.0}, {0.5, 200.0}, {3.0, 400.0}}) EXPECT_DOUBLE_EQ(synth::ExpSweep(100, 400, t, 1.0), hz);
  EXPECT_DOUBLE_EQ(synth::SmoothStep(0.5, 0.0, 1.0), 0.5);
  EXPECT_EQ(synth::Samples(0.5), 22050u);
}

TEST(SynthReverb, TailDecaysAndSeedsDecorrelate) {
  synth::Reverb a(0.04, 0.7, 0.4, 1), b(0.04, 0.7, 0.4, 2);
  Track ra, rb;
  for (int i = 0; i < 88200; ++i) ra.push_back(a.Process(i == 0)), rb.push_back(b.Process(i == 0));
  EXPECT_GT(sa::RmsBetween(ra, 0.0, 0.3), 0.0);
  EXPECT_LT(sa::RmsBetween(ra, 1.5, 2.0), sa::RmsBetween(ra, 0.0, 0.3) / 100);
  EXPECT_NE(ra, rb);
}

TEST(SynthFinish, OneShotsAreNormalisedCentredAndFaded) {
  // A loud tone on a DC offset, starting and stopping abruptly.
  synth::Audio a, st;
  synth::Oscillator osc, l, r;
  for (int i = 0; i < 22050; ++i) a.left.push_back(0.3 + 2.0 * osc.Sine(300, 0.25));
  const std::vector<int16_t> pcm = synth::FinishOneShot(a, -3.0, 1);
  ASSERT_EQ(pcm.size(), 22050u);
  const Track x = sa::Channel(pcm, 1, 0);
  EXPECT_NEAR(sa::Db(sa::Peak(x)), -3.0, 0.01);
  EXPECT_LT(std::fabs(sa::Mean(x)), 0.01);
  EXPECT_LE(std::max(std::abs(pcm.front()), std::abs(pcm.back())), 1);
  EXPECT_LT(sa::WorstClick(x), 30.0);
  // Stereo stays interleaved, with one gain for both sides.
  for (int i = 0; i < 4410; ++i) st.left.push_back(0.1 * l.Sine(500)), st.right.push_back(0.05 * r.Sine(2000));
  const std::vector<int16_t> both = synth::FinishOneShot(st, -6.0, 2);
  ASSERT_EQ(both.size(), 8820u);
  const Track left = sa::Channel(both, 2, 0), right = sa::Channel(both, 2, 1);
  EXPECT_NEAR(sa::Db(sa::Peak(left)), -6.0, 0.01);
  EXPECT_NEAR(sa::Db(sa::Peak(right)), -12.0, 0.3);  // its crests fall between samples
  EXPECT_NEAR(sa::ZeroCrossingRate(left), 1000, 30);
  EXPECT_NEAR(sa::ZeroCrossingRate(right), 4000, 30);
}

TEST(SynthFinish, LoopsKeepTheirSeam) {
  // 20 whole periods plus DC: the mean goes, the wrap stays smooth, nothing is faded.
  synth::Audio a;
  for (int i = 0; i < 4410; ++i) a.left.push_back(0.2 + 0.5 * std::sin(2 * synth::kPi * 200 * i / 44100.0 + 1.0));
  const std::vector<int16_t> pcm = synth::FinishLoop(a, -6.0, 3);
  const Track x = sa::Channel(pcm, 1, 0);
  EXPECT_LT(std::fabs(sa::Mean(x)), 0.001);
  EXPECT_NEAR(sa::Db(sa::Peak(x)), -6.0, 0.01);
  EXPECT_LE(sa::SeamStepRatio(x), 1.0);
  EXPECT_GT(std::abs(pcm.front()), 10000);
  // Folding: a random walk cut at any point jumps; folded, its end meets its start.
  synth::Rng rng(5);
  Track walk(6000);
  double v = 0;
  for (double& s : walk) s = v = 0.999 * v + 0.01 * rng.Bipolar();
  const Track folded = synth::FoldLoop(walk, 5000);
  ASSERT_EQ(folded.size(), 5000u);
  EXPECT_GT(sa::SeamStepRatio(Track(walk.begin(), walk.begin() + 5000)), 3.0);
  EXPECT_LE(sa::SeamStepRatio(folded), 1.0);
  EXPECT_EQ(folded[2000], walk[2000]);  // untouched past the fade
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
  EXPECT_EQ(synth::Quantise(quarter, 4), synth::Quantise(quarter, 4));
}

}  // namespace
