// Music through SDL2_mixer: where the soundfont is found, no music for the
// dummy driver, a tune heard through SDL's disk driver until it is halted,
// and the offline rendering: in tune, looping, and a failure for a file
// that is no tune.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include "assetgen/music/midi_writer.h"
#include "platform/audio_device.h"
#include "platform/music_stream.h"
#include "support/sound_analysis.h"

namespace {

// Sets an environment variable (null: unsets it) for the time it lives.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string TestDir() {
  const std::string dir = testing::TempDir() + "/music_stream_" + std::to_string(getpid());
  std::filesystem::create_directories(dir);
  return dir;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

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

template <typename Done>
bool WaitFor(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace

TEST(MusicStream, SoundfontsComeFromSdlSoundfontsOrTheInstalledOnes) {
  const std::string dir = TestDir(), font = dir + "/font.sf2", missing = dir + "/missing.sf2";
  WriteBytes(font, {1, 2, 3});
  {
    ScopedEnv env("SDL_SOUNDFONTS", font.c_str());
    EXPECT_EQ(platform::FindSoundFonts(), font);
  }
  {
    ScopedEnv env("SDL_SOUNDFONTS", (missing + ":" + font + ";" + missing).c_str());
    EXPECT_EQ(platform::FindSoundFonts(), font);  // only the files that are there
  }
  {
    ScopedEnv env("SDL_SOUNDFONTS", missing.c_str());
    EXPECT_EQ(platform::FindSoundFonts(), "");  // the setting is kept even when it finds nothing
  }
  ScopedEnv env("SDL_SOUNDFONTS", nullptr);
  const std::string installed = platform::FindSoundFonts();
  EXPECT_TRUE(installed.empty() || std::filesystem::is_regular_file(installed)) << installed;
}

TEST(MusicStream, NoMusicIsMadeForTheDummyDriver) {
  auto device = platform::OpenAudioDevice();  // unit tests run on the dummy driver
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(platform::MusicStream::Open(), nullptr);
}

TEST(MusicStream, ATuneIsHeardUntilItIsHalted) {
  const std::string dir = TestDir(), heard = dir + "/heard.raw", tune = dir + "/organ.mid";
  WriteBytes(tune, OneNoteTune(19, 69, 16, 16));  // an organ note held eight seconds
  std::filesystem::remove(heard);
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", heard.c_str());
  auto device = platform::OpenAudioDevice();
  ASSERT_NE(device, nullptr);
  auto stream = platform::MusicStream::Open();
  ASSERT_NE(stream, nullptr) << "no soundfont: install timgm6mb-soundfont";
  EXPECT_EQ(platform::MusicStream::Open(), nullptr);  // one at a time

  EXPECT_FALSE(stream->Play(dir + "/no-such-tune.mid"));
  EXPECT_FALSE(platform::MusicPlaying());
  ASSERT_TRUE(stream->Play(tune));
  const uint64_t start = platform::MusicFramesPlayed();
  ASSERT_TRUE(WaitFor([&] { return platform::MusicFramesPlayed() - start >= 44100 / 2; }));
  stream->Halt();
  EXPECT_FALSE(platform::MusicPlaying());
  // Half a second more of output after the halt.
  const auto size = [&] { return std::filesystem::file_size(heard); };
  const uintmax_t atHalt = size();
  ASSERT_TRUE(WaitFor([&] { return size() >= atHalt + 44100 * 4 / 2; }));
  stream.reset();
  device.reset();

  std::ifstream f(heard, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(f)), {});
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  const std::vector<double> mix = sound_analysis::Mix(samples, 2);
  const double seconds = static_cast<double>(mix.size()) / sound_analysis::kRate;
  EXPECT_GT(sound_analysis::Peak(mix), 0.01) << "the tune was not heard";
  // The note would sound for eight seconds: after the halt only silence.
  EXPECT_EQ(sound_analysis::Peak(sound_analysis::Slice(mix, seconds - 0.3, seconds)), 0.0);
}

TEST(MusicStream, RenderingPlaysTheTuneInTuneAndLoopsIt) {
  // A4 for half a second, then half a second of silence, over and over.
  std::vector<int16_t> samples;
  std::string error;
  ASSERT_TRUE(platform::RenderMusic(OneNoteTune(0, 69, 1, 2), 2.5, &samples, &error)) << error;
  ASSERT_EQ(samples.size(), 2u * 2.5 * 44100);
  const std::vector<double> mix = sound_analysis::Mix(samples, 2);
  for (double start : {0.0, 1.0, 2.0}) {
    SCOPED_TRACE(start);
    const std::vector<double> note = sound_analysis::Slice(mix, start + 0.05, start + 0.45);
    EXPECT_NEAR(sound_analysis::DominantHz(note), 440.0, 22.0);
    EXPECT_GT(sound_analysis::Rms(note), 20 * sound_analysis::Rms(sound_analysis::Slice(mix, start + 0.9, start + 1.0)));
  }

  const std::vector<uint8_t> notATune = {'n', 'o', 't', ' ', 'a', ' ', 't', 'u', 'n', 'e'};
  EXPECT_FALSE(platform::RenderMusic(notATune, 1.0, &samples, &error));
  EXPECT_FALSE(error.empty());
}
