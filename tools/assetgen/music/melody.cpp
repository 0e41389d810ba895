// The lead melody and the voice under it. A and B sections each get one
// eight-bar melody, replayed wherever the section comes back: two four-bar
// phrases, the first ending open (a half cadence), the second closed on the
// tonic when the section ends on it. Notes on the beats that carry the
// harmony are chord tones; the notes between them pass by step or turn
// around a neighbour. A phrase repeats its first bar's rhythm and shape a
// step or two higher (a sequence), and the second phrase begins as the first.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "assetgen/music/arrangement.h"

namespace music {

namespace {

constexpr int kPhraseBars = 4;

// A bar's rhythm: note lengths in sixteenths, rests negative.
std::vector<int> ParseRhythm(const std::string& text, int barLength) {
  std::istringstream in(text);
  std::vector<int> lengths;
  int total = 0;
  for (int v; in >> v;) {
    if (v == 0) throw std::invalid_argument("empty length in rhythm: " + text);
    lengths.push_back(v);
    total += std::abs(v);
  }
  if (total != barLength) throw std::invalid_argument("rhythm does not fill a bar: " + text);
  return lengths;
}

struct MelodyNote {
  int at = 0;  // sixteenths from the section's start
  int length = 0;
  int step = 0;  // scale step above the lead's tonic
};

// Where the harmony is heard: the bar's first beat, the other beats, the
// rest. Long notes count as beats wherever they fall.
enum class Weight { kWeak, kBeat, kDownbeat };

Weight WeightAt(int pos, int length, int perBar) {
  if (pos % perBar == 0) return Weight::kDownbeat;
  if (pos % 4 == 0 || length >= 4) return Weight::kBeat;
  return Weight::kWeak;
}

class MelodyWriter {
 public:
  MelodyWriter(const Tune& tune, const Layout& layout, Random& random)
      : layout_(layout), random_(random), perBar_(layout.sixteenthsPerBar) {
    // Step 0 is the lowest tonic a fourth or more above the part's low
    // note, so that the melody can dip under its tonic.
    const Scale scale = KeyScale(layout.key);
    int tonic = scale.tonic;
    while (tonic < tune.lead.low + 5) tonic += 12;
    octaveC_ = tonic - scale.tonic;
    lowStep_ = scale.StepAtOrBelow(octaveC_, tune.lead.low - 1) + 1;
    highStep_ = scale.StepAtOrBelow(octaveC_, tune.lead.high);
    for (const std::string& r : tune.rhythms) rhythms_.push_back(ParseRhythm(r, perBar_));
    halfCadence_ = ParseRhythm(tune.halfCadence, perBar_);
    fullCadence_ = ParseRhythm(tune.fullCadence, perBar_);
    if (rhythms_.size() < 3) throw std::invalid_argument("a melody needs at least three rhythms");
    order_.resize(rhythms_.size());
    for (size_t i = 0; i < order_.size(); ++i) order_[i] = i;
    for (size_t i = order_.size() - 1; i > 0; --i) std::swap(order_[i], order_[static_cast<size_t>(random_.Int(0, static_cast<int>(i)))]);
  }

  int OctaveC() const { return octaveC_; }

