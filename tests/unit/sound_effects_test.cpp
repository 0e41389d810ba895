// The sound bank writer and the generated bank: the layout byte for byte as
// the tests' own bank builder writes it, sounds the writer refuses, the WAV
// review files, the same bytes on every run, and every effect (as the game
// loads it) measured: clean (no silence,
// clipping, DC, clicks or broken loop seams) and of the character its use
// asks for (bright ticks, low booms, rising shimmer, ...).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "assetgen/generators.h"
#include "assetgen/sound/sound_bank.h"
#include "assetgen/sound/wav_file.h"
#include "fake_audio_device.h"
#include "support/sound_analysis.h"
#include "support/sound_bank_builder.h"

namespace {

namespace sa = sound_analysis;
using soundtest::LoadedSound;
using testfiles::ReadTestFile;

constexpr double kClickLimit = 30.0;

// The lowest `bytes` bytes at `at`, little-endian.
uint32_t ReadLe(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}

synth::PcmSound MakeSound(int slot, int channels, bool loop, size_t frames, int16_t base) {
  synth::PcmSound s{};
  s.slot = slot;
  s.name = "test";
  s.channels = channels;
  s.loop = loop;
  for (size_t i = 0; i < frames * static_cast<size_t>(channels); ++i) s.samples.push_back(static_cast<int16_t>(base - static_cast<int>(i) * 37));
  return s;
}

const std::string kBuiltBank = std::string(BULWARK_BUILD_DIR) + "/data/sound.sdf";

// The bank the build wrote, as the game loads it.
const std::vector<LoadedSound>& GeneratedBank() {
  static const std::vector<LoadedSound> sounds = soundtest::LoadSounds(kBuiltBank);
  return sounds;
}

double Seconds(int sound) {
  const LoadedSound& s = GeneratedBank()[sound];
  return s.channels ? s.samples.size() / static_cast<double>(s.channels) / sa::kRate : 0;
}

// The sound's channels mixed to one.
std::vector<double> Mono(int sound) {
  const LoadedSound& s = GeneratedBank()[sound];
  return sa::Mix(s.samples, std::max(s.channels, 1));
}

// The builder makes the banks the game's loader is tested with.
TEST(SoundBankWriter, WritesTheLayoutTheGamesBanksAreBuiltWith) {
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(synth::EncodeSoundBank({}, &bytes, &error)) << error;
  EXPECT_EQ(bytes, soundtest::BuildSoundBank({})) << "an empty bank is the bare header";
  // Given out of order: the writer stores data in ascending sound order.
  const std::vector<synth::PcmSound> sounds = {MakeSound(9, 1, false, 300, 1000), MakeSound(5, 2, false, 250, -32768),
                                               MakeSound(400, 1, true, 7, 32767), MakeSound(1, 1, false, 1, -5)};
  ASSERT_TRUE(synth::EncodeSoundBank(sounds, &bytes, &error)) << error;
  std::vector<soundtest::BankSound> expected;
  for (const synth::PcmSound& s : {sounds[3], sounds[1], sounds[0], sounds[2]})
    expected.push_back({s.slot, static_cast<uint8_t>(s.channels), 44100, 16, s.loop, soundtest::Samples16(s.samples)});
  EXPECT_EQ(bytes, soundtest::BuildSoundBank(expected));
}

TEST(SoundBankWriter, RejectsSoundsItCannotStore) {
  synth::PcmSound ragged = MakeSound(3, 2, false, 10, 0), triple = MakeSound(3, 1, false, 10, 0);
  ragged.samples.pop_back();
  triple.channels = 3;
  const std::pair<std::vector<synth::PcmSound>, std::string> cases[] = {
      {{MakeSound(0, 1, false, 4, 0)}, "sound 0: number outside 1..400"},
      {{MakeSound(401, 1, false, 4, 0)}, "sound 401: number outside 1..400"},
      {{MakeSound(7, 1, false, 4, 0), MakeSound(7, 2, false, 4, 0)}, "sound 7: given twice"},
      {{triple}, "sound 3: channel count must be 1 or 2"},
      {{ragged}, "sound 3: samples are not whole frames"},
  };
  for (const auto& [sounds, message] : cases) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(synth::EncodeSoundBank(sounds, &bytes, &error)) << message;
    EXPECT_EQ(error, message);
  }
}

