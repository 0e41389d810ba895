// A finished sound as the game stores it (16-bit signed PCM at 44100 Hz,
// stereo frames interleaved left then right), and the little-endian byte
// helpers the sound bank and WAV writers share. Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr uint32_t kSoundRate = 44100;
constexpr uint8_t kSoundBits = 16;

struct PcmSound {
  int slot = 0;          // sound number in the bank, 1..400
  std::string name;      // short file-name word, e.g. "purchase"
  int channels = 1;      // 1 mono, 2 stereo
  bool loop = false;     // played looping by the game
  std::vector<int16_t> samples;  // interleaved

  size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
};

void AppendU8(std::vector<uint8_t>& out, uint8_t v);
void AppendU16(std::vector<uint8_t>& out, uint16_t v);
void AppendU32(std::vector<uint8_t>& out, uint32_t v);
void AppendSamples(std::vector<uint8_t>& out, const std::vector<int16_t>& samples);

// Writes bytes to path (replacing it); false with a message on failure.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error);

}  // namespace synth
