// Voices several effects share: filtered noise bursts, pitched thuds, struck
// resonant objects and layered explosions. Each returns an unscaled track.
// Used only by the asset generator (one thread).
#pragma once

#include <cstdint>

#include "assetgen/sound/audio.h"

namespace synth {

enum class FilterKind { kLowPass, kHighPass, kBandPass };

// Gain that brings low-passed white noise (cutoff cutoffHz) to a level of
// about 0.35 RMS whatever its bandwidth.
double Flatten(double cutoffHz);

// White noise through one biquad.
Track FilteredNoise(double seconds, FilterKind kind, double hz, double q, uint64_t seed);

// A short burst of filtered noise: a smooth attack, then exponential decay.
Track Burst(double seconds, FilterKind kind, double hz, double q, double attack, double tau, uint64_t seed);

// A sine whose pitch glides geometrically from fromHz to toHz over glide
// seconds, shaped by a smooth attack and exponential decay: kicks, thumps.
Track Thud(double seconds, double fromHz, double toHz, double glide, double attack, double tau);

// A steady sine with a smooth attack and exponential decay: ticks, sparkles.
inline Track Ping(double seconds, double hz, double attack, double tau) {
  return Thud(seconds, hz, hz, 1.0, attack, tau);
}

// Damped partials of a struck object, starting at t = 0.
Track Struck(double seconds, const Partial* partials, size_t count);

// Layers of an explosion. Levels are relative; 0 leaves a layer out.
struct BoomShape {
  double seconds;
  double crackLevel, crackTau;                 // broadband attack
  double bodyLevel, bodyFromHz, bodyToHz, bodyTau;  // low-passed noise closing down
  double subLevel, subFromHz, subToHz, subTau;      // sine drop
  double rumbleLevel, rumbleHz, rumbleTau;     // slow, unsteady low tail
  double drive;                                // tanh saturation
  double reverb;                               // wet share of a small room
};
Track BoomTrack(const BoomShape& shape, uint64_t seed);

}  // namespace synth
