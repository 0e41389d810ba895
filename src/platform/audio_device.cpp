#include "platform/audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <cmath>
#include <vector>

#include "platform/music_stream.h"

namespace platform {

namespace {

constexpr PcmFormat kDefaultOutput{2, 44100, 16};
constexpr int kMixerBufferFrames = 1024;

bool g_deviceOpen = false;

bool ValidFormat(const PcmFormat& f) {
  return (f.channels == 1 || f.channels == 2) && (f.bits == 8 || f.bits == 16) && f.rate > 0;
}

SDL_AudioFormat SdlFormat(int bits) { return bits == 8 ? AUDIO_U8 : AUDIO_S16LSB; }

bool OpenMixer(const PcmFormat& f) {
  if (Mix_OpenAudioDevice(f.rate, SdlFormat(f.bits), f.channels, kMixerBufferFrames, nullptr, 0) != 0) return false;
  // One mixing channel per voice, so a voice number is a mixer channel.
  Mix_AllocateChannels(AudioDevice::kVoices);
  return true;
}

class MixerAudioDevice final : public AudioDevice {
 public:
  explicit MixerAudioDevice(const PcmFormat& output) : output_(output) {}

  ~MixerAudioDevice() override {
    if (mixerOpen_) Mix_HaltChannel(-1);
    for (Sound& s : sounds_)
      if (s.chunk) Mix_FreeChunk(s.chunk);
    ReleaseMusicBeforeMixerCloses();
    if (mixerOpen_) Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_deviceOpen = false;
  }

  bool SetOutputFormat(const PcmFormat& f) override {
    if (!ValidFormat(f)) return false;
    if (mixerOpen_ && f.channels == output_.channels && f.rate == output_.rate && f.bits == output_.bits) return true;
    // Sounds already made are in the old format: the output stays as it is.
    for (const Sound& s : sounds_)
      if (s.chunk) return false;
    ReleaseMusicBeforeMixerCloses();
    if (mixerOpen_) Mix_CloseAudio();
    mixerOpen_ = OpenMixer(f);
    if (mixerOpen_) {
      output_ = f;
      return true;
    }
    mixerOpen_ = OpenMixer(output_);
    return false;
  }

  int CreateSound(const PcmFormat& f, const uint8_t* data, size_t size) override {
    if (!mixerOpen_ || !ValidFormat(f) || !data) return 0;
    const size_t frameBytes = static_cast<size_t>(f.channels * f.bits / 8);
    if (size == 0 || size % frameBytes != 0) return 0;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, SdlFormat(f.bits), static_cast<Uint8>(f.channels), f.rate, SdlFormat(output_.bits),
                          static_cast<Uint8>(output_.channels), output_.rate) < 0)
      return 0;
    const size_t mult = static_cast<size_t>(cvt.len_mult > 0 ? cvt.len_mult : 1);
    if (size > (kMaxSoundBytes - heldBytes_) / mult) return 0;

    Sound sound;
    sound.samples.assign(data, data + size);
    if (cvt.needed) {
      sound.samples.resize(size * mult);
      cvt.buf = sound.samples.data();
      cvt.len = static_cast<int>(size);
      if (SDL_ConvertAudio(&cvt) != 0 || cvt.len_cvt <= 0) return 0;
      sound.samples.resize(static_cast<size_t>(cvt.len_cvt));
      sound.samples.shrink_to_fit();
    }
    sound.chunk = Mix_QuickLoad_RAW(sound.samples.data(), static_cast<Uint32>(sound.samples.size()));
    if (!sound.chunk) return 0;
    heldBytes_ += sound.samples.size();
    for (size_t i = 0; i < sounds_.size(); ++i)
      if (!sounds_[i].chunk) {
        sounds_[i] = std::move(sound);
        return static_cast<int>(i) + 1;
      }
    sounds_.push_back(std::move(sound));
    return static_cast<int>(sounds_.size());
  }

  void ReleaseSound(int handle) override {
    Sound* s = Find(handle);
    if (!s) return;
    for (int v = 0; v < kVoices; ++v)
      if (copies_[v] == s->chunk) ReleaseCopy(v);
    Mix_FreeChunk(s->chunk);
    heldBytes_ -= s->samples.size();
    *s = Sound();
  }

  bool Duplicate(int voice, int handle) override {
    if (!ValidVoice(voice)) return false;
    ReleaseCopy(voice);
    Sound* s = Find(handle);
    if (!s) return false;
    copies_[voice] = s->chunk;
    return true;
  }

  // A copy always starts playing from its beginning.
  bool Rewind(int voice) override { return ValidVoice(voice) && copies_[voice]; }

  bool SetVolume(int voice, int hundredthsOfDb) override {
    if (!ValidVoice(voice) || !copies_[voice]) return false;
    Mix_Volume(voice, MixerVolume(hundredthsOfDb));
    return true;
  }

  bool Play(int voice, bool loop) override {
    if (!ValidVoice(voice) || !copies_[voice]) return false;
    return Mix_PlayChannel(voice, copies_[voice], loop ? -1 : 0) == voice;
  }

  bool Stop(int voice) override {
    if (!ValidVoice(voice) || !copies_[voice]) return false;
    Mix_HaltChannel(voice);
    return true;
  }

  bool IsPlaying(int voice) override { return ValidVoice(voice) && copies_[voice] && Mix_Playing(voice) != 0; }

  void ReleaseCopy(int voice) override {
    if (!ValidVoice(voice) || !copies_[voice]) return;
    Mix_HaltChannel(voice);
    copies_[voice] = nullptr;
  }


 private:
  struct Sound {
    Mix_Chunk* chunk = nullptr;  // plays straight from samples
    std::vector<uint8_t> samples;
  };

  static bool ValidVoice(int voice) { return voice >= 0 && voice < kVoices; }

  Sound* Find(int handle) {
    if (handle < 1 || handle > static_cast<int>(sounds_.size()) || !sounds_[handle - 1].chunk) return nullptr;
    return &sounds_[handle - 1];
  }

  PcmFormat output_;
  bool mixerOpen_ = true;
  std::vector<Sound> sounds_;  // handle = index + 1
  size_t heldBytes_ = 0;       // samples of all sounds, at most kMaxSoundBytes
  std::array<Mix_Chunk*, kVoices> copies_{};
};

}  // namespace

std::unique_ptr<AudioDevice> OpenAudioDevice() {
  if (g_deviceOpen) return nullptr;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  if (!OpenMixer(kDefaultOutput)) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  g_deviceOpen = true;
  return std::make_unique<MixerAudioDevice>(kDefaultOutput);
}

int MixerVolume(int hundredthsOfDb) {
  if (hundredthsOfDb >= 0) return MIX_MAX_VOLUME;
  const double gain = std::pow(10.0, hundredthsOfDb / 2000.0);
  return static_cast<int>(std::lround(gain * MIX_MAX_VOLUME));
}

}  // namespace platform
