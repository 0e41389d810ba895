// The effects of the sound bank: for every sound number its file-name word,
// loop flag, peak level and renderer, and the rendering into finished PCM.
// Asset generator only.
//
// Threads: the generator runs on one thread.
#pragma once

#include <vector>

#include "assetgen/sound/audio.h"
#include "assetgen/sound/pcm_sound.h"

namespace synth {

struct EffectEntry {
  int slot;
  const char* name;
  bool loop;
  double peakDb;  // level of the loudest sample, below full scale
  Audio (*render)();
};

// Sounds 2..22 in slot order.
const std::vector<EffectEntry>& EffectCatalogue();

PcmSound RenderEffect(const EffectEntry& entry);
std::vector<PcmSound> RenderSoundEffects();

}  // namespace synth
