// The sound system: the one sound device of the program, the sound table
// filled from the sound bank, and the 500 channels the game's sound effects
// play on (plus the overflow entry 0, used only when all 500 are reserved).
// When no sound device could be opened the system is unavailable: every
// operation then does nothing and reports success, so the game runs silent
// without further checks.
//
// Threads: constructed on the main thread before the window exists;
// SetPrimaryFormat runs on the main thread during display set-up; loading
// and the channel operations run on the game thread. No lock.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio_device.h"

namespace platform {
class ByteSource;
}

// One numbered sound of the bank (slot 0 unused). After loading, the format
// fields describe the sound as converted for the device.
struct SoundSlot {
  uint8_t channels = 0;  // 0 no sound, 1 mono, 2 stereo
  uint32_t rate = 0;     // Hz
  uint8_t bits = 0;      // 8 or 16
  uint8_t loop = 0;      // 1: plays looping
  uint32_t dataSize = 0; // bytes
  uint8_t loaded = 0;
  int buffer = 0;        // the device's static sound
};

// One channel; its copy of a sound lives in the device's voice of the same number.
struct ChannelEntry {
  uint8_t reserved = 0;     // handed out by FindFreeChannel and not yet released
  uint8_t hasCopy = 0;      // holds a copy of a sound
  uint8_t autoRelease = 0;  // released by the housekeeping once its sound has stopped
};

class CSoundSystem {
 public:
  static constexpr int kSlots = 401;     // sounds 1 to 400
  static constexpr int kChannels = 501;  // channels 1 to 500, overflow entry 0
  static_assert(kChannels <= platform::AudioDevice::kVoices);

  // Takes the opened device; null makes the system unavailable.
  explicit CSoundSystem(std::unique_ptr<platform::AudioDevice> device);
  CSoundSystem(const CSoundSystem&) = delete;
  CSoundSystem& operator=(const CSoundSystem&) = delete;

  bool Available() const { return device_ != nullptr; }

  // The device's output format (the game asks for 44100 Hz, 16 bits, stereo).
  bool SetPrimaryFormat(uint32_t rate, uint8_t bits, uint8_t channels);

  // Loads every sound of a bank file, brought down to the format of quality
  // 0 to 11, releasing the sounds of an earlier load first. False when the
  // file cannot be read whole or the device cannot hold a sound; the sounds
  // loaded before the fault stay usable.
  bool LoadSoundBank(const std::string& path, int quality);
  // The same from the bytes of a whole bank held in memory.
  bool LoadSoundBankBytes(const uint8_t* data, size_t size, int quality);

  // Channels. Each returns 1 at once when the system is unavailable.
  // A channel 1 to 500 not reserved (the lowest), or 0 when all are; finished
  // auto-release channels are released first.
  int FindFreeChannel();
  // Plays sound 1 to 400 on the channel as a copy, looping when the sound's
  // loop flag says so; volume 0 to 10000 (full). 1 when it started.
  int PlayOnChannel(int channel, int sound, int autoRelease, int volume);
  // 1 when the channel had a copy and it stopped; the channel stays reserved.
  int StopChannel(int channel);
  // 1 when the channel was reserved and now is free.
  int ReleaseChannel(int channel);
  int IsChannelPlaying(int channel);
  // Channels 1 to 500; entry 0 is left to the next overflow.
  int StopAllChannels();
  int ReleaseAllChannels();
  // The same, but the channel keep (1 to 500) plays on and stays reserved.
  int ReleaseAllChannelsBut(int keep);

  // True while some channel's sound plays (false when unavailable).
  bool AnyChannelPlaying();

  // The tables (sound 0 to 400, channel 0 to 500).
  const SoundSlot& Slot(int sound) const { return slots_.at(static_cast<size_t>(sound)); }
  const ChannelEntry& Channel(int channel) const { return channels_.at(static_cast<size_t>(channel)); }

 private:
  bool LoadBank(platform::ByteSource* source, int quality);
  bool LoadSound(int sound, uint8_t* data, size_t size, const platform::PcmFormat& target);

  std::unique_ptr<platform::AudioDevice> device_;
  std::array<SoundSlot, kSlots> slots_{};
  std::array<ChannelEntry, kChannels> channels_{};
};

// The program's sound system. Before SoundSystemLifetime makes it (and in
// unit tests that install none) it is an unavailable, silent one.
CSoundSystem& SoundSystem();

// The first of the program's global objects: opens the sound device and
// makes the program's sound system, which lives as long as this guard.
class SoundSystemLifetime {
 public:
  SoundSystemLifetime();
  ~SoundSystemLifetime();
  SoundSystemLifetime(const SoundSystemLifetime&) = delete;
  SoundSystemLifetime& operator=(const SoundSystemLifetime&) = delete;
};

// Makes sys the program's sound system (null: back to the silent one).
// Returns the one it replaced.
std::unique_ptr<CSoundSystem> InstallSoundSystem(std::unique_ptr<CSoundSystem> sys);
