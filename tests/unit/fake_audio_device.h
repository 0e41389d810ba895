// A sound device for unit tests: it keeps every sound it was given and what
// each voice holds, lets a test end a sound (as if it had finished playing),
// and can be told to fail. Also a bank file's sounds read through the game's
// loader onto one. Tests' thread only.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "audio/sound_system.h"
#include "platform/audio_device.h"

namespace soundtest {

struct FakeDeviceState {
  struct Sound {
    platform::PcmFormat format;
    std::vector<uint8_t> data;
    bool alive = true;
  };
  struct Voice {
    int sound = 0;  // the sound its copy is of; 0 none
    bool playing = false, loop = false;
    int volume = 1;  // hundredths of a decibel; 1 = never set
  };
  std::vector<Sound> sounds;  // handle = index + 1
  std::array<Voice, platform::AudioDevice::kVoices> voices{};
  platform::PcmFormat output{2, 44100, 16};
  int failCreateAt = 0;  // the n-th CreateSound (1-based) fails; 0 never
  bool failDuplicate = false, failPlay = false, failStop = false, failFormat = false;
  int creates = 0;

  // Sounds alive now.
  int AliveSounds() const { return static_cast<int>(std::count_if(sounds.begin(), sounds.end(), [](const Sound& s) { return s.alive; })); }
};

class FakeAudioDevice final : public platform::AudioDevice {
 public:
  explicit FakeAudioDevice(std::shared_ptr<FakeDeviceState> state) : s_(std::move(state)) {}

  bool SetOutputFormat(const platform::PcmFormat& f) override { return !s_->failFormat && (s_->output = f, true); }
  int CreateSound(const platform::PcmFormat& f, const uint8_t* data, size_t size) override {
    if (++s_->creates == s_->failCreateAt) return 0;
    s_->sounds.push_back({f, std::vector<uint8_t>(data, data + size), true});
    return static_cast<int>(s_->sounds.size());
  }
  void ReleaseSound(int sound) override {
    s_->sounds.at(static_cast<size_t>(sound - 1)).alive = false;
    for (auto& v : s_->voices)
      if (v.sound == sound) v = {};
  }
  bool Duplicate(int voice, int sound) override {
    auto& v = V(voice);
    v = {};
    if (s_->failDuplicate || sound < 1 || !s_->sounds.at(static_cast<size_t>(sound - 1)).alive) return false;
    v.sound = sound;
    return true;
  }
  bool Rewind(int voice) override { return V(voice).sound != 0; }
  bool SetVolume(int voice, int hundredths) override { return V(voice).volume = hundredths, true; }
  bool Play(int voice, bool loop) override {
    auto& v = V(voice);
    if (s_->failPlay || !v.sound) return false;
    v.playing = true;
    v.loop = loop;
    return true;
  }
  bool Stop(int voice) override { return V(voice).playing = false, !s_->failStop; }
  bool IsPlaying(int voice) override { return V(voice).playing; }
  void ReleaseCopy(int voice) override { V(voice) = {}; }

 private:
  FakeDeviceState::Voice& V(int voice) { return s_->voices.at(static_cast<size_t>(voice)); }
  std::shared_ptr<FakeDeviceState> s_;
};

// A sound system on a fake device whose state the test keeps.
inline std::unique_ptr<CSoundSystem> SystemOnFake(std::shared_ptr<FakeDeviceState>* state) {
  *state = std::make_shared<FakeDeviceState>();
  return std::make_unique<CSoundSystem>(std::make_unique<FakeAudioDevice>(*state));
}

// A sound of a bank file as the game loads it at the best quality, which
// keeps every sound as the file holds it; channels 0: an empty slot.
struct LoadedSound {
  int channels = 0;
  bool loop = false;
  std::vector<int16_t> samples;
};

// The sounds 0 to 400 of a bank file; all empty when the game refuses it.
inline std::vector<LoadedSound> LoadSounds(const std::string& path) {
  std::shared_ptr<FakeDeviceState> dev;
  const auto sys = SystemOnFake(&dev);
  std::vector<LoadedSound> sounds(CSoundSystem::kSlots);
  if (!sys->LoadSoundBank(path, 11)) return sounds;
  for (int i = 1; i < CSoundSystem::kSlots; ++i) {
    const SoundSlot& s = sys->Slot(i);
    if (!s.loaded) continue;
    const std::vector<uint8_t>& data = dev->sounds.at(static_cast<size_t>(s.buffer - 1)).data;
    sounds[i] = {s.channels, s.loop != 0, std::vector<int16_t>(data.size() / 2)};
    std::memcpy(sounds[i].samples.data(), data.data(), data.size() / 2 * 2);
  }
  return sounds;
}

}  // namespace soundtest
