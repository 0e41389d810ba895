#include "assetgen/music/theory.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace music {

namespace {

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

bool Scale::Has(int pc) const {
  for (int o : offsets)
    if (PitchClass(tonic + o) == PitchClass(pc)) return true;
  return false;
}

int Scale::Pitch(int octaveC, int step) const {
  const int octave = FloorDiv(step, 7);
  return octaveC + tonic + 12 * octave + offsets[static_cast<size_t>(step - 7 * octave)];
}

int Scale::StepAtOrBelow(int octaveC, int pitch) const {
  // Start an octave too high and walk down.
  int step = 7 * (FloorDiv(pitch - octaveC - tonic, 12) + 1);
  while (Pitch(octaveC, step) > pitch) --step;
  return step;
}

namespace {

const std::array<int, 7>& ModeOffsets(Mode mode) {
  static const std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};
  static const std::array<int, 7> kMinor = {0, 2, 3, 5, 7, 8, 10};
  static const std::array<int, 7> kDorian = {0, 2, 3, 5, 7, 9, 10};
  static const std::array<int, 7> kPhrygianDominant = {0, 1, 4, 5, 7, 8, 10};
  switch (mode) {
    case Mode::kMinor: return kMinor;
    case Mode::kDorian: return kDorian;
    case Mode::kPhrygianDominant: return kPhrygianDominant;
    case Mode::kMajor: break;
  }
  return kMajor;
}

}  // namespace

Scale KeyScale(const Key& key) { return Scale{PitchClass(key.tonic), ModeOffsets(key.mode)}; }

bool Chord::Has(int pc) const { return std::find(tones.begin(), tones.end(), PitchClass(pc)) != tones.end(); }

Chord ParseChord(const Key& key, const std::string& numeral) {
  size_t i = 0;
  int shift = 0;
  if (i < numeral.size() && (numeral[i] == 'b' || numeral[i] == '#')) shift = numeral[i++] == 'b' ? -1 : 1;
  static const char* const kNumerals[] = {"VII", "III", "VI", "IV", "II", "V", "I"};
  static const int kDegrees[] = {6, 2, 5, 3, 1, 4, 0};
  int degree = -1;
  bool upper = false;
  for (int n = 0; n < 7 && degree < 0; ++n) {
    const std::string roman = kNumerals[n];
    if (numeral.size() - i < roman.size()) continue;
    std::string part = numeral.substr(i, roman.size()), folded = part;
    for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool allUpper = part == roman, allLower = folded == roman && std::none_of(part.begin(), part.end(), ::isupper);
    if (!allUpper && !allLower) continue;
    degree = kDegrees[n];
    upper = allUpper;
    i += roman.size();
  }
  if (degree < 0) throw std::invalid_argument("not a chord: " + numeral);

  const Scale scale = KeyScale(key);
  Chord chord;
  chord.root = PitchClass(scale.tonic + scale.offsets[static_cast<size_t>(degree)] + shift);
  int third = upper ? 4 : 3, fifth = 7, seventh = -1;
  const std::string rest = numeral.substr(i);
  std::string suffix = rest;
  if (!suffix.empty() && suffix[0] == 'o') {
    third = 3;
    fifth = 6;
    suffix.erase(0, 1);
  }
  if (suffix == "sus4") third = 5;
  else if (suffix == "7") seventh = 10;
  else if (suffix == "maj7") seventh = 11;
  else if (!suffix.empty()) throw std::invalid_argument("not a chord: " + numeral);
  for (int interval : {0, third, fifth, seventh})
    if (interval >= 0) chord.tones.push_back(PitchClass(chord.root + interval));
  return chord;
}

Scale ChordScale(const Key& key, const Chord& chord) {
  Scale scale = KeyScale(key);
  for (int tone : chord.tones) {
    if (scale.Has(tone)) continue;
    for (int direction : {-1, 1}) {
      const int neighbour = PitchClass(tone + direction);
      auto it = std::find_if(scale.offsets.begin(), scale.offsets.end(),
                             [&](int o) { return PitchClass(scale.tonic + o) == neighbour; });
      if (it == scale.offsets.end() || (it == scale.offsets.begin())) continue;  // the tonic stays
      *it -= direction;
      break;
    }
  }
  return scale;
}

int KeySignatureSharps(const Key& key) {
  // The relative major's tonic decides the signature.
  static const int kMajorSharps[12] = {0, -5, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5};
  int majorTonic = key.tonic;
  switch (key.mode) {
    case Mode::kMinor: majorTonic = key.tonic + 3; break;
    case Mode::kDorian: majorTonic = key.tonic - 2; break;
    case Mode::kPhrygianDominant: majorTonic = key.tonic + 3 - 7; break;  // the harmonic minor a fifth below
    case Mode::kMajor: break;
  }
  return kMajorSharps[PitchClass(majorTonic)];
}

bool KeyIsMinor(const Key& key) { return key.mode != Mode::kMajor; }

}  // namespace music