  std::vector<MelodyNote> Compose(const Section& section) {
    section_ = &section;
    notes_.clear();
    const int bars = static_cast<int>(section.bars.size());
    const bool a = section.kind == 'A';
    // Rhythms of the first three bars of each phrase (the fourth is the
    // cadence): A plays x y x, then x y z; B plays x x y, then x x z.
    const size_t n = order_.size();
    const size_t x = order_[a ? 0 : 3 % n], y = order_[a ? 1 : 4 % n], z = order_[a ? 2 : 5 % n];
    const size_t plan[2][3] = {{x, a ? y : x, a ? x : y}, {x, a ? y : x, z}};
    const int start = a ? 2 * random_.Int(0, 1) : 4 + random_.Int(-1, 1);
    const int rise = a ? 2 : 1;

    std::vector<int> anchors(static_cast<size_t>(bars), 0);
    int previous = start;
    for (int bar = 0; bar < bars; ++bar) {
      const int phrase = bar / kPhraseBars, inPhrase = bar % kPhraseBars;
      const bool lastPhrase = phrase == (bars - 1) / kPhraseBars;
      const bool cadence = inPhrase == kPhraseBars - 1 || bar == bars - 1;
      const std::vector<int>& rhythm =
          cadence ? (lastPhrase && EndsOnTonic() ? fullCadence_ : halfCadence_)
                  : rhythms_[plan[phrase > 0 ? 1 : 0][inPhrase]];
      const int barStart = bar * perBar_;
      const int firstNote = FirstNoteAt(rhythm);
      // Where the bar's first note should lie: the contour rises through
      // the phrase to its third bar and comes down to the cadence.
      const int target = start + std::min(inPhrase, 2) * rise + (inPhrase == 2 && phrase > 0 ? 1 : 0);
      int anchor;
      if (cadence) {
        anchor = lastPhrase && EndsOnTonic() ? NearestTonic(previous) : HalfCadenceStep(barStart + firstNote, previous);
      } else if (phrase > 0 && inPhrase < 2) {
        anchor = anchors[static_cast<size_t>(inPhrase)];  // the second phrase begins as the first
      } else {
        anchor = NearestChordTone(barStart + firstNote, Toward(previous, target, 3), target >= previous ? 1 : -1);
      }
      anchors[static_cast<size_t>(bar)] = anchor;
      previous = anchor;
      barRhythms_.push_back(&rhythm);
    }

    for (int bar = 0; bar < bars; ++bar) {
      const int inPhrase = bar % kPhraseBars, phrase = bar / kPhraseBars;
      const int goal = bar + 1 < bars ? anchors[static_cast<size_t>(bar + 1)] : anchors[0];
      const bool sameRhythmAsFirst = barRhythms_[static_cast<size_t>(bar)] == barRhythms_[static_cast<size_t>(bar - inPhrase)];
      if (phrase > 0 && inPhrase < 2) {
        Transfer(bar, bar - phrase * kPhraseBars, anchors[static_cast<size_t>(bar)]);
      } else if (inPhrase > 0 && sameRhythmAsFirst) {
        Transfer(bar, bar - inPhrase, anchors[static_cast<size_t>(bar)]);
      } else {
        Fill(bar, anchors[static_cast<size_t>(bar)], goal);
      }
    }
    barRhythms_.clear();
    return notes_;
  }

 private:
  bool EndsOnTonic() const { return section_->bars.back().first.root == PitchClass(layout_.key.tonic); }

  static int FirstNoteAt(const std::vector<int>& rhythm) {
    int at = 0;
    for (int len : rhythm) {
      if (len > 0) return at;
      at -= len;
    }
    return 0;
  }

  static int Toward(int from, int to, int most) { return from + std::clamp(to - from, -most, most); }

  // The chord sounding at a sixteenth of the section, and the scale over it.
  const Chord& ChordAt(int at) const {
    return section_->bars[static_cast<size_t>(at / perBar_) % section_->bars.size()].At(at % perBar_, perBar_);
  }
  int Pitch(int at, int step) const { return ChordScale(layout_.key, ChordAt(at)).Pitch(octaveC_, step); }
  bool IsChordTone(int at, int step) const { return ChordAt(at).Has(PitchClass(Pitch(at, step))); }
  int Clamp(int step) const { return std::clamp(step, lowStep_, highStep_); }

  int NearestChordTone(int at, int step, int prefer) const {
    step = Clamp(step);
    for (int d = 0; d <= 7; ++d)
      for (int s : {step + d * prefer, step - d * prefer})
        if (s >= lowStep_ && s <= highStep_ && IsChordTone(at, s)) return s;
    return step;
  }

