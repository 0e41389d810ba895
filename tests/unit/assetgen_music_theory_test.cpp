// Music theory of the composer: chords named by Roman numerals in major,
// minor and modal keys, the scale a melody uses over a chord, scale steps
// and key signatures.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "assetgen/music/theory.h"

using music::Key;
using music::Mode;

namespace {

std::set<int> Tones(const music::Chord& chord) { return std::set<int>(chord.tones.begin(), chord.tones.end()); }

}  // namespace

TEST(AssetgenMusicTheory, RomanNumeralsBuildTheChordsOfTheKey) {
  const Key dMajor{2, Mode::kMajor}, aMinor{9, Mode::kMinor}, bFlatMajor{10, Mode::kMajor}, cMajor{0, Mode::kMajor};
  const Key ePhrygianDominant{4, Mode::kPhrygianDominant}, bDorian{11, Mode::kDorian};
  struct Case {
    Key key;
    const char* numeral;
    int root;
    std::set<int> tones;
  };
  const Case cases[] = {
      {dMajor, "I", 2, {2, 6, 9}},           {dMajor, "ii", 4, {4, 7, 11}},        {dMajor, "V7", 9, {9, 1, 4, 7}},
      {aMinor, "i", 9, {9, 0, 4}},           {aMinor, "V", 4, {4, 8, 11}},         {aMinor, "VII", 7, {7, 11, 2}},
      {aMinor, "iv", 2, {2, 5, 9}},          {bFlatMajor, "Imaj7", 10, {10, 2, 5, 9}}, {bFlatMajor, "ii7", 0, {0, 3, 7, 10}},
      {ePhrygianDominant, "I", 4, {4, 8, 11}}, {ePhrygianDominant, "II", 5, {5, 9, 0}}, {ePhrygianDominant, "vii", 2, {2, 5, 9}},
      {bDorian, "IV", 4, {4, 8, 11}},        {cMajor, "viio", 11, {11, 2, 5}},     {cMajor, "bVII", 10, {10, 2, 5}},
      {cMajor, "Vsus4", 7, {7, 0, 2}},
  };
  for (const Case& c : cases) {
    const music::Chord chord = music::ParseChord(c.key, c.numeral);
    EXPECT_EQ(chord.root, c.root) << c.numeral;
    EXPECT_EQ(Tones(chord), c.tones) << c.numeral;
  }
  for (const char* bad : {"", "X", "I9", "Iv", "vo7x"}) EXPECT_THROW(music::ParseChord(cMajor, bad), std::invalid_argument) << bad;
}

TEST(AssetgenMusicTheory, AMelodyOverAChordTakesItsTonesOutsideTheKey) {
  const Key aMinor{9, Mode::kMinor}, cMajor{0, Mode::kMajor};
  // Over V in A minor the leading tone G# replaces G; over i the key's own scale.
  const music::Scale overV = music::ChordScale(aMinor, music::ParseChord(aMinor, "V"));
  EXPECT_TRUE(overV.Has(8));
  EXPECT_FALSE(overV.Has(7));
  EXPECT_TRUE(music::ChordScale(aMinor, music::ParseChord(aMinor, "i")).Has(7));
  // D major over C major's second degree brings F#.
  const music::Scale overII = music::ChordScale(cMajor, music::ParseChord(cMajor, "II"));
  EXPECT_TRUE(overII.Has(6));
  EXPECT_FALSE(overII.Has(5));

  const music::Scale dMajor = music::KeyScale({2, Mode::kMajor});
  EXPECT_EQ(dMajor.Pitch(60, 0), 62);
  EXPECT_EQ(dMajor.Pitch(60, 7), 74);
  EXPECT_EQ(dMajor.Pitch(60, -1), 61);
  EXPECT_EQ(dMajor.Pitch(60, 2), 66);
  EXPECT_EQ(dMajor.StepAtOrBelow(60, 63), 0);
  EXPECT_EQ(dMajor.StepAtOrBelow(60, 61), -1);
  EXPECT_EQ(dMajor.StepAtOrBelow(60, 86), 14);
}

TEST(AssetgenMusicTheory, KeySignatures) {
  const std::pair<Key, int> cases[] = {
      {{2, Mode::kMajor}, 2},  {{7, Mode::kMajor}, 1},  {{9, Mode::kMinor}, 0},           {{11, Mode::kDorian}, 3},
      {{5, Mode::kMinor}, -4}, {{10, Mode::kMajor}, -2}, {{4, Mode::kPhrygianDominant}, 0},
  };
  for (const auto& [key, sharps] : cases) EXPECT_EQ(music::KeySignatureSharps(key), sharps) << key.tonic;
  EXPECT_FALSE(music::KeyIsMinor({2, Mode::kMajor}));
  EXPECT_TRUE(music::KeyIsMinor({9, Mode::kMinor}));
}
