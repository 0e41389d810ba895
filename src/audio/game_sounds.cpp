#include "audio/game_sounds.h"

#include "audio/sound_system.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "state/shared_state.h"

void LoadGameSounds() {
  if (!SoundSystem().LoadSoundBank(platform::DataPath("sound.sdf"), 11))
    platform::ShowMessage("error load music game", platform::AppName());
}

void PlaySoundEffect(int sound) {
  CSoundSystem& sounds = SoundSystem();
  g_game.soundChannel = sounds.FindFreeChannel();
  if (g_game.soundChannel == 0) platform::ShowMessage("no free chanel", platform::AppName());
  sounds.PlayOnChannel(g_game.soundChannel, sound, 1, g_game.effectsVolume);
}
