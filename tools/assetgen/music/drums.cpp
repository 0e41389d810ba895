// The drum part (General MIDI channel 10): one pattern a bar for the
// style, a fill in the last bar of every section leading into the next, and
// a crash on the first beat of a section where the style has one. A hit
// rings until the same drum is struck again or half a bar has passed.
#include <algorithm>
#include <cstring>

#include "assetgen/music/arrangement.h"

namespace music {

namespace {

// General MIDI percussion keys.
constexpr int kKick = 36, kSideStick = 37, kSnare = 38, kClosedHat = 42, kLowTom = 45, kPedalHat = 44, kMidTom = 47,
              kCrash = 49, kHighTom = 50, kRide = 51, kTambourine = 54, kHighBongo = 60, kMuteConga = 62,
              kLowConga = 64, kOpenTriangle = 81;

// One drum's line in a bar, a character a sixteenth: 'X' accent, 'x'
// normal, 'o' soft, '.' silent.
struct Line {
  int key;
  const char* hits;
};

struct Kit {
  std::vector<Line> bar4, fill4, bar3, fill3;
  bool crash;
};

const Kit& KitFor(DrumStyle style) {
  static const Kit kNoneKit{{}, {}, {}, {}, false};
  static const Kit kMarchKit{
      {{kKick, "X.......x......."}, {kSnare, "....X..o....X.o."}},
      {{kKick, "X.......X......."}, {kSnare, "....X...x.x.XxXx"}},
      {{kKick, "X..........."}, {kSnare, "....x...x..o"}},
      {{kKick, "X..........."}, {kSnare, "....x.x.xxXx"}},
      true};
  static const Kit kTambourineKit{
      {{kKick, "o.......o......."}, {kTambourine, "....x.......x..."}},
      {{kKick, "o.......o......."}, {kTambourine, "....x...x.x.xxxx"}},
      {{kKick, "o..........."}, {kTambourine, "....x...x..."}},
      {{kKick, "o..........."}, {kTambourine, "....x.x.x.xx"}},
      false};
  static const Kit kGallopKit{
      {{kKick, "X.....x.X.....x."}, {kSideStick, "....x.......x..."}, {kClosedHat, "x.xxx.xxx.xxx.xx"}},
      {{kKick, "X.....x.X......."}, {kClosedHat, "x.xxx.xx........"}, {kHighTom, "........X.x....."}, {kLowTom, "............X.x."}},
      {{kKick, "X.....x....."}, {kSideStick, "....x...x..."}, {kClosedHat, "x.xxx.xxx.xx"}},
      {{kKick, "X.....x....."}, {kClosedHat, "x.xxx......."}, {kMidTom, "........X.x."}},
      true};
  static const Kit kHandDrumsKit{
      {{kLowConga, "X.......X......."}, {kHighBongo, "..x...x.....x..."}, {kMuteConga, "..........o...oo"}, {kTambourine, "....o.......o..."}},
      {{kLowConga, "X.......X...X.X."}, {kHighBongo, "..x...x.xx.xx.xx"}, {kTambourine, "....o.......o..."}},
      {{kLowConga, "X..........."}, {kHighBongo, "..x.x...x..."}, {kMuteConga, "......o...oo"}},
      {{kLowConga, "X.......X.X."}, {kHighBongo, "..x.x.xxx.xx"}},
      false};
  static const Kit kSwingKit{
      {{kRide, "x...x.x.x...x.x."}, {kPedalHat, "....x.......x..."}, {kKick, "o.......o......."}},
      {{kRide, "x...x.x.x...x..."}, {kPedalHat, "....x.......x..."}, {kSnare, "........o..x.x.x"}},
      {{kRide, "x...x.x.x..."}, {kPedalHat, "....x...x..."}},
      {{kRide, "x...x.x....."}, {kSnare, "........o.xx"}},
      true};
  static const Kit kTriangleKit{
      {{kOpenTriangle, "o..............."}}, {{kOpenTriangle, "o.......o......."}},
      {{kOpenTriangle, "o..........."}}, {{kOpenTriangle, "o.......o..."}},
      false};
  switch (style) {
    case DrumStyle::kMarch: return kMarchKit;
    case DrumStyle::kTambourine: return kTambourineKit;
    case DrumStyle::kGallop: return kGallopKit;
    case DrumStyle::kHandDrums: return kHandDrumsKit;
    case DrumStyle::kSwing: return kSwingKit;
    case DrumStyle::kTriangle: return kTriangleKit;
    case DrumStyle::kNone: break;
  }
  return kNoneKit;
}

int HitVelocity(char c) { return c == 'X' ? 112 : c == 'x' ? 88 : c == 'o' ? 58 : 0; }

}  // namespace

std::vector<PartNote> ComposeDrums(const Tune& tune, const Layout& layout, Random& random) {
  std::vector<PartNote> out;
  const Kit& kit = KitFor(tune.drums);
  const int perBar = layout.sixteenthsPerBar;
  for (const Section& section : layout.sections) {
    const int bars = static_cast<int>(section.bars.size());
    for (int b = 0; b < bars; ++b) {
      const int at = (section.firstBar + b) * perBar;
      const bool fill = b == bars - 1;
      const std::vector<Line>& lines = perBar == 16 ? (fill ? kit.fill4 : kit.bar4) : (fill ? kit.fill3 : kit.bar3);
      for (const Line& line : lines) {
        const int n = std::min(perBar, static_cast<int>(std::strlen(line.hits)));
        for (int i = 0; i < n; ++i) {
          const int v = HitVelocity(line.hits[i]);
          if (v > 0) out.push_back({at + i, perBar / 2, line.key, std::clamp(v + random.Int(-4, 4), 1, 127), 0});
        }
      }
      if (b == 0 && kit.crash && section.kind != 'I') out.push_back({at, perBar, kCrash, 96, 0});
    }
  }
  return out;
}

}  // namespace music
