// The generated tunes, read back with a reader of their own: whole tracks
// and notes, one tempo from the start (no jump at the loop point), every
// note ended before the loop point and within its instrument's range, a
// melody line above the other parts, 60 to 120 seconds a loop; the seven
// differ in key, tempo and instruments; rendered through the soundfont they
// play at one level, well under the sound effects; the same bytes on every
// run. Also the MIDI writer (a small track byte
// for byte) and the composer's music theory (chords named by Roman numerals
// in major, minor and modal keys and the scale over a chord).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <tuple>

#include "assetgen/music/composer.h"
#include "assetgen/music/midi_writer.h"
#include "assetgen/music/theory.h"
#include "assetgen/music/tunes.h"
#include "fake_audio_device.h"
#include "platform/music_stream.h"
#include "support/sound_analysis.h"
#include "support/test_files.h"

// A reader of Standard MIDI Files written from the format's description
// alone: the header, each track's events (running status included), notes
// paired with their ends, programs by channel, tempo and meter. Any fault
// is recorded, not thrown.
namespace midi_test {

struct Note {
  uint32_t on = 0, off = 0;  // ticks
  int channel = 0, key = 0, velocity = 0;
};

struct Song {
  int format = -1, declaredTracks = 0, division = 0, tracksRead = 0;
  std::vector<std::string> faults;                    // empty when the file reads cleanly
  std::vector<std::pair<uint32_t, uint32_t>> tempos;  // (tick, microseconds per quarter)
  std::vector<std::pair<int, int>> meters;            // (numerator, denominator)
  std::map<int, std::vector<int>> programs;           // channel -> programs set
  std::vector<Note> notes;
  uint32_t endTick = 0;  // the latest track end
};

inline Song ReadSong(const std::vector<uint8_t>& b) {
  Song song;
  auto fault = [&song](const char* f) { return song.faults.push_back(f), song; };
  auto u32 = [&b](size_t at) { return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3]; };
  auto u16 = [&b](size_t at) { return b[at] << 8 | b[at + 1]; };
  auto tag = [&b](size_t at) { return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4); };
  if (b.size() < 14 || tag(0) != "MThd" || u32(4) != 6) return fault("no MThd header of 6 bytes");
  song.format = u16(8);
  song.declaredTracks = u16(10);
  song.division = u16(12);
  if (song.division == 0 || song.division & 0x8000) fault("division is not ticks per quarter note");
  size_t p = 14;
  for (; p + 8 <= b.size(); ++song.tracksRead) {
    if (tag(p) != "MTrk") return fault("chunk that is not MTrk");
    const size_t end = p + 8 + u32(p + 4);
    if (end > b.size()) return fault("track runs past the file");
    size_t q = p + 8;
    uint32_t tick = 0;
    int status = 0;
    bool ended = false;
    std::map<int, std::vector<size_t>> open;  // channel * 128 + key -> indices of sounding notes
    auto vlq = [&](uint32_t* out) {
      *out = 0;
      for (int n = 0; n < 4 && q < end; ++n) {
        const uint8_t c = b[q++];
        *out = *out << 7 | (c & 0x7F);
        if (!(c & 0x80)) return true;
      }
      return false;
    };
    while (q < end && !ended) {
      uint32_t delta = 0, len = 0;
      if (!vlq(&delta)) return fault("bad delta time");
      tick += delta;
      if (b[q] & 0x80) status = b[q++];
      else if (status == 0) return fault("running status with no status");
      if (status == 0xFF) {  // a meta event; it cancels running status
        status = 0;
        const int type = q < end ? b[q++] : 0;
        if (!vlq(&len) || q + len > end) return fault("bad meta length");
        ended = type == 0x2F;
        if (type == 0x51 && len == 3) song.tempos.push_back({tick, uint32_t{b[q]} << 16 | b[q + 1] << 8 | b[q + 2]});
        if (type == 0x58 && len == 4) song.meters.push_back({b[q], 1 << b[q + 1]});
        q += len;
        continue;
      }
      const int kind = status & 0xF0, channel = status & 0x0F;
      const size_t size = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
      if (status >= 0xF0 || q + size > end) return fault("system event or event cut short");
      const int d1 = b[q], d2 = size == 2 ? b[q + 1] : 0, slot = channel * 128 + d1;
      q += size;
      if (d1 > 127 || d2 > 127) fault("data byte above 127");
      if (kind == 0x90 && d2 > 0) {
        open[slot].push_back(song.notes.size());
        song.notes.push_back({tick, tick, channel, d1, d2});
      } else if (kind == 0x80 || kind == 0x90) {
        if (open[slot].empty()) fault("note-off without a note");
        else song.notes[open[slot].front()].off = tick, open[slot].erase(open[slot].begin());
      } else if (kind == 0xC0) {
        song.programs[channel].push_back(d1);
      }
    }
    if (!ended || q != end) fault("track without its end, or bytes after it");
    for (const auto& [slot, left] : open)
      if (!left.empty()) fault("note never ended");
    song.endTick = std::max(song.endTick, tick);
    p = end;
  }
  if (p != b.size()) fault("bytes after the last track");
  if (song.tracksRead != song.declaredTracks) fault("track count differs from the header");
  return song;
}

}  // namespace midi_test

