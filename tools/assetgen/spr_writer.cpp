#include "assetgen/spr_writer.h"

#include <fstream>

namespace {

void PutU16(std::vector<uint8_t>* out, uint32_t v) {
  out->push_back(static_cast<uint8_t>(v & 0xFF));
  out->push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>* out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

// Appends the run-length coded stream of the whole pixel area.
void EncodePixels(const std::vector<uint16_t>& area, std::vector<uint8_t>* out) {
  const size_t n = area.size();
  size_t i = 0;
  while (i < n) {
    const uint16_t v = area[i] & 0x7FFF;
    size_t j = i + 1;
    while (j < n && (area[j] & 0x7FFF) == v && j - i < static_cast<size_t>(kMaxRunLength)) ++j;
    const size_t run = j - i;
    if (run >= 3) {
      PutU16(out, 0x8000 + static_cast<uint32_t>(run));
      PutU16(out, v);
    } else {
      for (size_t k = 0; k < run; ++k) PutU16(out, v);
    }
    i = j;
  }
}

}  // namespace

bool EncodeSpriteBank(const std::vector<SpriteImage>& sprites, std::vector<uint8_t>* out, std::string* error) {
  if (sprites.empty() || sprites.size() > 1024) {
    *error = "a sprite bank holds 1 to 1024 sprites, not " + std::to_string(sprites.size());
    return false;
  }
  size_t total = 0;
  for (size_t i = 0; i < sprites.size(); ++i) {
    const SpriteImage& s = sprites[i];
    if (s.width == 0 || s.height == 0) {
      *error = "sprite " + std::to_string(i) + " has a zero side";
      return false;
    }
    if (s.pixels.size() != static_cast<size_t>(s.width) * s.height) {
      *error = "sprite " + std::to_string(i) + " has the wrong number of pixels";
      return false;
    }
    total += s.pixels.size();
  }
  if (total > 0xFFFFFFFFull) {
    *error = "the pixel area is too large";
    return false;
  }
  out->clear();
  PutU32(out, static_cast<uint32_t>(sprites.size()));
  std::vector<uint16_t> area;
  area.reserve(total);
  for (const SpriteImage& s : sprites) {
    PutU16(out, s.width);
    PutU16(out, s.height);
    PutU32(out, static_cast<uint32_t>(area.size()));
    area.insert(area.end(), s.pixels.begin(), s.pixels.end());
  }
  EncodePixels(area, out);
  return true;
}

bool WriteBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f || !f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}
