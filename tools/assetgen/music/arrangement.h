// The composer's working form of a tune: the chords bar by bar and each
// part's notes, timed in sixteenth notes from the start of the tune.
// Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <vector>

#include "assetgen/levels/search_random.h"
#include "assetgen/music/theory.h"
#include "assetgen/music/tune.h"

namespace music {

using Random = levels::SearchRandom;

struct PartNote {
  int at = 0;      // sixteenths from the start of the tune
  int length = 0;  // sixteenths
  int key = 0;
  int velocity = 0;
  int nudge = 0;   // ticks later than `at` (the strings of a strum)
};

// The chords of one bar: one, or two splitting it in halves.
struct BarChords {
  Chord first, second;
  bool split = false;
  const Chord& At(int sixteenthInBar, int sixteenthsPerBar) const {
    return split && sixteenthInBar >= sixteenthsPerBar / 2 ? second : first;
  }
};

struct Section {
  char kind = 'A';  // 'I', 'A' or 'B'
  int firstBar = 0;
  int repeat = 0;   // how many sections of this kind came before
  std::vector<BarChords> bars;
};

// The tune laid out bar by bar.
struct Layout {
  Key key;
  int sixteenthsPerBar = 16;
  std::vector<Section> sections;
  std::vector<BarChords> bars;  // every bar of the tune in order

  int TotalSixteenths() const { return static_cast<int>(bars.size()) * sixteenthsPerBar; }
  const Chord& ChordAt(int sixteenth) const {
    const BarChords& bar = bars[static_cast<size_t>(sixteenth / sixteenthsPerBar) % bars.size()];
    return bar.At(sixteenth % sixteenthsPerBar, sixteenthsPerBar);
  }
};

// Reads the tune's chords and form; throws std::invalid_argument on a
// numeral ParseChord does not read or a form letter without chords.
Layout LayOut(const Tune& tune);

// The parts. Each returns its notes over the whole layout.
std::vector<PartNote> ComposeLead(const Tune& tune, const Layout& layout, Random& random);
std::vector<PartNote> ComposeSecond(const Tune& tune, const Layout& layout, const std::vector<PartNote>& lead);
std::vector<PartNote> ComposeChords(const Voice& voice, ChordStyle style, const Layout& layout);
std::vector<PartNote> ComposeBass(const Tune& tune, const Layout& layout);
std::vector<PartNote> ComposeDrums(const Tune& tune, const Layout& layout, Random& random);

}  // namespace music
