// The bass line: the chord's root on the bar's first beat, then the style's
// figure: the fifth, a step towards the next chord, a walk, or the root held.
#include <algorithm>
#include <cstdlib>

#include "assetgen/music/arrangement.h"

namespace music {

namespace {

class BassWriter {
 public:
  BassWriter(const Tune& tune, const Layout& layout) : tune_(tune), layout_(layout), perBar_(layout.sixteenthsPerBar) {}

  std::vector<PartNote> Compose() {
    const int total = layout_.TotalSixteenths();
    for (int bar = 0; bar * perBar_ < total; ++bar) {
      const int at = bar * perBar_;
      const BarChords& chords = layout_.bars[static_cast<size_t>(bar)];
      const int root = Root(chords.first, last_), second = Root(chords.second, root);
      const int next = Root(layout_.ChordAt((at + perBar_) % total), root);
      const int half = perBar_ / 2;
      switch (tune_.bassStyle) {
        case BassStyle::kMarch:
          Add(at, half, root, 8);
          Add(at + half, half, chords.split ? second : Fifth(root), 0);
          break;
        case BassStyle::kFolk:
          if (perBar_ == 12) {
            Add(at, 4, root, 8);
            Add(at + 4, 4, chords.split ? second : Fifth(root), 0);
            Add(at + 8, 4, Approach(next, last_), -4);
          } else {
            Add(at, 6, root, 8);
            Add(at + 8, 4, chords.split ? second : Fifth(root), 0);
            Add(at + 12, 4, Approach(next, last_), -4);
          }
          break;
        case BassStyle::kDriving:
          for (int e = 0; e < perBar_ / 2; ++e) {
            const int note = chords.split && e * 2 >= half ? second : root;
            const bool lastEighth = e == perBar_ / 2 - 1;
            Add(at + e * 2, 2, lastEighth ? Fifth(note) : note, e % 2 == 0 ? 6 : -6);
          }
          break;
        case BassStyle::kWalking: {
          const Chord& first = chords.first;
          const int beats = perBar_ / 4;
          for (int beat = 0; beat < beats; ++beat) {
            int note;
            if (beat == beats - 1) note = next + (last_ < next ? -1 : 1);  // a semitone from the next root
            else if (chords.split && beat * 4 == half) note = second;
            else if (beat == 0) note = root;
            else note = Tone(chords.split && beat * 4 > half ? chords.second : first, beat == 1 ? 1 : 2, last_);
            Add(at + beat * 4, 4, InRange(note), beat == 0 ? 6 : 0);
          }
          break;
        }
        case BassStyle::kSustained:
          Add(at, chords.split ? half : perBar_, root, 0);
          if (chords.split) Add(at + half, half, second, 0);
          break;
      }
    }
    return notes_;
  }

 private:
  int InRange(int note) const {
    while (note < tune_.bass.low) note += 12;
    while (note > tune_.bass.high) note -= 12;
    return note;
  }

  // The chord's root in the range, the octave nearest the previous note.
  int Root(const Chord& chord, int near) const {
    int best = -1;
    for (int n = tune_.bass.low; n <= tune_.bass.high; ++n)
      if (PitchClass(n) == chord.root && (best < 0 || (near >= 0 && std::abs(n - near) < std::abs(best - near)))) best = n;
    return best < 0 ? InRange(tune_.bass.low + PitchClass(chord.root - tune_.bass.low)) : best;
  }

  int Fifth(int root) const { return root + 7 <= tune_.bass.high ? root + 7 : root - 5; }

  // A scale step next to the next root, on the side the line comes from.
  int Approach(int next, int from) const {
    const Scale scale = KeyScale(layout_.key);
    const int octaveC = 12 * (next / 12) - 12;
    const int step = scale.StepAtOrBelow(octaveC, next);
    return InRange(scale.Pitch(octaveC, step + (from > next ? 1 : -1)));
  }

  // The chord's k-th tone (1 the third, 2 the fifth) nearest the previous note.
  int Tone(const Chord& chord, size_t k, int near) const {
    const int pc = chord.tones[std::min(k, chord.tones.size() - 1)];
    int best = InRange(near - PitchClass(near - pc));
    if (best + 12 <= tune_.bass.high && std::abs(best + 12 - near) < std::abs(best - near)) best += 12;
    return best;
  }

  void Add(int at, int length, int note, int accent) {
    notes_.push_back({at, length, note, std::clamp(tune_.bass.velocity + accent, 1, 127), 0});
    last_ = note;
  }

  const Tune& tune_;
  const Layout& layout_;
  const int perBar_;
  int last_ = -1;
  std::vector<PartNote> notes_;
};

}  // namespace

std::vector<PartNote> ComposeBass(const Tune& tune, const Layout& layout) {
  if (tune.bass.program < 0) return {};
  return BassWriter(tune, layout).Compose();
}

}  // namespace music
