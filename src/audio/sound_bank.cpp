// Loading the sound bank file into the sound table: five parallel header
// arrays of 401 entries (entry 0 unused), then the sample data of every
// non-empty slot in ascending order, with no gaps.
#include <array>
#include <limits>
#include <vector>

#include "audio/sound_format.h"
#include "audio/sound_system.h"
#include "platform/byte_source.h"

namespace {

constexpr size_t kEntries = CSoundSystem::kSlots;
constexpr size_t kChannelsAt = 0;
constexpr size_t kRatesAt = kChannelsAt + kEntries;
constexpr size_t kBitsAt = kRatesAt + 4 * kEntries;
constexpr size_t kLoopAt = kBitsAt + kEntries;
constexpr size_t kSizesAt = kLoopAt + kEntries;
constexpr size_t kHeaderBytes = kSizesAt + 4 * kEntries;
static_assert(kHeaderBytes == 4411);

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// Formats the device can hold; the conversions assume them too.
bool Supported(const platform::PcmFormat& f) {
  return (f.channels == 1 || f.channels == 2) && (f.bits == 8 || f.bits == 16) && f.rate > 0;
}

}  // namespace

bool CSoundSystem::LoadSoundBank(const std::string& path, int quality) {
  if (!Available()) return true;
  platform::ByteSource source(path);
  return LoadBank(&source, quality);
}

bool CSoundSystem::LoadSoundBankBytes(const uint8_t* data, size_t size, int quality) {
  if (!Available()) return true;
  platform::ByteSource source(data, size);
  return LoadBank(&source, quality);
}

bool CSoundSystem::LoadBank(platform::ByteSource* source, int quality) {
  const platform::PcmFormat target = QualityFormat(quality);

  for (int i = 1; i < kSlots; ++i) {
    SoundSlot& s = slots_[i];
    if (!s.loaded) continue;
    device_->ReleaseSound(s.buffer);
    s.buffer = 0;
    s.rate = 0;
    s.bits = 0;
    s.channels = 0;
    // Not loaded any more: should this load stop before reaching the slot,
    // it must not be played with its sound gone.
    s.loaded = 0;
  }

  uint64_t fileSize = 0;
  if (!source->Opened() || !source->Size(&fileSize) || fileSize < kHeaderBytes) return false;

  std::array<uint8_t, kHeaderBytes> header;
  if (source->Read(header.data(), kHeaderBytes) != kHeaderBytes) return false;
  for (size_t i = 1; i < kEntries; ++i) {
    SoundSlot& s = slots_[i];
    s.channels = header[kChannelsAt + i];
    s.rate = Le32(&header[kRatesAt + 4 * i]);
    s.bits = header[kBitsAt + i];
    s.loop = header[kLoopAt + i];
    s.dataSize = Le32(&header[kSizesAt + 4 * i]);
  }

  uint64_t offset = kHeaderBytes;
  std::vector<uint8_t> work;
  for (int i = 1; i < kSlots; ++i) {
    SoundSlot& s = slots_[i];
    s.loaded = 0;
    if (s.channels == 0) continue;  // an empty slot has no data in the file
    const uint32_t stored = s.dataSize;
    if (stored > fileSize - offset) return false;  // the data would run past the end of the file
    // The slots' data follow one another: the source stands at offset.
    work.resize(stored);
    if (source->Read(work.data(), stored) != stored) return false;
    if (!LoadSound(i, work.data(), stored, target)) return false;
    offset += stored;
  }
  return true;
}

bool CSoundSystem::LoadSound(int sound, uint8_t* data, size_t size, const platform::PcmFormat& target) {
  SoundSlot& s = slots_[sound];
  platform::PcmFormat format;
  format.channels = s.channels;
  format.bits = s.bits;
  format.rate = s.rate > static_cast<uint32_t>(std::numeric_limits<int>::max()) ? 0 : static_cast<int>(s.rate);
  if (!Supported(format)) return false;
  size -= size % FrameBytes(format);  // a trailing part of a frame is not played
  size = ConvertTowardTarget(data, size, &format, target);
  s.channels = static_cast<uint8_t>(format.channels);
  s.rate = static_cast<uint32_t>(format.rate);
  s.bits = static_cast<uint8_t>(format.bits);
  s.dataSize = static_cast<uint32_t>(size);
  s.buffer = device_->CreateSound(format, data, size);
  if (!s.buffer) return false;
  s.loaded = 1;
  return true;
}
