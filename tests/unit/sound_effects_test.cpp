// The generated sound bank: its layout as an independent reader sees it,
// the same bytes on every run, and every effect measured: clean (no
// silence, clipping, DC, clicks or broken loop seams) and of the character
// its use asks for (bright ticks, low booms, rising shimmer, ...).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <unistd.h>

#include "assetgen/generators.h"
#include "assetgen/sound/sound_bank.h"
#include "support/sound_analysis.h"
#include "support/sound_bank_reader.h"

namespace {

namespace sa = sound_analysis;
using sound_bank_reader::Bank;
using sound_bank_reader::Entry;

constexpr double kClickLimit = 30.0;

std::string FreshDir(const std::string& tag) {
  const std::string dir = testing::TempDir() + "/bulwark_sound_" + tag + "_" + std::to_string(getpid());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

// The bank as `make build` writes it, through the registered generator.
std::vector<uint8_t> GenerateBank(const std::string& tag) {
  const std::string dir = FreshDir(tag);
  std::string error;
  for (const Generator& g : AllGenerators())
    if (std::string(g.name) == "sound.sdf") {
      EXPECT_TRUE(g.write(dir, &error)) << error;
    }
  std::vector<uint8_t> bytes = ReadFile(dir + "/sound.sdf");
  std::filesystem::remove_all(dir);
  return bytes;
}

const Bank& GeneratedBank() {
  static const Bank bank = [] {
    Bank b;
    std::string why;
    EXPECT_TRUE(sound_bank_reader::Decode(GenerateBank("shared"), &b, &why)) << why;
    return b;
  }();
  return bank;
}

double Seconds(const Entry& e) { return e.channels ? e.samples.size() / static_cast<double>(e.channels) / sa::kRate : 0; }

// The sound's channels mixed to one, computed once.
const std::vector<double>& Mono(int sound) {
  static std::map<int, std::vector<double>> mixes;
  auto it = mixes.find(sound);
  if (it == mixes.end()) {
    const Entry& e = GeneratedBank().entries[sound];
    it = mixes.emplace(sound, e.channels ? sa::Mix(e.samples, e.channels) : std::vector<double>()).first;
  }
  return it->second;
}

TEST(GeneratedSoundBank, HoldsSounds2To22AndIsTheSameOnEveryRun) {
  const std::vector<uint8_t> first = GenerateBank("first");
  const std::vector<uint8_t> second = GenerateBank("second");
  ASSERT_FALSE(first.empty()) << "sound.sdf is not generated";
  EXPECT_TRUE(first == second) << "two runs wrote different bytes";

  Bank bank;
  std::string why;
  ASSERT_TRUE(sound_bank_reader::Decode(first, &bank, &why)) << why;
  for (int i = 1; i <= 400; ++i) {
    const Entry& e = bank.entries[i];
    SCOPED_TRACE("sound " + std::to_string(i));
    if (i < 2 || i > 22) {
      EXPECT_EQ(e.channels, 0);
      EXPECT_EQ(e.size, 0u);
      continue;
    }
    EXPECT_TRUE(e.channels == 1 || e.channels == 2);
    EXPECT_EQ(e.rate, 44100u);
    EXPECT_EQ(e.bits, 16);
    EXPECT_EQ(e.size % (2u * static_cast<uint32_t>(e.channels)), 0u);
    const bool loops = i == 3 || i == 16;
    EXPECT_EQ(e.loop, loops ? 1 : 0);
    if (loops) {
      EXPECT_GE(Seconds(e), 0.5);
    } else {
      EXPECT_LT(Seconds(e), 2.0);
    }
  }
}

TEST(GeneratedSoundBank, EverySoundIsCleanAtItsLevel) {
  for (int i = 2; i <= 22; ++i) {
    const Entry& e = GeneratedBank().entries[i];
    ASSERT_GT(e.channels, 0) << "sound " << i;
    for (int c = 0; c < e.channels; ++c) {
      SCOPED_TRACE("sound " + std::to_string(i) + " channel " + std::to_string(c));
      const std::vector<double> x = sa::Channel(e.samples, e.channels, c);
      EXPECT_GT(sa::Db(sa::Rms(x)), -35.0) << "too quiet";
      EXPECT_LT(sa::Db(sa::Peak(x)), -0.9) << "no headroom";
      EXPECT_GT(sa::Db(sa::Peak(x)), -15.0);
      size_t pinned = 0;
      for (int16_t s : e.samples) pinned += s >= 32767 || s <= -32767;
      EXPECT_EQ(pinned, 0u) << "clipped samples";
      EXPECT_LT(std::fabs(sa::Mean(x)), 0.002) << "DC offset";
      if (e.loop) {
        EXPECT_LE(sa::SeamStepRatio(x), 1.0) << "the loop jumps where it wraps";
        EXPECT_LT(sa::WorstClick(sa::HalfTurned(x)), kClickLimit) << "click inside or at the seam";
      } else {
        EXPECT_LT(sa::WorstClick(x), kClickLimit) << "click";
        EXPECT_LE(std::fabs(x.front()) * 32768, 4.0) << "does not start at silence";
        EXPECT_LE(std::fabs(x.back()) * 32768, 4.0) << "does not end at silence";
      }
    }
  }
}

TEST(GeneratedSoundBank, EachSoundHasTheCharacterOfItsUse) {
  const Bank& bank = GeneratedBank();
  auto seconds = [&](int i) { return Seconds(bank.entries[i]); };
  std::map<int, double> centroid, low;
  for (int i = 2; i <= 22; ++i) {
    centroid[i] = sa::SpectralCentroid(Mono(i));
    low[i] = sa::PowerShareBelow(Mono(i), 200);
  }

  // Menu tick and click: very short and bright, well below the explosions.
  for (int i : {17, 18}) {
    SCOPED_TRACE(i);
    EXPECT_LE(seconds(i), 0.06);
    EXPECT_GT(centroid[i], 2000);
    EXPECT_LT(sa::Peak(Mono(i)), sa::Peak(Mono(21)) / 2);
  }
  // Explosions: low, loudest at the start, ringing on for most of a second.
  for (int i : {13, 15, 20, 21, 22}) {
    SCOPED_TRACE(i);
    EXPECT_LT(centroid[i], 800);
    EXPECT_GT(low[i], 0.3);
    EXPECT_LT(sa::PeakTime(Mono(i)), 0.25);
    EXPECT_GE(seconds(i), 0.8);
    EXPECT_LT(sa::RmsBetween(Mono(i), seconds(i) - 0.1, seconds(i)), sa::Rms(Mono(i)) / 4) << "does not die away";
  }
  EXPECT_LT(centroid[13], centroid[15]) << "the large explosion is deeper than the grenade's";
  EXPECT_GT(seconds(13), seconds(15));
  EXPECT_LT(centroid[21], centroid[15]);
  // The ball's boom rings: a narrow tone sticks out above the boom.
  EXPECT_GT(sa::PowerShareBelow(sa::Slice(Mono(20), 0.5, 1.2), 700) - sa::PowerShareBelow(sa::Slice(Mono(20), 0.5, 1.2), 500), 0.1);
  // Bomblet explosion: a small crack, short and brighter than a boom.
  EXPECT_LE(seconds(14), 0.5);
  EXPECT_GT(centroid[14], 2 * centroid[15]);
  // Launch thumps: short and low, the heavy one longer.
  for (int i : {9, 10}) {
    SCOPED_TRACE(i);
    EXPECT_LT(seconds(i), 1.0);
    EXPECT_GT(sa::PowerShareBelow(Mono(i), 300), 0.7);
  }
  EXPECT_GT(seconds(10), seconds(9));
  // Bomblet launch: a pop, shorter than any other launch.
  EXPECT_LE(seconds(7), 0.2);
  // Missile launch: a noisy whoosh whose band rises, then falls away.
  EXPECT_GT(sa::ZeroCrossingRate(Mono(8)), 2000);
  EXPECT_GT(sa::SpectralCentroid(sa::Slice(Mono(8), 0.2, 0.35)), 1.5 * sa::SpectralCentroid(sa::Slice(Mono(8), 0.7, 0.95)));
  // Shield: a shimmer that rises in pitch (one ear: the two are detuned against each other).
  const std::vector<double> shieldLeft = sa::Channel(bank.entries[11].samples, 2, 0);
  EXPECT_GT(sa::DominantHz(sa::Slice(shieldLeft, 1.0, 1.2)), 1.6 * sa::DominantHz(sa::Slice(shieldLeft, 0.05, 0.3)));
  EXPECT_GT(centroid[11], 800);
  // Ball launch: a spring whose pitch glides up; ball bounce: a low rubbery tone.
  EXPECT_GT(sa::ZeroCrossingRate(sa::Slice(Mono(12), 0.25, 0.4)), 2.5 * sa::ZeroCrossingRate(sa::Slice(Mono(12), 0.01, 0.05)));
  EXPECT_GT(sa::DominantHz(Mono(5)), 150);
  EXPECT_LT(sa::DominantHz(Mono(5)), 500);
  // Grenade bounce: a short metallic clank; purchase: a bright ding that rings.
  EXPECT_LE(seconds(4), 0.4);
  EXPECT_GT(sa::DominantHz(Mono(4)), 300);
  EXPECT_GT(sa::DominantHz(Mono(2)), 1000);
  EXPECT_GT(sa::RmsBetween(Mono(2), 0.4, 0.5), sa::Rms(Mono(2)) / 10) << "the ding does not ring";
  // Fanfare: a stereo tune of about a second and a half.
  EXPECT_EQ(bank.entries[6].channels, 2);
  EXPECT_GE(seconds(6), 1.0);
  EXPECT_GT(sa::DominantHz(Mono(6)), 200);
  EXPECT_LT(sa::DominantHz(Mono(6)), 1500);
  // Ground built: a rumble that swells in, low.
  EXPECT_LT(centroid[19], 800);
  EXPECT_GE(seconds(19), 1.0);
  EXPECT_LT(sa::RmsBetween(Mono(19), 0.0, 0.04), sa::RmsBetween(Mono(19), 0.3, 0.6) / 2);
  // Flight loops: the fuse fizzes high; the drill whines on a steady tone.
  EXPECT_GT(centroid[3], 3000);
  EXPECT_GT(sa::ZeroCrossingRate(Mono(3)), 5000);
  EXPECT_GT(sa::DominantHz(Mono(16)), 300);
  EXPECT_LT(sa::DominantHz(Mono(16)), 2000);
}

TEST(GeneratedSoundBank, WavReviewFilesHoldTheSameSounds) {
  const std::string dir = FreshDir("wav");
  std::string error;
  ASSERT_TRUE(WriteSoundWavs(dir + "/review", &error)) << error;  // creates the folder
  size_t files = 0;
  for (const auto& item : std::filesystem::directory_iterator(dir + "/review")) {
    const std::string name = item.path().filename().string();
    ++files;
    ASSERT_EQ(name.substr(0, 5), "sound") << name;
    ASSERT_EQ(name.substr(name.size() - 4), ".wav") << name;
    const int number = std::stoi(name.substr(5, 2));
    ASSERT_TRUE(number >= 2 && number <= 22) << name;
    const std::vector<uint8_t> wav = ReadFile(item.path().string());
    const Entry& e = GeneratedBank().entries[number];
    ASSERT_EQ(wav.size(), 44u + e.size) << name;
    EXPECT_EQ(sound_bank_reader::ReadLe(wav, 22, 2), static_cast<uint32_t>(e.channels)) << name;
    std::vector<int16_t> samples;
    for (size_t k = 44; k + 1 < wav.size(); k += 2) samples.push_back(static_cast<int16_t>(sound_bank_reader::ReadLe(wav, k, 2)));
    EXPECT_EQ(samples, e.samples) << name;
  }
  EXPECT_EQ(files, 21u);
  std::filesystem::remove_all(dir);
}

TEST(SoundAnalysis, FindsClicksAndBrokenSeams) {
  // The measurements the bank is judged by must see the faults they guard against.
  std::vector<double> tone(22050);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = 0.5 * std::exp(-static_cast<double>(i) / 8000.0) * std::sin(2 * M_PI * 440 * i / 44100.0);
  EXPECT_LT(sa::WorstClick(tone), kClickLimit);
  std::vector<double> stepped = tone;
  for (size_t i = 15000; i < stepped.size(); ++i) stepped[i] += 0.02;
  EXPECT_GT(sa::WorstClick(stepped), kClickLimit);

  std::vector<double> loop(44100);  // 441 whole periods
  for (size_t i = 0; i < loop.size(); ++i) loop[i] = 0.5 * std::sin(2 * M_PI * 441 * i / 44100.0);
  EXPECT_LE(sa::SeamStepRatio(loop), 1.0);
  loop.resize(loop.size() - 33);  // cut in the middle of a period
  EXPECT_GT(sa::SeamStepRatio(loop), 1.0);
}

}  // namespace
