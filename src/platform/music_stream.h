// Music through SDL2_mixer: one Standard MIDI File at a time, played
// looping through a General MIDI soundfont (SDL2_mixer's FluidSynth), at a
// fixed level under the sound effects. It shares the sound device's mixer,
// so it is opened after the device and closed before it.
//
// Threads: opened, played, halted and closed on one thread (the game's
// main or game thread, or the generator's only one); SDL2_mixer's audio
// thread mixes the tune and counts what it played.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The music's level, out of SDL2_mixer's 128 (128 gives FluidSynth a gain
// of 1). Chosen by rendering the tunes and the sound effects and comparing
// them as they meet in the game's output: at 67 every tune plays at -25 LUFS
// (integrated loudness) with peaks of -11 to -17 dBFS, while the effects
// sound at -11 to -20 LUFS with peaks of -1 to -5 dBFS (explosions and
// launches reach -10 to -11 LUFS over 400 ms). So the music lies about
// 10 dB under the effects: shots, bounces and explosions stand out and the
// tune carries on beneath them.
constexpr int kMusicVolume = 67;

// The player's music volume, in per cent of kMusicVolume (100 at start); the
// tune playing follows at once.
void SetMusicLevel(int percent);

// The soundfont the tunes are played with: the files SDL_SOUNDFONTS names
// (separated by ':' or ';') when it is set, otherwise the first General MIDI
// soundfont found where Debian installs them (timgm6mb-soundfont's first).
// Empty when none of those files exists.
std::string FindSoundFonts();

class MusicStream {
 public:
  // Null when no tune can be heard: no sound device is open, the device is
  // SDL's dummy driver (which discards what it is given), or no soundfont
  // exists. At most one stream is open at a time.
  static std::unique_ptr<MusicStream> Open();
  ~MusicStream();
  MusicStream(const MusicStream&) = delete;
  MusicStream& operator=(const MusicStream&) = delete;

  // Halts the tune playing and plays the file from its start, over and
  // over. False, and silence, when the file cannot be read as a tune.
  bool Play(const std::string& path);
  // Halts the tune and frees it; harmless when none plays.
  void Halt();

 private:
  MusicStream() = default;
};

// True while a tune plays.
bool MusicPlaying();
// Output frames (at the device's rate) mixed while a tune played, since
// the program started.
uint64_t MusicFramesPlayed();

// Renders seconds of a tune (the bytes of a Standard MIDI File) as 44100 Hz
// 16-bit stereo samples, looping as the game plays it and at the game's
// music level: for listening to the tunes. It opens an output of its own (SDL's disk driver writing nowhere,
// as fast as it can), so no sound device may be open. False with a message
// when the tune or the soundfont cannot be read.
bool RenderMusic(const std::vector<uint8_t>& tune, double seconds, std::vector<int16_t>* samples, std::string* error);

// The sound device calls this before it closes SDL2_mixer: the tune playing
// is halted and freed (a tune cannot outlive the mixer that loaded it).
void ReleaseMusicBeforeMixerCloses();

}  // namespace platform
