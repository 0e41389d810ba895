// The sound bank file sound.sdf: five little-endian header arrays of 401
// entries each, indexed by sound number (channels u8 at 0, sample rate u32
// at 401, bits u8 at 2005, loop flag u8 at 2406, data size u32 at 2807),
// then from byte 4411 the PCM data of every non-empty sound 1..400 in
// ascending order with no gaps. Empty sounds have every field 0.
// Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "assetgen/sound/pcm_sound.h"

namespace synth {

constexpr int kSoundEntries = 401;  // entry 0 is never used
constexpr size_t kChannelsOffset = 0;
constexpr size_t kRateOffset = 401;
constexpr size_t kBitsOffset = 2005;
constexpr size_t kLoopOffset = 2406;
constexpr size_t kSizeOffset = 2807;
constexpr size_t kSoundDataOffset = 4411;

// The bank's bytes; false with a message when a sound's number is outside
// 1..400 or repeated, its channel count is not 1 or 2, or its samples are
// not whole frames.
bool EncodeSoundBank(const std::vector<PcmSound>& sounds, std::vector<uint8_t>* bytes, std::string* error);

// Generator: renders every effect and writes dir/sound.sdf.
bool WriteSoundBank(const std::string& dir, std::string* error);

}  // namespace synth
