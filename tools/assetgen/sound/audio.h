// A rendered sound before it becomes 16-bit PCM: one or two channels of
// double samples at 44100 Hz, and the mixing helpers the effects share.
// Used only by the asset generator (one thread).
#pragma once

#include <cstddef>
#include <vector>

#include "assetgen/sound/synth_toolkit.h"

namespace synth {

using Track = std::vector<double>;

struct Audio {
  Track left;
  Track right;  // empty for a mono sound
  bool Stereo() const { return !right.empty(); }
};

// seconds of samples of f(t), t in seconds from the first sample.
template <typename F>
Track Render(double seconds, F&& f) {
  Track out(Samples(seconds));
  for (size_t n = 0; n < out.size(); ++n) out[n] = f(static_cast<double>(n) / kSampleRate);
  return out;
}

// dst += gain * src, src starting at dst's sample offset; what does not fit is dropped.
void MixInto(Track& dst, const Track& src, size_t offset, double gain);
// Equal-power pan of a mono track into a stereo mix, pan -1 (left) .. 1 (right).
void PanInto(Audio& dst, const Track& src, size_t offset, double gain, double pan);
// Largest absolute sample.
double PeakOf(const Track& t);
// Scales the track so its peak is 1 (a silent track stays silent).
void NormalisePeak(Track& t);
// Soft saturation: the peak is normalised to 1, then shaped by tanh(drive x).
void Saturate(Track& t, double drive);
// Multiplies the last `seconds` by a raised-cosine fade to 0.
void FadeOutTail(Track& t, double seconds);

}  // namespace synth
