// The sound device: one output in a fixed format, static sounds made once
// from PCM data, and numbered voices. A voice holds at most one copy of a
// static sound (the copy shares the sound's samples) and plays it once or
// looping, at a volume given as attenuation in hundredths of a decibel.
// The game's sound system keeps its channel bookkeeping apart from this, so
// tests drive it with a device of their own.
//
// Threads: opened on the main thread before the window exists; the output
// format is set on the main thread during display set-up; everything else
// runs on the game thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// A PCM layout as a wave file describes it: 8-bit samples unsigned, 16-bit
// samples signed little-endian, stereo frames interleaved left then right.
struct PcmFormat {
  int channels = 0;
  int rate = 0;  // frames per second
  int bits = 0;
};

class AudioDevice {
 public:
  // Voices 0 to kVoices - 1.
  static constexpr int kVoices = 501;

  virtual ~AudioDevice() = default;

  // Sets the output format; the device opens at 44100 Hz, 16-bit stereo.
  virtual bool SetOutputFormat(const PcmFormat& format) = 0;

  // Makes a static sound from PCM data, converted once to the output format.
  // Returns its handle (> 0), or 0 when the device cannot hold it.
  virtual int CreateSound(const PcmFormat& format, const uint8_t* data, size_t size) = 0;
  // Frees a static sound; copies of it stop.
  virtual void ReleaseSound(int sound) = 0;

  // Gives the voice a copy of a static sound, replacing (and stopping) the
  // copy it held. False when the sound does not exist.
  virtual bool Duplicate(int voice, int sound) = 0;
  // Puts the copy's play position back to its start.
  virtual bool Rewind(int voice) = 0;
  // Volume of the copy: 0 is full level, -10000 silence.
  virtual bool SetVolume(int voice, int hundredthsOfDb) = 0;
  virtual bool Play(int voice, bool loop) = 0;
  virtual bool Stop(int voice) = 0;
  // True while the voice's copy plays.
  virtual bool IsPlaying(int voice) = 0;
  // Stops and forgets the voice's copy.
  virtual void ReleaseCopy(int voice) = 0;
};

// Opens the default sound device (the audio driver SDL chooses; headless runs
// use SDL's dummy driver unless SDL_AUDIODRIVER says otherwise). Null when
// there is no working device, or one is already open.
std::unique_ptr<AudioDevice> OpenAudioDevice();

// The mixer volume (0 to 128) for an attenuation in hundredths of a decibel:
// 0 is full level, every -2000 a tenth of the amplitude.
int MixerVolume(int hundredthsOfDb);

// The most memory the device spends on its sounds together, converted to the
// output format (the game's own bank needs under 4 MB); a sound that could
// take it past this cannot be made. This bounds what a sound bank can cost,
// in memory and in the time of its conversion, whatever its sample rates.
constexpr size_t kMaxSoundBytes = size_t{64} << 20;

}  // namespace platform