TEST(WavWriter, WritesAStandardPcmHeader) {
  const synth::PcmSound stereo = MakeSound(6, 2, false, 100, 12345);
  const std::vector<uint8_t> wav = synth::EncodeWav(stereo);
  ASSERT_EQ(wav.size(), 44u + 400u);
  EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4) | std::memcmp(wav.data() + 8, "WAVEfmt ", 8) | std::memcmp(wav.data() + 36, "data", 4), 0);
  // {offset, bytes, value}: sizes, PCM, channels, rate, bytes per second, block align, bits, data size, samples.
  const uint32_t fields[][3] = {{4, 4, 436}, {16, 4, 16},   {20, 2, 1},  {22, 2, 2},     {24, 4, 44100}, {28, 4, 176400},
                                {32, 2, 4},  {34, 2, 16},   {40, 4, 400}, {44, 2, 12345}, {46, 2, 12345 - 37}};
  for (const auto& f : fields) EXPECT_EQ(ReadLe(wav, f[0], static_cast<int>(f[1])), f[2]) << "at " << f[0];
  EXPECT_EQ(synth::WavFileName(stereo), "sound06_test.wav");
  EXPECT_EQ(ReadLe(synth::EncodeWav(MakeSound(22, 1, false, 3, 0)), 32, 2), 2u);  // a mono frame's bytes
}

TEST(GeneratedSoundBank, HoldsSounds2To22AndIsTheSameOnEveryRun) {
  // Through the registered generator, as against the build's (another process's) bank.
  const std::string dir = testfiles::TestDir("sound");
  std::string error;
  for (const Generator& g : AllGenerators())
    EXPECT_TRUE(std::string(g.name) != "sound.sdf" || g.write(dir, &error)) << error;
  const std::vector<uint8_t> built = ReadTestFile(kBuiltBank);
  ASSERT_FALSE(built.empty()) << "sound.sdf is not generated";
  EXPECT_TRUE(ReadTestFile(dir + "/sound.sdf") == built) << "two runs wrote different bytes";
  std::filesystem::remove_all(dir);
  // The format of every sound the writer's own test pins.
  for (int i = 1; i <= 400; ++i) {
    const bool used = i >= 2 && i <= 22, loops = i == 3 || i == 16;
    EXPECT_EQ(GeneratedBank()[i].channels != 0, used) << "sound " << i;
    EXPECT_EQ(GeneratedBank()[i].loop, loops) << "sound " << i;
    EXPECT_TRUE(!used || (loops ? Seconds(i) >= 0.5 : Seconds(i) < 2.0)) << "sound " << i << ": " << Seconds(i);
  }
}

TEST(GeneratedSoundBank, EverySoundIsCleanAtItsLevel) {
  for (int i = 2; i <= 22; ++i) {
    const LoadedSound& e = GeneratedBank()[i];
    ASSERT_GT(e.channels, 0) << "sound " << i;
    for (int c = 0; c < e.channels; ++c) {
      SCOPED_TRACE("sound " + std::to_string(i) + " channel " + std::to_string(c));
      const std::vector<double> x = sa::Channel(e.samples, e.channels, c);
      EXPECT_GT(sa::Db(sa::Rms(x)), -35.0) << "too quiet";
      EXPECT_LT(sa::Db(sa::Peak(x)), -0.9) << "no headroom";
      EXPECT_GT(sa::Db(sa::Peak(x)), -15.0);
      EXPECT_EQ(std::count_if(e.samples.begin(), e.samples.end(), [](int16_t s) { return s >= 32767 || s <= -32767; }), 0) << "clipped";
      EXPECT_LT(std::fabs(sa::Mean(x)), 0.002) << "DC offset";
      if (e.loop) {
        EXPECT_LE(sa::SeamStepRatio(x), 1.0) << "the loop jumps where it wraps";
        std::vector<double> turned = x;  // started at its middle, so that the seam lies inside
        std::rotate(turned.begin(), turned.begin() + static_cast<std::ptrdiff_t>(turned.size() / 2), turned.end());
        EXPECT_LT(sa::WorstClick(turned), kClickLimit) << "click inside or at the seam";
      } else {
        EXPECT_LT(sa::WorstClick(x), kClickLimit) << "click";
        EXPECT_LE(std::max(std::fabs(x.front()), std::fabs(x.back())) * 32768, 4.0) << "does not start and end at silence";
      }
    }
  }
}

