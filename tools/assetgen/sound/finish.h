// Turns rendered audio into clean 16-bit PCM: DC removal, normalisation to a
// chosen peak level below full scale, click-free edges (or a seamless loop
// seam), and rounding with seeded triangular dither. Used only by the asset
// generator (one thread).
#pragma once

#include <cstdint>
#include <vector>

#include "assetgen/sound/audio.h"

namespace synth {

// Folds a render of loopLength + fade samples (fade = the excess) into
// loopLength samples whose last sample flows into the first: the opening
// fade samples are blended, with equal power, with the continuation rendered
// past the loop's end. Meant for noise-like content; exactly periodic parts
// should be rendered cyclically instead.
Track FoldLoop(const Track& render, size_t loopLength);

// One-shot: DC blocked, 1 ms fade-in and 8 ms fade-out, then normalised so
// the loudest sample of either channel is at peakDb, dithered to 16 bits.
// Interleaved L R for stereo.
std::vector<int16_t> FinishOneShot(Audio audio, double peakDb, uint64_t ditherSeed);

// Loop: mean removed (keeps the seam), normalised to peakDb, dithered, no fades.
std::vector<int16_t> FinishLoop(Audio audio, double peakDb, uint64_t ditherSeed);

// Rounds samples in -1..1 to 16 bits with triangular dither of +-1 step,
// clamped to +-32767.
std::vector<int16_t> Quantise(const Audio& audio, uint64_t ditherSeed);

}  // namespace synth
