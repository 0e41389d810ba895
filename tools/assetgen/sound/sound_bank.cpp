#include "assetgen/sound/sound_bank.h"

#include <algorithm>

#include "assetgen/sound/catalogue.h"

namespace synth {

bool EncodeSoundBank(const std::vector<PcmSound>& sounds, std::vector<uint8_t>* bytes, std::string* error) {
  std::vector<const PcmSound*> bySlot(kSoundEntries, nullptr);
  for (const PcmSound& s : sounds) {
    const std::string which = "sound " + std::to_string(s.slot);
    if (s.slot < 1 || s.slot >= kSoundEntries) {
      *error = which + ": number outside 1..400";
      return false;
    }
    if (bySlot[s.slot]) {
      *error = which + ": given twice";
      return false;
    }
    if (s.channels != 1 && s.channels != 2) {
      *error = which + ": channel count must be 1 or 2";
      return false;
    }
    if (s.samples.size() % static_cast<size_t>(s.channels) != 0) {
      *error = which + ": samples are not whole frames";
      return false;
    }
    if (s.samples.size() * 2 > 0xFFFFFFFFull) {
      *error = which + ": too long";
      return false;
    }
    bySlot[s.slot] = &s;
  }

  std::vector<uint8_t>& out = *bytes;
  out.clear();
  for (const PcmSound* s : bySlot) AppendU8(out, s ? static_cast<uint8_t>(s->channels) : 0);
  for (const PcmSound* s : bySlot) AppendU32(out, s ? kSoundRate : 0);
  for (const PcmSound* s : bySlot) AppendU8(out, s ? kSoundBits : 0);
  for (const PcmSound* s : bySlot) AppendU8(out, s && s->loop ? 1 : 0);
  for (const PcmSound* s : bySlot) AppendU32(out, s ? static_cast<uint32_t>(s->samples.size() * 2) : 0);
  for (const PcmSound* s : bySlot)
    if (s) AppendSamples(out, s->samples);
  return true;
}

bool WriteSoundBank(const std::string& dir, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!EncodeSoundBank(RenderSoundEffects(), &bytes, error)) return false;
  return WriteFileBytes(dir + "/sound.sdf", bytes, error);
}

}  // namespace synth
