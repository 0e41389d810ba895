// The SDL2_mixer sound device, opened on SDL's dummy audio driver (the unit
// tests run headless): which sounds it takes, its memory bound, voices
// holding copies that play, stop and are released, the output format, the
// volume curve. Music: where the soundfont is found, no music for the dummy
// driver, a tune heard through SDL's disk driver until it is halted, and the
// offline rendering: in tune, looping, and a failure for a file that is no tune.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

#include "assetgen/music/midi_writer.h"
#include "platform/audio_device.h"
#include "platform/music_stream.h"
#include "support/sound_analysis.h"
#include "support/sound_bank_builder.h"

using platform::AudioDevice;
namespace sa = sound_analysis;

namespace {

// Sets an environment variable (null: unsets it) for the time it lives.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A tune of one note: key on program for noteQuarters, then silence up to
// loopQuarters, at 120 quarters a minute (half a second each).
std::vector<uint8_t> OneNoteTune(int program, int key, uint32_t noteQuarters, uint32_t loopQuarters) {
  music::MidiTrack conductor, part;
  conductor.Tempo(0, 500000);
  conductor.End(480 * loopQuarters);
  part.Program(0, 0, program);
  part.Control(0, 0, 91, 0);  // no reverb: the silence after the note is silence
  part.Note(0, 480 * noteQuarters, 0, key, 110);
  part.End(480 * loopQuarters);
  return music::EncodeMidiFile(480, {conductor, part});
}

// Waits for the condition, up to ten seconds.
template <typename Done>
bool WaitFor(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done())
    if (std::chrono::steady_clock::now() > deadline) return false;
    else std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return true;
}

}  // namespace

TEST(AudioDevice, MakesSoundsOnlyFromWholeFramesOfKnownFormatsWithinItsMemory) {
  auto dev = platform::OpenAudioDevice();
  ASSERT_NE(dev, nullptr) << "the dummy audio driver should always open";
  EXPECT_EQ(platform::OpenAudioDevice(), nullptr);  // one device at a time
  const std::vector<uint8_t> pcm(4000, 100);
  // {format, bytes, accepted}: not whole frames, 12 bits, 3 channels, rate 0,
  // nothing, or a conversion that would need more than the allowed memory.
  const std::tuple<platform::PcmFormat, size_t, bool> cases[] = {
      {{1, 11025, 8}, 4000, true},  {{2, 48000, 16}, 4000, true}, {{2, 44100, 16}, 4000, true}, {{1, 44100, 12}, 4000, false},
      {{3, 44100, 16}, 3996, false}, {{1, 0, 16}, 4000, false},   {{2, 44100, 16}, 3998, false}, {{1, 44100, 8}, 0, false},
      {{1, 1, 8}, 4000, false}};
  for (const auto& [format, size, accepted] : cases)
    EXPECT_EQ(dev->CreateSound(format, pcm.data(), size) > 0, accepted) << format.channels << " " << format.rate << " " << format.bits;
  dev.reset();
  dev = platform::OpenAudioDevice();
  ASSERT_NE(dev, nullptr);  // closing frees the device for the next opening

  // A bank of many sounds, each within bounds, once made the device hold
  // gigabytes: the bound is on all sounds together.
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
  const auto pcm = soundtest::SquareWave16(88200, 1, 8000);  // two seconds: it cannot end by itself here
  const int sound = dev->CreateSound({1, 44100, 16}, pcm.data(), pcm.size());
  ASSERT_GT(sound, 0);
  EXPECT_FALSE(dev->Play(5, false));  // no copy yet
  EXPECT_FALSE(dev->Duplicate(5, sound + 100) || dev->Duplicate(AudioDevice::kVoices, sound) || dev->Duplicate(-1, sound));
  for (int voice : {0, 5, AudioDevice::kVoices - 1}) {
    ASSERT_TRUE(dev->Duplicate(voice, sound));
    EXPECT_TRUE(dev->Rewind(voice) && dev->SetVolume(voice, 0) && dev->Play(voice, voice == 5));
    EXPECT_TRUE(dev->IsPlaying(voice)) << "voice " << voice;
  }
  EXPECT_TRUE(dev->Stop(0));
  EXPECT_FALSE(dev->IsPlaying(0));
  EXPECT_TRUE(dev->Play(0, false));  // a stopped copy can play again
  EXPECT_TRUE(dev->IsPlaying(0));
  dev->ReleaseCopy(0);
  EXPECT_FALSE(dev->IsPlaying(0) || dev->Stop(0));
  // Freeing the sound stops its copies; the handle is gone.
  dev->ReleaseSound(sound);
  EXPECT_FALSE(dev->IsPlaying(5) || dev->Play(5, false) || dev->Duplicate(5, sound));
}

