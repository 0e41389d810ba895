// The chord instruments: each chord voiced in the part's range as close as
// possible to the chord before it (smooth voice leading), then held, broken
// into an arpeggio, strummed or played as short off-beat stabs.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "assetgen/music/arrangement.h"

namespace music {

namespace {

struct Span {
  int at;
  int length;
  const Chord* chord;
};

bool SameChord(const Chord& a, const Chord& b) { return a.root == b.root && a.tones == b.tones; }

// The chords in time order, one span per chord change.
std::vector<Span> ChordSpans(const Layout& layout, bool merge) {
  std::vector<Span> spans;
  const int half = layout.sixteenthsPerBar / 2;
  for (size_t b = 0; b < layout.bars.size(); ++b) {
    const BarChords& bar = layout.bars[b];
    const int at = static_cast<int>(b) * layout.sixteenthsPerBar;
    const Span parts[2] = {{at, bar.split ? half : layout.sixteenthsPerBar, &bar.first},
                           {at + half, layout.sixteenthsPerBar - half, &bar.second}};
    for (int i = 0; i < (bar.split ? 2 : 1); ++i) {
      if (merge && !spans.empty() && SameChord(*spans.back().chord, *parts[i].chord)) spans.back().length += parts[i].length;
      else spans.push_back(parts[i]);
    }
  }
  return spans;
}

// The chord's tones stacked upwards from each inversion within the range;
// the one that moves least from the previous voicing.
std::vector<int> VoiceChord(const Chord& chord, const Voice& voice, const std::vector<int>& previous) {
  std::vector<int> best;
  long bestCost = LONG_MAX;
  const size_t n = chord.tones.size();
  for (size_t inversion = 0; inversion < n; ++inversion) {
    for (int start = voice.low; start < voice.low + 12; ++start) {
      if (PitchClass(start) != chord.tones[inversion]) continue;
      std::vector<int> notes = {start};
      for (size_t k = 1; k < n; ++k) {
        int next = notes.back() + 1;
        while (PitchClass(next) != chord.tones[(inversion + k) % n]) ++next;
        notes.push_back(next);
      }
      for (int shift = 0; notes.back() + shift <= voice.high; shift += 12) {
        long cost = 0;
        for (size_t k = 0; k < n; ++k) {
          const int note = notes[k] + shift;
          cost += previous.empty() ? std::abs(note - (voice.low + voice.high) / 2) : std::abs(note - previous[std::min(k, previous.size() - 1)]);
        }
        if (cost < bestCost) {
          bestCost = cost;
          best = notes;
          for (int& note : best) note += shift;
        }
      }
    }
  }
  return best;
}

void Hit(std::vector<PartNote>& out, const std::vector<int>& notes, int at, int length, int velocity, bool down) {
  // A strum sounds the strings one after another, 12 ticks apart.
  for (size_t k = 0; k < notes.size(); ++k) {
    const int order = static_cast<int>(down ? k : notes.size() - 1 - k);
    out.push_back({at, length, notes[k], std::clamp(velocity - 3 * order, 1, 127), 12 * order});
  }
}

}  // namespace

std::vector<PartNote> ComposeChords(const Voice& voice, ChordStyle style, const Layout& layout) {
  std::vector<PartNote> out;
  if (voice.program < 0) return out;
  std::vector<int> previous;
  const bool four = layout.sixteenthsPerBar == 16;
  const int v = voice.velocity;
  for (const Span& span : ChordSpans(layout, style == ChordStyle::kPad)) {
    const std::vector<int> notes = VoiceChord(*span.chord, voice, previous);
    previous = notes;
    switch (style) {
      case ChordStyle::kPad:
        for (int note : notes) out.push_back({span.at, span.length, note, v, 0});
        break;
      case ChordStyle::kArpeggio: {
        // Up through the chord and its octave and back, an eighth each.
        std::vector<int> tones = notes;
        tones.push_back(notes.front() + 12);
        static const int kUpDown4[8] = {0, 1, 2, 3, 2, 1, 2, 1};
        static const int kUpDown3[6] = {0, 1, 2, 3, 2, 1};
        for (int e = 0; e * 2 < span.length; ++e) {
          const int posInBar = (span.at + e * 2) % layout.sixteenthsPerBar;
          const int index = four ? kUpDown4[posInBar / 2 % 8] : kUpDown3[posInBar / 2 % 6];
          const int tone = tones[static_cast<size_t>(std::min<int>(index, static_cast<int>(tones.size()) - 1))];
          out.push_back({span.at + e * 2, 4, tone, v - (posInBar % 4 == 0 ? 0 : 8), 0});
        }
        break;
      }
      case ChordStyle::kStrum: {
        // Down, down-up, up-down-up: {position, velocity, down}.
        static const int kStrokes4[6][3] = {{0, 12, 1}, {4, 0, 1}, {6, -14, 0}, {10, -14, 0}, {12, 4, 1}, {14, -16, 0}};
        static const int kStrokes3[5][3] = {{0, 12, 1}, {4, 0, 1}, {6, -14, 0}, {8, 0, 1}, {10, -14, 0}};
        const int count = four ? 6 : 5;
        for (int s = 0; s < count; ++s) {
          const int* stroke = four ? kStrokes4[s] : kStrokes3[s];
          const int at = span.at - span.at % layout.sixteenthsPerBar + stroke[0];
          if (at < span.at || at >= span.at + span.length) continue;
          const int next = s + 1 < count ? (four ? kStrokes4[s + 1][0] : kStrokes3[s + 1][0]) : layout.sixteenthsPerBar;
          const int end = std::min(span.at + span.length, at - stroke[0] + next);
          Hit(out, notes, at, end - at, v + stroke[1], stroke[2] != 0);
        }
        break;
      }
      case ChordStyle::kStabs: {
        // Short chords off the beat; every other bar a different figure.
        const int bar = span.at / layout.sixteenthsPerBar;
        const int figure[2][2] = {{0, 6}, {2, 8}};
        for (int pos : figure[bar % 2]) {
          const int at = bar * layout.sixteenthsPerBar + pos;
          if (at < span.at || at >= span.at + span.length) continue;
          for (int note : notes) out.push_back({at, 2, note, v - (pos == 0 ? 0 : 6), 0});
        }
        break;
      }
    }
  }
  return out;
}

}  // namespace music
