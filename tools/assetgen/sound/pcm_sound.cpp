#include "assetgen/sound/pcm_sound.h"

#include <fstream>

namespace synth {

void AppendU8(std::vector<uint8_t>& out, uint8_t v) { out.push_back(v); }

void AppendU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
  AppendU16(out, static_cast<uint16_t>(v & 0xFFFF));
  AppendU16(out, static_cast<uint16_t>(v >> 16));
}

void AppendSamples(std::vector<uint8_t>& out, const std::vector<int16_t>& samples) {
  out.reserve(out.size() + samples.size() * 2);
  for (int16_t s : samples) AppendU16(out, static_cast<uint16_t>(s));
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())) || !f.flush()) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace synth
