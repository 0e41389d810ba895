// The SDL2_mixer sound device, opened on SDL's dummy audio driver (the unit
// tests run headless): which sounds it takes, voices holding copies that play,
// stop and are released, the output format, and the volume curve.
#include <gtest/gtest.h>

#include "platform/audio_device.h"
#include "support/sound_bank_builder.h"

using platform::AudioDevice;
using platform::PcmFormat;

TEST(AudioDevice, MakesSoundsOnlyFromWholeFramesOfKnownFormats) {
  auto dev = platform::OpenAudioDevice();
  ASSERT_NE(dev, nullptr) << "the dummy audio driver should always open";
  EXPECT_EQ(platform::OpenAudioDevice(), nullptr);  // one device at a time

  const std::vector<uint8_t> pcm(4000, 100);
  EXPECT_GT(dev->CreateSound({1, 11025, 8}, pcm.data(), pcm.size()), 0);
  EXPECT_GT(dev->CreateSound({2, 48000, 16}, pcm.data(), pcm.size()), 0);
  EXPECT_GT(dev->CreateSound({2, 44100, 16}, pcm.data(), pcm.size()), 0);
  EXPECT_EQ(dev->CreateSound({1, 44100, 12}, pcm.data(), pcm.size()), 0);
  EXPECT_EQ(dev->CreateSound({3, 44100, 16}, pcm.data(), 3996), 0);
  EXPECT_EQ(dev->CreateSound({1, 0, 16}, pcm.data(), pcm.size()), 0);
  EXPECT_EQ(dev->CreateSound({2, 44100, 16}, pcm.data(), 3998), 0);  // not whole frames
  EXPECT_EQ(dev->CreateSound({1, 44100, 8}, pcm.data(), 0), 0);
  // A sound whose conversion would need more than the allowed memory.
  EXPECT_EQ(dev->CreateSound({1, 1, 8}, pcm.data(), pcm.size()), 0);

  dev.reset();
  auto again = platform::OpenAudioDevice();
  EXPECT_NE(again, nullptr);  // closing frees the device for the next opening
}

TEST(AudioDevice, AllItsSoundsTogetherStayWithinItsMemory) {
  // A bank of many low-rate sounds, each within bounds, once made the device
  // hold gigabytes: the bound is on all sounds together.
  auto dev = platform::OpenAudioDevice();
  ASSERT_NE(dev, nullptr);
  const std::vector<uint8_t> quarter(platform::kMaxSoundBytes / 4, 7);  // no conversion needed
  std::vector<int> held;
  for (int i = 0; i < 4; ++i) held.push_back(dev->CreateSound({2, 44100, 16}, quarter.data(), quarter.size()));
  for (int h : held) EXPECT_GT(h, 0);
  EXPECT_EQ(dev->CreateSound({2, 44100, 16}, quarter.data(), 4), 0);
  EXPECT_EQ(dev->CreateSound({1, 11025, 8}, quarter.data(), 4), 0);
  dev->ReleaseSound(held[2]);
  EXPECT_GT(dev->CreateSound({2, 44100, 16}, quarter.data(), quarter.size()), 0);
}

TEST(AudioDevice, VoicesPlayStopAndReleaseCopies) {
  auto dev = platform::OpenAudioDevice();
  ASSERT_NE(dev, nullptr);
  // Two seconds of sound: it cannot end by itself while the test runs.
  const auto pcm = soundtest::SquareWave16(88200, 1, 8000);
  const int sound = dev->CreateSound({1, 44100, 16}, pcm.data(), pcm.size());
  ASSERT_GT(sound, 0);

  EXPECT_FALSE(dev->Play(5, false));  // no copy yet
  EXPECT_FALSE(dev->Duplicate(5, sound + 100));
  EXPECT_FALSE(dev->Duplicate(AudioDevice::kVoices, sound));
  EXPECT_FALSE(dev->Duplicate(-1, sound));

  for (int voice : {0, 5, AudioDevice::kVoices - 1}) {
    ASSERT_TRUE(dev->Duplicate(voice, sound));
    EXPECT_TRUE(dev->Rewind(voice));
    EXPECT_TRUE(dev->SetVolume(voice, 0));
    EXPECT_TRUE(dev->Play(voice, voice == 5));
    EXPECT_TRUE(dev->IsPlaying(voice)) << "voice " << voice;
  }
  EXPECT_TRUE(dev->Stop(0));
  EXPECT_FALSE(dev->IsPlaying(0));
  EXPECT_TRUE(dev->Play(0, false));  // a stopped copy can play again
  EXPECT_TRUE(dev->IsPlaying(0));
  dev->ReleaseCopy(0);
  EXPECT_FALSE(dev->IsPlaying(0));
  EXPECT_FALSE(dev->Stop(0));

  // Freeing the sound stops its copies; the handle is gone.
  dev->ReleaseSound(sound);
  EXPECT_FALSE(dev->IsPlaying(5));
  EXPECT_FALSE(dev->Play(5, false));
  EXPECT_FALSE(dev->Duplicate(5, sound));
}

TEST(AudioDevice, OutputFormatChangesOnlyBeforeSoundsExist) {
  auto dev = platform::OpenAudioDevice();
  ASSERT_NE(dev, nullptr);
  EXPECT_TRUE(dev->SetOutputFormat({2, 44100, 16}));
  EXPECT_FALSE(dev->SetOutputFormat({2, 44100, 24}));
  EXPECT_TRUE(dev->SetOutputFormat({1, 22050, 8}));
  const std::vector<uint8_t> pcm(400, 128);
  const int sound = dev->CreateSound({2, 44100, 16}, pcm.data(), pcm.size());
  ASSERT_GT(sound, 0);
  EXPECT_FALSE(dev->SetOutputFormat({2, 44100, 16}));
  dev->ReleaseSound(sound);
  EXPECT_TRUE(dev->SetOutputFormat({2, 44100, 16}));
}

TEST(AudioDevice, AttenuationBecomesAMixerVolume) {
  EXPECT_EQ(platform::MixerVolume(0), 128);
  EXPECT_EQ(platform::MixerVolume(500), 128);  // no amplification
  EXPECT_EQ(platform::MixerVolume(-602), 64);  // -6.02 dB halves the amplitude
  EXPECT_EQ(platform::MixerVolume(-2000), 13);  // -20 dB: a tenth
  EXPECT_EQ(platform::MixerVolume(-10000), 0);
  for (int a = 0; a > -10000; a -= 100) EXPECT_GE(platform::MixerVolume(a), platform::MixerVolume(a - 100));
}
