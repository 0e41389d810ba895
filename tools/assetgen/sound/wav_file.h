// WAV files of the sounds, a review aid: the standard 44-byte RIFF header
// (PCM format 1) followed by the samples. Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assetgen/sound/pcm_sound.h"

namespace synth {

std::vector<uint8_t> EncodeWav(const PcmSound& sound);

// "sound02_purchase.wav"
std::string WavFileName(const PcmSound& sound);

// Level of the loudest sample and the RMS level, in dB below full scale.
struct Levels {
  double peakDbfs = -200;
  double rmsDbfs = -200;
};
Levels MeasureLevels(const std::vector<int16_t>& samples);

}  // namespace synth
