// What a tune is made of before it is composed: key, tempo, meter, the
// chords of its sections and their order, the melody's rhythms and the
// instruments and playing styles of its parts. tunes.cpp describes the
// game's seven tunes with it. Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assetgen/music/theory.h"

namespace music {

// How the chord instrument plays each bar.
enum class ChordStyle {
  kPad,        // the chord held as long as it lasts
  kArpeggio,   // broken chord in eighth notes
  kStrum,      // strummed guitar, down and up strokes
  kStabs,      // short off-beat chords (a swing comping figure)
};

enum class BassStyle {
  kMarch,      // root on the first beat, fifth on the third
  kFolk,       // root, fifth, and a step leading to the next chord
  kDriving,    // eighth-note roots with a fifth before the next bar
  kWalking,    // a quarter-note walk ending a semitone from the next root
  kSustained,  // the root held for the whole chord
};

enum class DrumStyle { kNone, kMarch, kTambourine, kGallop, kHandDrums, kSwing, kTriangle };

// One instrument's part. program < 0 leaves the part out.
struct Voice {
  int program = -1;  // General MIDI program, 0-127
  int low = 0;       // lowest and highest note it is given
  int high = 127;
  int volume = 100;  // channel volume (controller 7)
  int pan = 64;      // 0 left, 64 centre, 127 right
  int reverb = 40;   // reverb send (controller 91)
  int velocity = 90; // the part's usual loudness
  int gate = 90;     // sounding share of each note's length, percent
};

struct Tune {
  const char* file;   // "begin.mid"
  const char* title;  // the name of the first track
  Key key;
  int bpm = 120;
  int beatsPerBar = 4;  // quarter-note beats: 3 or 4
  bool swing = false;   // off-beat eighths played late (2:1)
  // Chords bar by bar; a bar names one chord or two ("ii7 V7"), each
  // numeral as ParseChord reads it.
  std::vector<std::string> intro, a, b;
  // Sections in playing order: 'I' the intro (no melody), 'A', 'B'. A and B
  // are eight bars each; the whole form loops.
  std::string form;
  // The melody's bar rhythms in sixteenth notes, negative lengths rests
  // ("4 2 2 8"); each fills one bar. Phrase ends use the cadence rhythms.
  std::vector<std::string> rhythms;
  std::string halfCadence, fullCadence;
  Voice lead;
  Voice second;  // a voice a third under the lead, from the second A on
  Voice chords;
  ChordStyle chordStyle = ChordStyle::kPad;
  Voice pad;     // an extra held chord under everything
  Voice bass;
  BassStyle bassStyle = BassStyle::kFolk;
  DrumStyle drums = DrumStyle::kNone;
  int drumVolume = 90;
  // The whole tune's level (controller 11 on every channel), which evens
  // out the loudness of the tunes: rendered at the game's music level each
  // comes out at -25 LUFS (integrated loudness, within half a unit).
  int expression = 100;
  uint64_t seed = 1;
};

}  // namespace music
