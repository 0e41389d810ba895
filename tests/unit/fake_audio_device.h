// A sound device for unit tests: it keeps every sound it was given and what
// each voice holds, lets a test end a sound (as if it had finished playing),
// and can be told to fail.
#pragma once

#include <array>
#include <memory>
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
    bool playing = false;
    bool loop = false;
    int volume = 1;  // hundredths of a decibel; 1 = never set
  };
  std::vector<Sound> sounds;  // handle = index + 1
  std::array<Voice, platform::AudioDevice::kVoices> voices{};
  platform::PcmFormat output{2, 44100, 16};
  int failCreateAt = 0;  // the n-th CreateSound (1-based) fails; 0 never
  bool failDuplicate = false, failPlay = false, failStop = false, failFormat = false;
  int creates = 0;

  // Sounds alive now.
  int AliveSounds() const {
    int n = 0;
    for (const auto& s : sounds) n += s.alive;
    return n;
  }
};

class FakeAudioDevice final : public platform::AudioDevice {
 public:
  explicit FakeAudioDevice(std::shared_ptr<FakeDeviceState> state) : s_(std::move(state)) {}

  bool SetOutputFormat(const platform::PcmFormat& f) override {
    if (s_->failFormat) return false;
    s_->output = f;
    return true;
  }
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
    auto& v = s_->voices.at(static_cast<size_t>(voice));
    v = {};
    if (s_->failDuplicate || sound < 1 || !s_->sounds.at(static_cast<size_t>(sound - 1)).alive) return false;
    v.sound = sound;
    return true;
  }
  bool Rewind(int voice) override { return s_->voices.at(static_cast<size_t>(voice)).sound != 0; }
  bool SetVolume(int voice, int hundredths) override {
    s_->voices.at(static_cast<size_t>(voice)).volume = hundredths;
    return true;
  }
  bool Play(int voice, bool loop) override {
    auto& v = s_->voices.at(static_cast<size_t>(voice));
    if (s_->failPlay || !v.sound) return false;
    v.playing = true;
    v.loop = loop;
    return true;
  }
  bool Stop(int voice) override {
    s_->voices.at(static_cast<size_t>(voice)).playing = false;
    return !s_->failStop;
  }
  bool IsPlaying(int voice) override { return s_->voices.at(static_cast<size_t>(voice)).playing; }
  void ReleaseCopy(int voice) override { s_->voices.at(static_cast<size_t>(voice)) = {}; }

 private:
  std::shared_ptr<FakeDeviceState> s_;
};

// A sound system on a fake device whose state the test keeps.
inline std::unique_ptr<CSoundSystem> SystemOnFake(std::shared_ptr<FakeDeviceState>* state) {
  *state = std::make_shared<FakeDeviceState>();
  return std::make_unique<CSoundSystem>(std::make_unique<FakeAudioDevice>(*state));
}

}  // namespace soundtest
