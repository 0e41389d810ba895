#include "audio/game_sounds.h"

#include <algorithm>
#include <cmath>

#include "audio/sound_system.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "state/shared_state.h"

void LoadGameSounds() {
  if (!SoundSystem().LoadSoundBank(platform::DataPath("sound.sdf"), 11))
    platform::ShowMessage("error load music game", platform::AppName());
}

int EffectsVolumeForPercent(int percent) {
  if (percent <= 0) return 0;
  // Hundredths of a decibel over the 10000 of full level.
  const double attenuation = 2000.0 * std::log10(std::min(percent, 100) / 100.0);
  return std::max(0, 10000 + static_cast<int>(std::lround(attenuation)));
}

void PlaySoundEffect(int sound) {
  CSoundSystem& sounds = SoundSystem();
  g_game.soundChannel = sounds.FindFreeChannel();
  if (g_game.soundChannel == 0) platform::ShowMessage("no free chanel", platform::AppName());
  sounds.PlayOnChannel(g_game.soundChannel, sound, 1, g_game.effectsVolume);
}
