// Music theory for the tunes: keys and their scales, chords named by Roman
// numerals over the key's scale, the scale a melody uses over a chord, and
// pitches counted in scale steps. Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace music {

enum class Mode { kMajor, kMinor, kDorian, kPhrygianDominant };

struct Key {
  int tonic = 0;  // pitch class, 0 = C
  Mode mode = Mode::kMajor;
};

// Seven tones: the tonic's pitch class and each degree's distance above it
// in semitones, ascending from 0.
struct Scale {
  int tonic = 0;
  std::array<int, 7> offsets{};

  bool Has(int pitchClass) const;
  // MIDI note of scale step `step`, step 0 being the tonic in the octave
  // that starts at C note `octaveC`; steps below 0 go down the octaves.
  int Pitch(int octaveC, int step) const;
  // The step of the scale tone at or just below pitch.
  int StepAtOrBelow(int octaveC, int pitch) const;
};

Scale KeyScale(const Key& key);

// A chord: its root and tones as pitch classes (root first).
struct Chord {
  int root = 0;
  std::vector<int> tones;

  bool Has(int pitchClass) const;
};

// Parses a Roman numeral over the key's scale: the numeral picks the scale
// degree (I to VII), upper case builds a major triad and lower case a minor
// one, a trailing "o" a diminished one; "7" adds a minor seventh ("maj7" a
// major one), "sus4" replaces the third by the fourth; a leading "b" or "#"
// moves the root a semitone. Throws std::invalid_argument on anything else.
Chord ParseChord(const Key& key, const std::string& numeral);

// The scale a melody uses over the chord: the key's scale with the tone a
// semitone from each chord tone outside the scale replaced by that chord
// tone (the one below preferred), so V in a minor key brings its leading tone.
Scale ChordScale(const Key& key, const Chord& chord);

// Sharps (> 0) or flats (< 0) of the key's signature, and whether it is minor.
int KeySignatureSharps(const Key& key);
bool KeyIsMinor(const Key& key);

// The pitch class of a note.
inline int PitchClass(int note) { return ((note % 12) + 12) % 12; }

}  // namespace music
