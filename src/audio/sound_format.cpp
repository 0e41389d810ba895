#include "audio/sound_format.h"

#include <algorithm>

namespace {

int16_t Sample16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }

void PutSample16(uint8_t* p, int value) {
  const auto u = static_cast<uint16_t>(value);
  p[0] = static_cast<uint8_t>(u & 0xFF);
  p[1] = static_cast<uint8_t>(u >> 8);
}

}  // namespace

platform::PcmFormat QualityFormat(int quality) {
  quality = std::clamp(quality, 0, 11);
  static constexpr int kRates[3] = {11025, 22050, 44100};
  platform::PcmFormat f;
  f.rate = kRates[quality / 4];
  f.bits = quality % 2 == 0 ? 8 : 16;
  f.channels = quality % 4 < 2 ? 1 : 2;
  return f;
}

size_t FrameBytes(const platform::PcmFormat& format) {
  return static_cast<size_t>(std::max(format.channels * format.bits / 8, 1));
}

size_t DownMixToMono(uint8_t* data, size_t size, int bits) {
  if (bits == 8) {
    const size_t frames = size / 2;
    for (size_t i = 0; i < frames; ++i) data[i] = static_cast<uint8_t>((data[2 * i] + data[2 * i + 1]) / 2);
    return frames;
  }
  const size_t frames = size / 4;
  for (size_t i = 0; i < frames; ++i) {
    const int left = Sample16(data + 4 * i), right = Sample16(data + 4 * i + 2);
    PutSample16(data + 2 * i, (left + right) / 2);  // integer division truncates toward zero
  }
  return frames * 2;
}

size_t ReduceTo8Bits(uint8_t* data, size_t size) {
  const size_t samples = size / 2;
  for (size_t i = 0; i < samples; ++i) data[i] = static_cast<uint8_t>(Sample16(data + 2 * i) / 256 + 128);
  return samples;
}

size_t KeepEveryNthFrame(uint8_t* data, size_t size, size_t frameBytes, uint32_t ratio) {
  if (ratio <= 1 || frameBytes == 0) return size - size % std::max<size_t>(frameBytes, 1);
  const size_t kept = size / frameBytes / ratio;
  for (size_t k = 1; k < kept; ++k)
    std::copy_n(data + k * ratio * frameBytes, frameBytes, data + k * frameBytes);
  return kept * frameBytes;
}

size_t ConvertTowardTarget(uint8_t* data, size_t size, platform::PcmFormat* format,
                           const platform::PcmFormat& target) {
  if (target.channels < format->channels && format->channels == 2) {
    size = DownMixToMono(data, size, format->bits);
    format->channels = 1;
  }
  if (target.bits < format->bits && format->bits == 16) {
    size = ReduceTo8Bits(data, size);
    format->bits = 8;
  }
  if (target.rate < format->rate) {
    const auto ratio = static_cast<uint32_t>(format->rate / target.rate);
    size = KeepEveryNthFrame(data, size, FrameBytes(*format), ratio);
    format->rate = target.rate;
  }
  return size;
}