  int NearestTonic(int step) const {
    const int below = 7 * static_cast<int>(std::floor(step / 7.0));
    const int pick = step - below <= 3 ? below : below + 7;
    return pick >= lowStep_ ? (pick <= highStep_ ? pick : pick - 7) : pick + 7;
  }

  // An open ending: a chord tone near the previous note, not the tonic.
  int HalfCadenceStep(int at, int previous) const {
    for (int d = 0; d <= 7; ++d)
      for (int s : {previous - d, previous + d})
        if (s >= lowStep_ && s <= highStep_ && IsChordTone(at, s) && (s % 7 + 7) % 7 != 0) return s;
    return NearestChordTone(at, previous, -1);
  }

  void Add(int at, int length, int step) { notes_.push_back({at, length, Clamp(step)}); }

  // The bar's notes walk from its anchor towards the next bar's.
  void Fill(int bar, int anchor, int goal) {
    const std::vector<int>& rhythm = *barRhythms_[static_cast<size_t>(bar)];
    int count = 0;
    for (int len : rhythm) count += len > 0;
    int at = bar * perBar_, index = 0, current = anchor, lastMove = 0;
    for (int len : rhythm) {
      if (len < 0) {
        at -= len;
        continue;
      }
      int step = anchor;
      if (index > 0) {
        const int moves = count - index + 1;
        const double pull = static_cast<double>(goal - current) / moves;
        const int desired = current + static_cast<int>(std::lround(pull));
        if (WeightAt(at % perBar_, len, perBar_) != Weight::kWeak) {
          step = BestChordTone(at, current, desired, lastMove);
        } else if (desired != current) {
          step = current + (desired > current ? 1 : -1);  // passing note
        } else {
          step = Neighbour(at, current, lastMove > 0 ? -1 : 1);
        }
        if (step < lowStep_ || step > highStep_) step = current + (step < lowStep_ ? 1 : -1);
      }
      Add(at, len, step);
      lastMove = step - current;
      current = step;
      ++index;
      at += len;
    }
  }

  // A neighbour note a step away, on the side asked for unless that step
  // is wider than a tone (the augmented second of some scales).
  int Neighbour(int at, int current, int side) const {
    const int here = Pitch(at, current);
    if (std::abs(Pitch(at, current + side) - here) <= 2) return current + side;
    return current - side;
  }

  int BestChordTone(int at, int current, int desired, int lastMove) {
    int best = current;
    double bestScore = 1e9;
    for (int s = current - 4; s <= current + 4; ++s) {
      if (s < lowStep_ || s > highStep_ || !IsChordTone(at, s)) continue;
      const int move = s - current;
      double score = 2.0 * std::abs(s - desired) + random_.Uniform(0.0, 0.8);
      if (move == 0) score += lastMove == 0 ? 6.0 : 2.5;   // seldom a note twice, never three times
      if (std::abs(move) > 2) score += 1.0;                 // leaps are the exception
      if (std::abs(lastMove) > 2 && move * lastMove > 0) score += 2.0;  // after a leap, turn back
      if (score < bestScore) {
        bestScore = score;
        best = s;
      }
    }
    return best;
  }

  // Repeats an earlier bar's shape from a new anchor. A note on a beat
  // that falls off the chord moves to a chord tone nearby, keeping the
  // direction the original took from the note before it.
  void Transfer(int bar, int fromBar, int anchor) {
    std::vector<MelodyNote> source;
    for (const MelodyNote& n : notes_)
      if (n.at / perBar_ == fromBar) source.push_back(n);
    if (source.empty()) return;
    int previous = 0;
    for (size_t i = 0; i < source.size(); ++i) {
      MelodyNote c = source[i];
      c.at += (bar - fromBar) * perBar_;
      c.step = source[i].step + anchor - source[0].step;
      if (WeightAt(c.at % perBar_, c.length, perBar_) != Weight::kWeak && !IsChordTone(c.at, c.step)) {
        const int direction = i == 0 ? 0 : (source[i].step > source[i - 1].step) - (source[i].step < source[i - 1].step);
        int best = c.step, bestCost = 1 << 20;
        for (int s = c.step - 2; s <= c.step + 2; ++s) {
          if (s < lowStep_ || s > highStep_ || !IsChordTone(c.at, s)) continue;
          const int moved = i == 0 ? 0 : (s > previous) - (s < previous);
          const int cost = 2 * std::abs(s - c.step) + (i > 0 && moved != direction ? 3 : 0);
          if (cost < bestCost) {
            bestCost = cost;
            best = s;
          }
        }
        c.step = best;
      }
      Add(c.at, c.length, c.step);
      previous = Clamp(c.step);
    }
  }