TEST(GeneratedSoundBank, EachSoundHasTheCharacterOfItsUse) {
  // {sound, seconds, spectral centroid, dominant Hz} within [low, high]: the
  // ding, the fuse's fizz, the clank, the rubbery bounce, the fanfare, the
  // pop, the thumps, the shimmer, the booms, the crack, the drill's whine,
  // the menu tick and click, the ground's rumble.
  struct Row {
    int sound;
    double seconds[2], centroid[2], hz[2];
  };
  constexpr double kAny = 1e9;
  const Row rows[] = {{2, {0, kAny}, {0, kAny}, {1000, kAny}}, {3, {0, kAny}, {3000, kAny}, {0, kAny}},  {4, {0, 0.4}, {0, kAny}, {300, kAny}},
                      {5, {0, kAny}, {0, kAny}, {150, 500}},   {6, {1.0, kAny}, {0, kAny}, {200, 1500}},  {7, {0, 0.2}, {0, kAny}, {0, kAny}},
                      {11, {0, kAny}, {800, kAny}, {0, kAny}}, {14, {0, 0.5}, {0, kAny}, {0, kAny}},      {16, {0, kAny}, {0, kAny}, {300, 2000}},
                      {17, {0, 0.06}, {2000, kAny}, {0, kAny}}, {18, {0, 0.06}, {2000, kAny}, {0, kAny}}, {19, {1.0, kAny}, {0, 800}, {0, kAny}}};
  auto centroid = [](int i) { return sa::SpectralCentroid(Mono(i)); };
  for (const Row& r : rows) {
    const double measured[3] = {Seconds(r.sound), centroid(r.sound), sa::DominantHz(Mono(r.sound))};
    const double* bounds[3] = {r.seconds, r.centroid, r.hz};
    for (int m = 0; m < 3; ++m)
      EXPECT_TRUE(measured[m] >= bounds[m][0] && measured[m] <= bounds[m][1]) << "sound " << r.sound << " measure " << m << ": " << measured[m];
  }
  // Menu tick and click well below the explosions. Explosions: low, loudest
  // at the start, dying away; the large one deeper and longer than the grenade's.
  for (int i : {17, 18}) EXPECT_LT(sa::Peak(Mono(i)), sa::Peak(Mono(21)) / 2) << i;
  for (int i : {13, 15, 20, 21, 22}) {
    EXPECT_TRUE(Seconds(i) >= 0.8 && centroid(i) < 800 && sa::PowerShareBelow(Mono(i), 200) > 0.3) << i;
    EXPECT_EQ(sa::Peak(sa::Slice(Mono(i), 0, 0.25)), sa::Peak(Mono(i))) << i << " is not loudest at the start";
    EXPECT_LT(sa::RmsBetween(Mono(i), Seconds(i) - 0.1, Seconds(i)), sa::Rms(Mono(i)) / 4) << i << " does not die away";
  }
  EXPECT_TRUE(centroid(13) < centroid(15) && Seconds(13) > Seconds(15) && centroid(21) < centroid(15));
  EXPECT_GT(centroid(14), 2 * centroid(15)) << "the bomblet's crack is brighter than a boom";
  // Launch thumps low, the heavy one longer.
  for (int i : {9, 10}) EXPECT_TRUE(Seconds(i) < 1.0 && sa::PowerShareBelow(Mono(i), 300) > 0.7) << i;
  EXPECT_GT(Seconds(10), Seconds(9));
  // Missile launch: a noisy whoosh whose band rises, then falls away.
  EXPECT_GT(sa::ZeroCrossingRate(Mono(8)), 2000);
  EXPECT_GT(sa::SpectralCentroid(sa::Slice(Mono(8), 0.2, 0.35)), 1.5 * sa::SpectralCentroid(sa::Slice(Mono(8), 0.7, 0.95)));
  // Ball launch: a spring whose pitch glides up.
  EXPECT_GT(sa::ZeroCrossingRate(sa::Slice(Mono(12), 0.25, 0.4)), 2.5 * sa::ZeroCrossingRate(sa::Slice(Mono(12), 0.01, 0.05)));
  EXPECT_EQ(GeneratedBank()[6].channels, 2) << "the fanfare is stereo";
}

TEST(GeneratedSoundBank, WavReviewFilesHoldTheSameSounds) {
  const std::string dir = testfiles::TestDir("wav");
  std::string error;
  ASSERT_TRUE(WriteSoundWavs(dir + "/review", &error)) << error;  // creates the folder
  size_t files = 0;
  for (const auto& item : std::filesystem::directory_iterator(dir + "/review")) {
    // "soundNN_name.wav": its samples are sound NN's (the empty slots have none).
    const std::string name = item.path().filename().string();
    const std::vector<uint8_t> wav = ReadTestFile(item.path().string());
    std::vector<int16_t> samples;
    for (size_t k = 44; k + 1 < wav.size(); k += 2) samples.push_back(static_cast<int16_t>(ReadLe(wav, k, 2)));
    EXPECT_EQ(samples, GeneratedBank()[std::stoi(name.substr(5, 2))].samples) << name;
    ++files;
  }
  EXPECT_EQ(files, 21u);
  std::filesystem::remove_all(dir);
}

}  // namespace
