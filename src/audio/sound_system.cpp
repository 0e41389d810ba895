#include "audio/sound_system.h"

#include <utility>

namespace {

CSoundSystem& SilentSoundSystem() {
  static CSoundSystem silent(nullptr);
  return silent;
}

std::unique_ptr<CSoundSystem> g_soundSystem;

}  // namespace

CSoundSystem::CSoundSystem(std::unique_ptr<platform::AudioDevice> device) : device_(std::move(device)) {}

bool CSoundSystem::SetPrimaryFormat(uint32_t rate, uint8_t bits, uint8_t channels) {
  if (!Available()) return true;
  platform::PcmFormat format;
  format.rate = static_cast<int>(rate);
  format.bits = bits;
  format.channels = channels;
  return device_->SetOutputFormat(format);
}

CSoundSystem& SoundSystem() { return g_soundSystem ? *g_soundSystem : SilentSoundSystem(); }

std::unique_ptr<CSoundSystem> InstallSoundSystem(std::unique_ptr<CSoundSystem> sys) {
  std::swap(g_soundSystem, sys);
  return sys;
}

SoundSystemLifetime::SoundSystemLifetime() {
  InstallSoundSystem(std::make_unique<CSoundSystem>(platform::OpenAudioDevice()));
}

SoundSystemLifetime::~SoundSystemLifetime() { InstallSoundSystem(nullptr); }
