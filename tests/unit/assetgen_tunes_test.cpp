// The generated tunes, read back with a reader of their own: whole tracks
// and notes, one tempo from the start (no jump at the loop point), every
// note ended before the loop point and within its instrument's range, a
// melody line above the other parts, 60 to 120 seconds a loop; the seven
// differ in key, tempo and instruments; rendered through the soundfont they
// play at one level, well under the sound effects; the same bytes on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include <unistd.h>

#include "assetgen/music/composer.h"
#include "assetgen/music/tunes.h"
#include "midi_test_reader.h"
#include "platform/music_stream.h"
#include "support/sound_analysis.h"
#include "support/sound_bank_reader.h"

namespace {

constexpr int kDrumChannel = 9;

struct Range {
  int low, high;
};

// Where each General MIDI instrument the tunes use sounds as it should
// (the players' usual compass; a bass guitar's open E1 to its 15th fret,
// sounding pitch throughout).
const std::map<int, Range>& InstrumentRanges() {
  static const std::map<int, Range> ranges = {
      {0, {21, 108}},  {4, {28, 103}},  {8, {60, 108}},  {11, {53, 89}},  {24, {40, 83}},   {25, {40, 83}},
      {32, {28, 55}},  {33, {28, 67}},  {35, {28, 67}},  {42, {36, 81}},  {43, {28, 60}},   {46, {24, 103}},
      {48, {28, 96}},  {49, {28, 96}},  {52, {40, 81}},  {56, {54, 84}},  {58, {26, 65}},   {60, {34, 77}},
      {65, {49, 80}},  {68, {58, 91}},  {71, {50, 91}},  {73, {60, 96}},  {75, {55, 91}},   {89, {24, 108}},
      {104, {48, 84}}, {110, {55, 100}},
  };
  return ranges;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

// RMS and peak level of interleaved samples in dB of full scale (a mono
// effect sounds the same on both sides of the output, so its own samples
// stand for both).
std::pair<double, double> Levels(const std::vector<int16_t>& samples) {
  std::vector<double> x(samples.begin(), samples.end());
  for (double& v : x) v /= 32768.0;
  return {sound_analysis::Db(sound_analysis::Rms(x)), sound_analysis::Db(sound_analysis::Peak(x))};
}

double Median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

double MedianKey(std::vector<int> keys) {
  std::nth_element(keys.begin(), keys.begin() + static_cast<long>(keys.size() / 2), keys.end());
  return keys[keys.size() / 2];
}

}  // namespace

TEST(AssetgenTunes, EveryTuneReadsBackWholeAndLoopsCleanly) {
  for (const music::Tune& tune : music::GameTunes()) {
    SCOPED_TRACE(tune.file);
    const midi_test::Song song = midi_test::ReadSong(music::ComposeTune(tune));
    EXPECT_TRUE(song.faults.empty()) << song.faults.front();
    EXPECT_EQ(song.format, 1);
    EXPECT_GT(song.tracksRead, 3);

    // One tempo and one meter, set at the start: the loop cannot change them.
    ASSERT_EQ(song.tempos.size(), 1u);
    EXPECT_EQ(song.tempos[0].first, 0u);
    ASSERT_EQ(song.meters.size(), 1u);
    EXPECT_EQ(song.meters[0].second, 4);
    const double seconds = song.Seconds();
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
    // The loop point falls at the end of a bar.
    const uint32_t bar = static_cast<uint32_t>(song.division * song.meters[0].first);
    EXPECT_EQ(song.endTick % bar, 0u);

    std::map<int, std::vector<int>> keysByChannel;
    std::map<int, std::vector<midi_test::Note>> notesByChannel;
    for (const midi_test::Note& n : song.notes) {
      EXPECT_LT(n.on, n.off);
      EXPECT_LE(n.off, song.endTick) << "a note sounds past the loop point";
      keysByChannel[n.channel].push_back(n.key);
      notesByChannel[n.channel].push_back(n);
      if (n.channel == kDrumChannel) {
        EXPECT_TRUE(n.key >= 35 && n.key <= 81) << "not a drum: " << n.key;
        continue;
      }
      const auto programs = song.programs.find(n.channel);
      ASSERT_NE(programs, song.programs.end()) << "channel " << n.channel << " has no instrument";
      ASSERT_EQ(programs->second.size(), 1u);
      const auto range = InstrumentRanges().find(programs->second.front());
      ASSERT_NE(range, InstrumentRanges().end()) << "no range known for program " << programs->second.front();
      EXPECT_TRUE(n.key >= range->second.low && n.key <= range->second.high)
          << "key " << n.key << " outside program " << range->first << "'s range";
    }

    // A clear melody: a line of single notes, a note a bar or more on
    // average, higher than every other part.
    int melody = -1;
    for (auto& [channel, notes] : notesByChannel) {
      if (channel == kDrumChannel) continue;
      std::sort(notes.begin(), notes.end(), [](const midi_test::Note& a, const midi_test::Note& b) { return a.on < b.on; });
      bool single = true;
      for (size_t i = 1; i < notes.size(); ++i) single = single && notes[i].on >= notes[i - 1].off;
      const std::vector<int>& keys = keysByChannel[channel];
      if (single && keys.size() >= song.endTick / bar / 2 && (melody < 0 || MedianKey(keys) > MedianKey(keysByChannel[melody])))
        melody = channel;
    }
    ASSERT_GE(melody, 0) << "no melody line";
    for (const auto& [channel, keys] : keysByChannel) {
      if (channel != melody && channel != kDrumChannel) {
        EXPECT_GT(MedianKey(keysByChannel[melody]), MedianKey(keys)) << "channel " << channel;
      }
    }
  }
}

TEST(AssetgenTunes, TheSevenDifferInKeyTempoAndInstruments) {
  const std::vector<music::Tune>& tunes = music::GameTunes();
  ASSERT_EQ(tunes.size(), 7u);
  const char* const names[] = {"begin.mid", "tex1.mid", "tex2.mid", "tex3.mid", "tex4.mid", "tex5.mid", "mag.mid"};
  std::set<int> tonics;
  std::set<uint32_t> tempos;
  std::set<std::set<int>> instrumentSets;
  std::set<int> leads;
  for (size_t i = 0; i < tunes.size(); ++i) {
    EXPECT_STREQ(tunes[i].file, names[i]);
    const midi_test::Song song = midi_test::ReadSong(music::ComposeTune(tunes[i]));
    ASSERT_FALSE(song.tempos.empty());
    tonics.insert(tunes[i].key.tonic);
    tempos.insert(song.tempos[0].second);
    std::set<int> instruments;
    for (const auto& [channel, programs] : song.programs) instruments.insert(programs.begin(), programs.end());
    instrumentSets.insert(instruments);
    ASSERT_TRUE(song.programs.count(0));
    leads.insert(song.programs.at(0).front());
  }
  EXPECT_EQ(tonics.size(), 7u);
  EXPECT_EQ(tempos.size(), 7u);
  EXPECT_EQ(instrumentSets.size(), 7u);
  EXPECT_EQ(leads.size(), 7u) << "two tunes share their melody's instrument";
}

TEST(AssetgenTunes, TheGeneratorWritesTheSameBytesEveryTime) {
  const std::string dir = testing::TempDir() + "/assetgen_tunes_" + std::to_string(getpid());
  std::filesystem::create_directories(dir);
  std::string error;
  ASSERT_TRUE(music::WriteTunes(dir, &error)) << error;
  for (const music::Tune& tune : music::GameTunes()) {
    const std::vector<uint8_t> written = ReadFile(dir + "/" + tune.file);
    EXPECT_FALSE(written.empty()) << tune.file;
    EXPECT_TRUE(written == music::ComposeTune(tune)) << tune.file << " differs between two compositions";
    // The build's generator, another process, wrote the same.
    EXPECT_TRUE(written == ReadFile(std::string(BULWARK_BUILD_DIR) + "/data/" + tune.file)) << tune.file;
  }
  std::filesystem::remove_all(dir);
}

TEST(AssetgenTunes, EveryTunePlaysAtOneLevelWellUnderTheEffects) {
  // The effects as the build wrote them.
  sound_bank_reader::Bank bank;
  std::string why;
  ASSERT_TRUE(sound_bank_reader::Decode(ReadFile(std::string(BULWARK_BUILD_DIR) + "/data/sound.sdf"), &bank, &why)) << why;
  std::vector<double> effectRms, effectPeaks;
  for (const sound_bank_reader::Entry& e : bank.entries) {
    if (e.channels == 0) continue;
    const auto [rms, peak] = Levels(e.samples);
    effectRms.push_back(rms);
    effectPeaks.push_back(peak);
  }
  ASSERT_GE(effectRms.size(), 10u);
  const double effectsRms = Median(effectRms), effectsPeak = Median(effectPeaks);

  // The first twelve seconds of each tune as the game plays it.
  std::vector<double> tuneRms;
  for (const music::Tune& tune : music::GameTunes()) {
    SCOPED_TRACE(tune.file);
    std::vector<int16_t> samples;
    std::string error;
    ASSERT_TRUE(platform::RenderMusic(music::ComposeTune(tune), 12.0, &samples, &error)) << error;
    const auto [rms, peak] = Levels(samples);
    EXPECT_LE(rms, effectsRms - 6.0) << "the music does not leave room for the effects";
    EXPECT_GE(rms, effectsRms - 16.0) << "the music is hardly heard";
    EXPECT_LT(peak, effectsPeak - 3.0);
    tuneRms.push_back(rms);
  }
  const auto [quietest, loudest] = std::minmax_element(tuneRms.begin(), tuneRms.end());
  EXPECT_LT(*loudest - *quietest, 3.0) << "the tunes differ in loudness";
}