namespace {

constexpr int kDrumChannel = 9;

// Where each General MIDI instrument the tunes use sounds as it should
// (the players' usual compass; a bass guitar's open E1 to its 15th fret,
// sounding pitch throughout).
const std::map<int, std::pair<int, int>> kRanges = {
    {0, {21, 108}}, {4, {28, 103}}, {8, {60, 108}}, {11, {53, 89}}, {24, {40, 83}}, {25, {40, 83}},   {32, {28, 55}},
    {33, {28, 67}}, {35, {28, 67}}, {42, {36, 81}}, {43, {28, 60}}, {46, {24, 103}}, {48, {28, 96}},  {49, {28, 96}},
    {52, {40, 81}}, {56, {54, 84}}, {58, {26, 65}}, {60, {34, 77}}, {65, {49, 80}},  {68, {58, 91}},  {71, {50, 91}},
    {73, {60, 96}}, {75, {55, 91}}, {89, {24, 108}}, {104, {48, 84}}, {110, {55, 100}},
};

std::vector<uint8_t> BuiltFile(const std::string& name) { return testfiles::ReadTestFile(std::string(BULWARK_BUILD_DIR) + "/data/" + name); }

// RMS level of interleaved samples in dB of full scale (a mono effect
// sounds the same on both sides of the output, so its own samples stand for
// both).
double Level(const std::vector<int16_t>& samples) { return sound_analysis::Db(sound_analysis::Rms(sound_analysis::Mix(samples, 1))); }

template <typename T>
T Median(std::vector<T> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

}  // namespace

TEST(AssetgenTunes, EveryTuneReadsBackWholeLoopsCleanlyAndDiffersFromTheOthers) {
  const std::vector<music::Tune>& tunes = music::GameTunes();
  ASSERT_EQ(tunes.size(), 7u);
  const char* const names[] = {"begin.mid", "tex1.mid", "tex2.mid", "tex3.mid", "tex4.mid", "tex5.mid", "mag.mid"};
  std::set<int> tonics;
  std::set<uint32_t> tempos;
  std::set<std::set<int>> instrumentSets;
  for (size_t t = 0; t < tunes.size(); ++t) {
    SCOPED_TRACE(tunes[t].file);
    EXPECT_STREQ(tunes[t].file, names[t]);
    const midi_test::Song song = midi_test::ReadSong(music::ComposeTune(tunes[t]));
    ASSERT_TRUE(song.faults.empty()) << song.faults.front();
    EXPECT_EQ(song.format, 1);
    // One tempo and one meter, set at the start: the loop cannot change them.
    ASSERT_EQ(song.tempos.size(), 1u);
    EXPECT_EQ(song.tempos[0].first, 0u);
    ASSERT_EQ(song.meters.size(), 1u);
    EXPECT_EQ(song.meters[0].second, 4);
    const double seconds = static_cast<double>(song.endTick) * song.tempos[0].second / 1e6 / song.division;
    EXPECT_TRUE(seconds >= 60.0 && seconds <= 120.0) << seconds;
    const uint32_t bar = static_cast<uint32_t>(song.division * song.meters[0].first);
    EXPECT_EQ(song.endTick % bar, 0u) << "the loop point falls at the end of a bar";

    std::map<int, std::vector<int>> keys;
    std::map<int, std::vector<midi_test::Note>> notes;
    for (const midi_test::Note& n : song.notes) {
      EXPECT_LT(n.on, n.off);
      EXPECT_LE(n.off, song.endTick) << "a note sounds past the loop point";
      keys[n.channel].push_back(n.key);
      notes[n.channel].push_back(n);
      if (n.channel == kDrumChannel) {
        EXPECT_TRUE(n.key >= 35 && n.key <= 81) << "not a drum: " << n.key;
        continue;
      }
      const auto programs = song.programs.find(n.channel);
      ASSERT_NE(programs, song.programs.end()) << "channel " << n.channel << " has no instrument";
      ASSERT_EQ(programs->second.size(), 1u);
      const auto range = kRanges.find(programs->second.front());
      ASSERT_NE(range, kRanges.end()) << "no range known for program " << programs->second.front();
      EXPECT_TRUE(n.key >= range->second.first && n.key <= range->second.second) << "key " << n.key << " outside program " << range->first;
    }
    // A clear melody: a line of single notes, a note a bar or more on
    // average, higher than every other part.
    int melody = -1;
    for (auto& [channel, line] : notes) {
      if (channel == kDrumChannel) continue;
      std::sort(line.begin(), line.end(), [](const midi_test::Note& a, const midi_test::Note& b) { return a.on < b.on; });
      bool single = true;
      for (size_t i = 1; i < line.size(); ++i) single = single && line[i].on >= line[i - 1].off;
      if (single && keys[channel].size() >= song.endTick / bar / 2 && (melody < 0 || Median(keys[channel]) > Median(keys[melody])))
        melody = channel;
    }
    ASSERT_GE(melody, 0) << "no melody line";
    for (const auto& [channel, k] : keys)
      EXPECT_TRUE(channel == melody || channel == kDrumChannel || Median(keys[melody]) > Median(k)) << "channel " << channel;

    tonics.insert(tunes[t].key.tonic);
    tempos.insert(song.tempos[0].second);
    std::set<int> instruments;
    for (const auto& [channel, programs] : song.programs) instruments.insert(programs.begin(), programs.end());
    instrumentSets.insert(instruments);
  }
  EXPECT_EQ(tonics.size() + tempos.size() + instrumentSets.size(), 21u) << "two tunes share a key, tempo or instruments";
}

// The build's generator, another process, wrote the same bytes.
TEST(AssetgenTunes, TheGeneratorWritesTheSameBytesEveryTime) {
  for (const music::Tune& tune : music::GameTunes()) EXPECT_TRUE(BuiltFile(tune.file) == music::ComposeTune(tune)) << tune.file;
}

TEST(AssetgenTunes, EveryTunePlaysAtOneLevelWellUnderTheEffects) {
  // The effects as the build wrote them.
  std::vector<double> effects, tuneRms;
  for (const soundtest::LoadedSound& s : soundtest::LoadSounds(std::string(BULWARK_BUILD_DIR) + "/data/sound.sdf"))
    if (s.channels) effects.push_back(Level(s.samples));
  ASSERT_FALSE(effects.empty());
  const double effectsRms = Median(effects);
  std::string why;
  // The first twelve seconds of each tune as the game plays it.
  for (const music::Tune& tune : music::GameTunes()) {
    std::vector<int16_t> samples;
    ASSERT_TRUE(platform::RenderMusic(music::ComposeTune(tune), 12.0, &samples, &why)) << why;
    tuneRms.push_back(Level(samples));
    EXPECT_LE(tuneRms.back(), effectsRms - 6.0) << tune.file << " does not leave room for the effects";
    EXPECT_GE(tuneRms.back(), effectsRms - 16.0) << tune.file << " is hardly heard";
  }
  const auto [quietest, loudest] = std::minmax_element(tuneRms.begin(), tuneRms.end());
  EXPECT_LT(*loudest - *quietest, 3.0) << "the tunes differ in loudness";
}

TEST(AssetgenMidiWriter, EncodesATrackInTimeOrderWithRepeatedKeysEndedFirst) {
  music::MidiTrack track;
  track.Note(480, 480, 2, 60, 100);  // added out of order on purpose
  track.Note(0, 480, 2, 60, 90);
  track.Program(0, 2, 46);
  track.End(1920);
  const std::vector<uint8_t> expected = {
      'M', 'T', 'r', 'k', 0, 0, 0, 26,
      0x00, 0xC2, 46,                // the program before the first note
      0x00, 0x92, 60, 90,
      0x83, 0x60, 0x82, 60, 64,      // 480 ticks later the first note ends...
      0x00, 0x92, 60, 100,           // ...before the same key starts again
      0x83, 0x60, 0x82, 60, 64,
      0x87, 0x40, 0xFF, 0x2F, 0x00,  // the end 960 ticks after the last event
  };
  EXPECT_EQ(track.Chunk(), expected);
  const std::vector<uint8_t> file = music::EncodeMidiFile(480, {track, track});
  const std::vector<uint8_t> header = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0};
  ASSERT_EQ(file.size(), header.size() + 2 * expected.size());
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
}

