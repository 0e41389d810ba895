// The game's seven tunes: the title's, one for each scenery set's rounds
// (earth, red rock, sand, moss, ice) and the shop's, each its own key,
// tempo, meter and instruments. Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <string>
#include <vector>

#include "assetgen/music/tune.h"

namespace music {

// "begin.mid", "tex1.mid" .. "tex5.mid", "mag.mid", in that order.
const std::vector<Tune>& GameTunes();

// Generator: composes every tune and writes it into dir.
bool WriteTunes(const std::string& dir, std::string* error);

}  // namespace music