  const Layout& layout_;
  Random& random_;
  const int perBar_;
  int octaveC_ = 60, lowStep_ = 0, highStep_ = 7;
  std::vector<std::vector<int>> rhythms_;
  std::vector<int> halfCadence_, fullCadence_;
  std::vector<size_t> order_;  // the rhythms in the order the tune uses them
  const Section* section_ = nullptr;
  std::vector<const std::vector<int>*> barRhythms_;
  std::vector<MelodyNote> notes_;
};

int Velocity(const Voice& voice, int pos, int length, int perBar, Random& random) {
  const Weight w = WeightAt(pos, length, perBar);
  const int accent = w == Weight::kDownbeat ? 8 : w == Weight::kBeat ? 3 : -5;
  return std::clamp(voice.velocity + accent + random.Int(-3, 3), 1, 127);
}

}  // namespace

std::vector<PartNote> ComposeLead(const Tune& tune, const Layout& layout, Random& random) {
  MelodyWriter writer(tune, layout, random);
  std::vector<MelodyNote> melodyA, melodyB;
  std::vector<PartNote> out;
  const int perBar = layout.sixteenthsPerBar;
  for (const Section& section : layout.sections) {
    if (section.kind == 'I') continue;
    std::vector<MelodyNote>& melody = section.kind == 'A' ? melodyA : melodyB;
    if (melody.empty()) melody = writer.Compose(section);
    for (const MelodyNote& n : melody) {
      const int at = section.firstBar * perBar + n.at;
      const int key = ChordScale(layout.key, layout.ChordAt(at)).Pitch(writer.OctaveC(), n.step);
      out.push_back({at, n.length, key, Velocity(tune.lead, n.at % perBar, n.length, perBar, random)});
    }
  }
  return out;
}

std::vector<PartNote> ComposeSecond(const Tune& tune, const Layout& layout, const std::vector<PartNote>& lead) {
  std::vector<PartNote> out;
  if (tune.second.program < 0) return out;
  const int perBar = layout.sixteenthsPerBar;
  for (const Section& section : layout.sections) {
    if (section.kind != 'A' || section.repeat == 0) continue;
    const int from = section.firstBar * perBar, to = from + static_cast<int>(section.bars.size()) * perBar;
    for (const PartNote& n : lead) {
      if (n.at < from || n.at >= to) continue;
      const Chord& chord = layout.ChordAt(n.at);
      const Scale scale = ChordScale(layout.key, chord);
      const int octaveC = 12 * (n.key / 12) - 24;
      const int leadStep = scale.StepAtOrBelow(octaveC, n.key);
      // A third under the lead; on the beats a chord tone, a fourth or
      // more under it if the third is not one.
      int step = leadStep - 2;
      if (WeightAt(n.at % perBar, n.length, perBar) != Weight::kWeak)
        while (step > leadStep - 6 && !chord.Has(PitchClass(scale.Pitch(octaveC, step)))) --step;
      // Out of the voice's range it rests rather than jump an octave.
      const int key = scale.Pitch(octaveC, step);
      if (key < tune.second.low || key > tune.second.high) continue;
      out.push_back({n.at, n.length, key, std::clamp(n.velocity - tune.lead.velocity + tune.second.velocity, 1, 127)});
    }
  }
  return out;
}

}  // namespace music