TEST(AssetgenMusicTheory, RomanNumeralsBuildTheChordsOfTheKey) {
  using music::Key;
  using music::Mode;
  const Key dMajor{2, Mode::kMajor}, aMinor{9, Mode::kMinor}, bFlatMajor{10, Mode::kMajor}, cMajor{0, Mode::kMajor};
  const Key ePhrygianDominant{4, Mode::kPhrygianDominant}, bDorian{11, Mode::kDorian};
  const std::tuple<Key, const char*, int, std::set<int>> cases[] = {
      {dMajor, "ii", 4, {4, 7, 11}},         {dMajor, "V7", 9, {9, 1, 4, 7}},     {aMinor, "i", 9, {9, 0, 4}},
      {aMinor, "V", 4, {4, 8, 11}},          {aMinor, "VII", 7, {7, 11, 2}},      {bFlatMajor, "Imaj7", 10, {10, 2, 5, 9}},
      {bFlatMajor, "ii7", 0, {0, 3, 7, 10}}, {ePhrygianDominant, "II", 5, {5, 9, 0}}, {bDorian, "IV", 4, {4, 8, 11}},
      {cMajor, "viio", 11, {11, 2, 5}},      {cMajor, "bVII", 10, {10, 2, 5}},    {cMajor, "Vsus4", 7, {7, 0, 2}},
  };
  for (const auto& [key, numeral, root, tones] : cases) {
    const music::Chord chord = music::ParseChord(key, numeral);
    EXPECT_EQ(chord.root, root) << numeral;
    EXPECT_EQ(std::set<int>(chord.tones.begin(), chord.tones.end()), tones) << numeral;
  }
  for (const char* bad : {"", "X", "I9", "Iv", "vo7x"}) EXPECT_THROW(music::ParseChord(cMajor, bad), std::invalid_argument) << bad;

  // Over V in A minor the leading tone G# replaces G; over i the key's own
  // scale; D major over C major's second degree brings F#.
  const music::Scale overV = music::ChordScale(aMinor, music::ParseChord(aMinor, "V"));
  const music::Scale overII = music::ChordScale(cMajor, music::ParseChord(cMajor, "II"));
  EXPECT_TRUE(overV.Has(8) && !overV.Has(7) && overII.Has(6) && !overII.Has(5));
  EXPECT_TRUE(music::ChordScale(aMinor, music::ParseChord(aMinor, "i")).Has(7));
  const music::Scale d = music::KeyScale(dMajor);
  EXPECT_EQ(std::tuple(d.Pitch(60, 0), d.Pitch(60, 7), d.Pitch(60, -1), d.Pitch(60, 2)), std::tuple(62, 74, 61, 66));
  EXPECT_EQ(std::tuple(d.StepAtOrBelow(60, 63), d.StepAtOrBelow(60, 61), d.StepAtOrBelow(60, 86)), std::tuple(0, -1, 14));
  // The key signature a tune's file names is for a reader of the score only: nothing is heard of it.
}
