// How the game uses the sound system: loading the sound bank at the start of
// the game flow, and playing a sound effect the way every effect is played
// (a free channel, a message when there is none, the effects volume, and the
// channel released once the sound has finished).
//
// Threads: the game thread.
#pragma once

// Loads "sound.sdf" at the best quality (44100 Hz, 16 bits, stereo); shows
// "error load music game" when that fails and goes on.
void LoadGameSounds();

// The effects volume (0 to 10000, full) for a player's volume in per cent:
// 100 is the designed full level, 0 silence, and each halving 6 dB quieter.
int EffectsVolumeForPercent(int percent);

// Plays sound effect `sound`: FindFreeChannel into the shared sound channel,
// "no free chanel" when it is 0, then the sound on that channel (even on 0)
// with auto-release at the effects volume.
void PlaySoundEffect(int sound);
