// The sound bank's sample conversions: the loading quality picks a target
// format, and every sound above it is brought down to it once, at loading,
// by plain integer passes over whole frames (down-mix, then bits, then rate).
// A sound is never raised to a richer format.
//
// Threads: the game thread (while the sound bank loads).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/audio_device.h"

// Target of quality 0 to 11 (clamped): 11025 Hz for 0-3, 22050 for 4-7, 44100
// for 8-11; 8 bits for even qualities, 16 for odd; mono when quality mod 4 is
// 0 or 1, stereo when 2 or 3.
platform::PcmFormat QualityFormat(int quality);

// Bytes of one frame (all channels of one sample time).
size_t FrameBytes(const platform::PcmFormat& format);

// Stereo to mono: each frame becomes the average of its left and right
// samples, truncated toward zero (8-bit: of the unsigned values, 16-bit: of
// the signed ones). Works in place; returns the new size.
size_t DownMixToMono(uint8_t* data, size_t size, int bits);

// 16-bit to 8-bit: each sample s becomes s / 256 truncated toward zero, plus
// 128, as an unsigned byte. Works in place; returns the new size.
size_t ReduceTo8Bits(uint8_t* data, size_t size);

// Keeps every ratio-th frame, starting with the first. Works in place;
// returns the new size (the whole frames of size / ratio).
size_t KeepEveryNthFrame(uint8_t* data, size_t size, size_t frameBytes, uint32_t ratio);

// Brings data (whole frames of *format) down toward target, in the order
// down-mix, bits, rate, and updates *format. A lower target rate keeps every
// (rate / target rate)-th frame and takes the target rate as the sound's rate,
// even when that ratio is 1. Returns the new size.
size_t ConvertTowardTarget(uint8_t* data, size_t size, platform::PcmFormat* format,
                           const platform::PcmFormat& target);
