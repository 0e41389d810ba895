// Composes a tune from its description into a Standard MIDI File: the
// layout of chords, the parts (melody, a second voice, chords, a held pad,
// bass, drums), each on its own track and channel with its General MIDI
// instrument. The same description always gives the same bytes.
// Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <cstdint>
#include <vector>

#include "assetgen/music/tune.h"

namespace music {

constexpr int kTicksPerQuarter = 480;

// Throws std::invalid_argument when the description cannot be read.
std::vector<uint8_t> ComposeTune(const Tune& tune);

// Seconds from the start to the loop point.
double TuneSeconds(const Tune& tune);

}  // namespace music
