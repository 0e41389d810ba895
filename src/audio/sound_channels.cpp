// The channels of the sound system: handing out free channels (after
// reclaiming finished auto-release ones), playing a sound on a channel as a
// copy of its static sound, and stopping and releasing channels.
#include "audio/sound_system.h"

namespace {

bool ValidChannel(int channel) { return channel >= 0 && channel < CSoundSystem::kChannels; }

}  // namespace

int CSoundSystem::FindFreeChannel() {
  if (!Available()) return 1;
  // Housekeeping: channels whose auto-release sound has stopped become free.
  for (int c = 1; c < kChannels; ++c) {
    if (!channels_[c].autoRelease) continue;
    if (IsChannelPlaying(c) != 1) {
      ReleaseChannel(c);
      channels_[c].autoRelease = 0;
    }
  }
  int picked = 0;  // the overflow entry when all are reserved
  for (int c = 1; c < kChannels; ++c)
    if (!channels_[c].reserved) {
      picked = c;
      break;
    }
  channels_[picked].reserved = 1;
  return picked;
}

int CSoundSystem::PlayOnChannel(int channel, int sound, int autoRelease, int volume) {
  if (!Available()) return 1;
  if (!ValidChannel(channel)) return 0;
  ChannelEntry& entry = channels_[channel];
  // Stored first, so that a channel whose sound could not start is still
  // reclaimed by the housekeeping instead of staying reserved.
  entry.autoRelease = static_cast<uint8_t>(autoRelease & 0xFF);
  if (sound < 1 || sound >= kSlots || !slots_[sound].loaded) return 0;
  const SoundSlot& slot = slots_[sound];
  if (!device_->Duplicate(channel, slot.buffer)) {
    entry.hasCopy = 0;  // a copy it held before has been replaced
    return 0;
  }
  entry.hasCopy = 1;
  if (!device_->Rewind(channel)) return 0;
  device_->SetVolume(channel, volume - 10000);
  return device_->Play(channel, slot.loop == 1) ? 1 : 0;
}

int CSoundSystem::StopChannel(int channel) {
  if (!Available()) return 1;
  if (!ValidChannel(channel) || !channels_[channel].hasCopy) return 0;
  return device_->Stop(channel) ? 1 : 0;
}

int CSoundSystem::ReleaseChannel(int channel) {
  if (!Available()) return 1;
  if (!ValidChannel(channel)) return 0;
  ChannelEntry& entry = channels_[channel];
  if (!entry.reserved) return 0;
  if (entry.hasCopy) device_->ReleaseCopy(channel);
  entry.reserved = 0;
  entry.hasCopy = 0;
  return 1;
}

int CSoundSystem::IsChannelPlaying(int channel) {
  if (!Available()) return 1;
  if (!ValidChannel(channel) || !channels_[channel].hasCopy) return 0;
  return device_->IsPlaying(channel) ? 1 : 0;
}

int CSoundSystem::StopAllChannels() {
  if (!Available()) return 1;
  bool lastStopped = true;
  for (int c = 1; c < kChannels; ++c)
    if (channels_[c].hasCopy) lastStopped = device_->Stop(c);
  return lastStopped ? 1 : 0;
}

int CSoundSystem::ReleaseAllChannels() { return ReleaseAllChannelsBut(0); }

int CSoundSystem::ReleaseAllChannelsBut(int keep) {
  if (!Available()) return 1;
  for (int c = 1; c < kChannels; ++c) {
    if (c == keep) continue;
    ChannelEntry& entry = channels_[c];
    if (entry.hasCopy) device_->ReleaseCopy(c);
    entry.hasCopy = 0;
    entry.reserved = 0;
  }
  return 1;
}

bool CSoundSystem::AnyChannelPlaying() {
  if (!Available()) return false;
  for (int c = 0; c < kChannels; ++c)
    if (channels_[c].hasCopy && device_->IsPlaying(c)) return true;
  return false;
}
