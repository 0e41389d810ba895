// Builds sprite bank files byte by byte for tests: well-formed banks from
// pictures (15-bit pixels, written as literals) and raw ones from records and
// a word stream, so that broken files can be made on purpose.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace testbank {

struct Record {
  uint16_t width = 0, height = 0;
  uint32_t offset = 0;  // in pixels
};

// A picture of the bank: width x height file pixels, rows top to bottom.
struct Picture { uint16_t width = 0, height = 0; std::vector<uint16_t> pixels; };

inline void Put16(std::vector<uint8_t>* out, uint16_t v) {
  out->push_back(static_cast<uint8_t>(v));
  out->push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>* out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

// A bank of count (as written, whatever the records say), the records and
// the pixel stream words.
inline std::vector<uint8_t> RawBank(uint32_t count, const std::vector<Record>& records,
                                    const std::vector<uint16_t>& stream) {
  std::vector<uint8_t> out;
  Put32(&out, count);
  for (const Record& r : records) {
    Put16(&out, r.width);
    Put16(&out, r.height);
    Put32(&out, r.offset);
  }
  for (uint16_t w : stream) Put16(&out, w);
  return out;
}

// A pixel stream of runs alone that fills `pixels` pixels with value.
inline std::vector<uint16_t> RunsOf(uint32_t pixels, uint16_t value) {
  std::vector<uint16_t> stream;
  for (uint32_t left = pixels; left > 0; left -= std::min<uint32_t>(left, 0x7FFF))
    stream.insert(stream.end(), {static_cast<uint16_t>(0x8000 + std::min<uint32_t>(left, 0x7FFF)), value});
  return stream;
}

// Sprites of 65535 x 257 fit in a bank's pixel area but in no surface.
inline constexpr Record kUnmakeable{65535, 257, 0};
inline constexpr uint32_t kUnmakeablePixels = 65535u * 257u;

// A well-formed bank holding the pictures in order, packed one after another
// as literals (the pictures' pixels never have bit 15 set).
inline std::vector<uint8_t> MakeBank(const std::vector<Picture>& pictures) {
  std::vector<Record> records;
  std::vector<uint16_t> area;
  for (const Picture& p : pictures) {
    records.push_back({p.width, p.height, static_cast<uint32_t>(area.size())});
    area.insert(area.end(), p.pixels.begin(), p.pixels.end());
  }
  return RawBank(static_cast<uint32_t>(pictures.size()), records, area);
}

// A picture whose pixels follow a pattern of its own seed (never bit 15); with
// holes, every seventh pixel is 0 (transparent).
inline Picture PatternPicture(uint16_t width, uint16_t height, uint32_t seed, bool holes = false) {
  Picture p{width, height, std::vector<uint16_t>(static_cast<size_t>(width) * height)};
  uint32_t s = seed * 2654435761u + 1;
  for (size_t i = 0; i < p.pixels.size(); ++i) {
    s = s * 1103515245u + 12345u;
    p.pixels[i] = (holes && i % 7 == 3) ? 0 : std::max<uint16_t>((s >> 12) & 0x7FFF, 1);
  }
  return p;
}

// One colour all over.
inline Picture SolidPicture(uint16_t width, uint16_t height, uint16_t colour) {
  return Picture{width, height, std::vector<uint16_t>(static_cast<size_t>(width) * height, colour)};
}

}  // namespace testbank
