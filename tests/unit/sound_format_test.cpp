// The loading quality's target formats and the conversions that bring a
// sound down to them: down-mix, 16 to 8 bits, and the rate reduction that
// keeps whole frames.
#include <gtest/gtest.h>

#include "audio/sound_format.h"
#include "support/sound_bank_builder.h"

using platform::PcmFormat;
using soundtest::Samples16;

namespace {

int16_t SampleAt(const std::vector<uint8_t>& d, size_t i) {
  return static_cast<int16_t>(d[2 * i] | (d[2 * i + 1] << 8));
}

// Converts data toward the quality's target; its bytes must stay as they were
// and its format become `after`.
void ExpectDataKept(std::vector<uint8_t> data, PcmFormat format, int quality, const PcmFormat& after) {
  const std::vector<uint8_t> before = data;
  EXPECT_EQ(ConvertTowardTarget(data.data(), data.size(), &format, QualityFormat(quality)), before.size());
  EXPECT_EQ(data, before);
  EXPECT_EQ(format.rate, after.rate);
  EXPECT_EQ(format.channels, after.channels);
  EXPECT_EQ(format.bits, after.bits);
}

}  // namespace

TEST(SoundFormat, QualityPicksRateBitsAndChannels) {
  struct Row {
    int rate, bits, channels;
  };
  const Row expected[12] = {
      {11025, 8, 1}, {11025, 16, 1}, {11025, 8, 2}, {11025, 16, 2},  //
      {22050, 8, 1}, {22050, 16, 1}, {22050, 8, 2}, {22050, 16, 2},  //
      {44100, 8, 1}, {44100, 16, 1}, {44100, 8, 2}, {44100, 16, 2},
  };
  for (int q = 0; q < 12; ++q) {
    const PcmFormat f = QualityFormat(q);
    EXPECT_EQ(f.rate, expected[q].rate) << "quality " << q;
    EXPECT_EQ(f.bits, expected[q].bits) << "quality " << q;
    EXPECT_EQ(f.channels, expected[q].channels) << "quality " << q;
  }
  // Out of range qualities stay within the table.
  EXPECT_EQ(QualityFormat(-3).rate, 11025);
  EXPECT_EQ(QualityFormat(40).rate, 44100);
  EXPECT_EQ(QualityFormat(40).bits, 16);
}

TEST(SoundFormat, QualityFourTakesAStereoSoundDownStepByStep) {
  // 2000 frames of 44100 Hz 16-bit stereo; frame 0 is (1000, -3000).
  std::vector<int16_t> samples(4000, 0);
  samples[0] = 1000;
  samples[1] = -3000;
  for (int f = 1; f < 2000; ++f) {
    samples[2 * f] = static_cast<int16_t>(f * 7);
    samples[2 * f + 1] = static_cast<int16_t>(-f * 3);
  }
  std::vector<uint8_t> data = Samples16(samples);
  ASSERT_EQ(data.size(), 8000u);

  std::vector<uint8_t> steps = data;
  size_t size = DownMixToMono(steps.data(), steps.size(), 16);
  EXPECT_EQ(size, 4000u);
  EXPECT_EQ(SampleAt(steps, 0), -1000);
  EXPECT_EQ(SampleAt(steps, 3), (21 - 9) / 2);
  size = ReduceTo8Bits(steps.data(), size);
  EXPECT_EQ(size, 2000u);
  EXPECT_EQ(steps[0], 125);  // -1000 / 256 truncated is -3, plus 128

  PcmFormat format{2, 44100, 16};
  size = ConvertTowardTarget(data.data(), data.size(), &format, QualityFormat(4));
  EXPECT_EQ(size, 1000u);
  EXPECT_EQ(format.channels, 1);
  EXPECT_EQ(format.bits, 8);
  EXPECT_EQ(format.rate, 22050);
  EXPECT_EQ(data[0], 125);
  // Every second frame is kept: byte k comes from frame 2k.
  for (size_t k = 1; k < 1000; ++k) {
    const int f = static_cast<int>(2 * k);
    const int mono = (f * 7 - f * 3) / 2;
    ASSERT_EQ(data[k], static_cast<uint8_t>(mono / 256 + 128)) << "byte " << k;
  }
}

TEST(SoundFormat, DownMixAndBitReductionTruncateTowardZero) {
  std::vector<uint8_t> u8 = {255, 0, 200, 101, 128, 128};
  EXPECT_EQ(DownMixToMono(u8.data(), u8.size(), 8), 3u);
  EXPECT_EQ(u8[0], 127);
  EXPECT_EQ(u8[1], 150);
  EXPECT_EQ(u8[2], 128);

  std::vector<uint8_t> s16 = Samples16({-3, 0, 3, 0, -32768, -32768, 32767, 32767});
  EXPECT_EQ(DownMixToMono(s16.data(), s16.size(), 16), 8u);
  EXPECT_EQ(SampleAt(s16, 0), -1);  // -1.5 truncated toward zero
  EXPECT_EQ(SampleAt(s16, 1), 1);
  EXPECT_EQ(SampleAt(s16, 2), -32768);
  EXPECT_EQ(SampleAt(s16, 3), 32767);

  std::vector<uint8_t> bits = Samples16({-32768, 32767, -255, 255, -256, 256, 0});
  EXPECT_EQ(ReduceTo8Bits(bits.data(), bits.size()), 7u);
  const uint8_t expected[7] = {0, 255, 128, 128, 127, 129, 128};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(bits[i], expected[i]) << "sample " << i;
}

TEST(SoundFormat, RateReductionKeepsWholeFramesAndRelabels) {
  // 16-bit stereo frames (k, -k): every third frame kept, left and right together.
  std::vector<int16_t> samples;
  for (int k = 0; k < 10; ++k) {
    samples.push_back(static_cast<int16_t>(k));
    samples.push_back(static_cast<int16_t>(-k));
  }
  std::vector<uint8_t> data = Samples16(samples);
  const size_t size = KeepEveryNthFrame(data.data(), data.size(), 4, 3);
  ASSERT_EQ(size, 3u * 4);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(SampleAt(data, 2 * k), 3 * k);
    EXPECT_EQ(SampleAt(data, 2 * k + 1), -3 * k);
  }

  // 48000 Hz at quality 11: the ratio is 1, the data stays, the rate becomes 44100.
  ExpectDataKept(Samples16({1, 2, 3, 4, 5, 6, 7, 8}), {2, 48000, 16}, 11, {2, 44100, 16});
}

TEST(SoundFormat, ASoundIsNeverRaisedToARicherFormat) {
  ExpectDataKept({10, 20, 30, 40, 50, 60, 70, 80}, {1, 11025, 8}, 11, {1, 11025, 8});
  ExpectDataKept(Samples16({-5, 5, 300, -300}), {2, 22050, 16}, 7, {2, 22050, 16});

  // 22050 Hz 8-bit stereo at quality 0: down-mixed, then every second frame.
  std::vector<uint8_t> stereo = {0, 2, 10, 12, 20, 22, 30, 32};
  PcmFormat f2{2, 22050, 8};
  ASSERT_EQ(ConvertTowardTarget(stereo.data(), stereo.size(), &f2, QualityFormat(0)), 2u);
  EXPECT_EQ(stereo[0], 1);
  EXPECT_EQ(stereo[1], 21);
  EXPECT_EQ(f2.rate, 11025);
}