TEST(AudioDevice, OutputFormatChangesOnlyBeforeSoundsExistAndAttenuationBecomesAVolume) {
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
  // No amplification; -6.02 dB halves the amplitude, -20 dB is a tenth.
  for (auto [hundredths, volume] : {std::pair{0, 128}, {500, 128}, {-602, 64}, {-2000, 13}, {-10000, 0}})
    EXPECT_EQ(platform::MixerVolume(hundredths), volume) << hundredths;
  for (int a = 0; a > -10000; a -= 100) EXPECT_GE(platform::MixerVolume(a), platform::MixerVolume(a - 100));
}

TEST(MusicStream, SoundfontsComeFromSdlSoundfontsOrTheInstalledOnes) {
  const std::vector<uint8_t> bytes{1, 2, 3};
  const std::string font = testfiles::WriteTestFile("fonts", "font.sf2", &bytes), missing = font + ".missing";
  // Only the files that are there; the setting is kept even when it finds nothing.
  for (auto [setting, found] : {std::pair{font, font}, {missing + ":" + font + ";" + missing, font}, {missing, std::string()}}) {
    ScopedEnv env("SDL_SOUNDFONTS", setting.c_str());
    EXPECT_EQ(platform::FindSoundFonts(), found) << setting;
  }
  // Without the setting, the installed ones: the music heard end to end.
  auto device = platform::OpenAudioDevice();  // the dummy driver: no music
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(platform::MusicStream::Open(), nullptr);
}

TEST(MusicStream, ATuneIsHeardUntilItIsHalted) {
  const std::vector<uint8_t> organ = OneNoteTune(19, 69, 16, 16);  // an organ note held eight seconds
  const std::string tune = testfiles::WriteTestFile("music", "organ.mid", &organ), heard = tune + ".raw";
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", heard.c_str());
  auto device = platform::OpenAudioDevice();
  ASSERT_NE(device, nullptr);
  auto stream = platform::MusicStream::Open();
  ASSERT_NE(stream, nullptr) << "no soundfont: install timgm6mb-soundfont";
  EXPECT_EQ(platform::MusicStream::Open(), nullptr);  // one at a time
  ASSERT_TRUE(stream->Play(tune));
  const uint64_t start = platform::MusicFramesPlayed();
  ASSERT_TRUE(WaitFor([&] { return platform::MusicFramesPlayed() - start >= 44100 / 2; }));
  stream->Halt();
  EXPECT_FALSE(platform::MusicPlaying());
  // Half a second more of output after the halt.
  const uintmax_t atHalt = std::filesystem::file_size(heard);
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::file_size(heard) >= atHalt + 44100 * 4 / 2; }));
  stream.reset();
  device.reset();

  const std::vector<uint8_t> bytes = testfiles::ReadTestFile(heard);
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  const std::vector<double> mix = sa::Mix(samples, 2);
  const double seconds = static_cast<double>(mix.size()) / sa::kRate;
  EXPECT_GT(sa::Peak(mix), 0.01) << "the tune was not heard";
  // The note would sound for eight seconds: after the halt only silence.
  EXPECT_EQ(sa::Peak(sa::Slice(mix, seconds - 0.3, seconds)), 0.0);
}

TEST(MusicStream, RenderingPlaysTheTuneInTuneAndLoopsIt) {
  // A4 for half a second, then half a second of silence, over and over.
  std::vector<int16_t> samples;
  std::string error;
  ASSERT_TRUE(platform::RenderMusic(OneNoteTune(0, 69, 1, 2), 2.5, &samples, &error)) << error;
  ASSERT_EQ(samples.size(), 2u * 2.5 * 44100);
  const std::vector<double> mix = sa::Mix(samples, 2);
  for (double start : {0.0, 1.0, 2.0}) {
    const std::vector<double> note = sa::Slice(mix, start + 0.05, start + 0.45);
    EXPECT_NEAR(sa::DominantHz(note), 440.0, 22.0) << start;
    EXPECT_GT(sa::Rms(note), 20 * sa::Rms(sa::Slice(mix, start + 0.9, start + 1.0))) << start;
  }
  EXPECT_FALSE(platform::RenderMusic({'n', 'o', 't', ' ', 'a', ' ', 't', 'u', 'n', 'e'}, 1.0, &samples, &error));
  EXPECT_FALSE(error.empty());
}
