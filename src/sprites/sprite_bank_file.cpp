#include "sprites/sprite_bank_file.h"

#include <algorithm>
#include <new>
#include <vector>

#include "display/colour.h"
#include "display/display_state.h"
#include "platform/byte_source.h"
#include "platform/message_box.h"
#include "state/shared_state.h"

namespace {

void Fail(const char* text) { platform::ShowMessage(text, kEmptyText); }

uint32_t Le32(const uint8_t* b) {
  return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
         static_cast<uint32_t>(b[3]) << 24;
}
uint16_t Le16(const uint8_t* b) { return static_cast<uint16_t>(b[0] | b[1] << 8); }

// Reads 16-bit little-endian words from the rest of a bank, one buffer at a time.
class WordReader {
 public:
  explicit WordReader(platform::ByteSource* source) : source_(source), bytes_(kBufferBytes) {}

  bool Next(uint16_t* word) {
    if (pos_ + 2 > end_) {
      // Keep an odd byte left over from the previous buffer.
      const size_t left = end_ - pos_;
      if (left) bytes_[0] = bytes_[pos_];
      end_ = left + source_->Read(bytes_.data() + left, bytes_.size() - left);
      pos_ = 0;
      if (end_ < 2) return false;
    }
    *word = Le16(&bytes_[pos_]);
    pos_ += 2;
    return true;
  }

 private:
  static constexpr size_t kBufferBytes = 64 * 1024;
  platform::ByteSource* source_;
  std::vector<uint8_t> bytes_;
  size_t pos_ = 0, end_ = 0;
};

// The most pixels a stream of this many bytes can describe: every 4 bytes a
// run of 32767, and a last literal.
uint64_t MostPixels(uint64_t streamBytes) { return streamBytes / 4 * 0x7FFF + (streamBytes % 4 >= 2 ? 1 : 0); }

void Clear(SpriteBankWork* work) {
  std::fill_n(work->widths.get(), kSpriteCount, 0);
  std::fill_n(work->heights.get(), kSpriteCount, 0);
  std::fill_n(work->offsets.get(), kSpriteCount, 0);
  work->pixels.reset();
  work->pixelCount = 0;
}

// Reads the count and the records; returns the message for a broken header, or null.
const char* ReadRecords(platform::ByteSource* source, uint64_t fileSize, SpriteBankWork* work) {
  uint8_t head[4];
  if (source->Read(head, 4) != 4) return kBankShort;
  const uint32_t n = Le32(head);
  if (n < 1 || n > static_cast<uint32_t>(kSpriteCount)) return kBankBadCount;
  uint8_t records[8 * kSpriteCount];
  if (fileSize < 4 + 8 * uint64_t{n}) return kBankShort;
  if (source->Read(records, 8 * n) != 8 * n) return kBankShort;
  for (uint32_t i = 0; i < n; ++i) {
    work->widths[i] = Le16(records + 8 * i);
    work->heights[i] = Le16(records + 8 * i + 2);
    work->offsets[i] = Le32(records + 8 * i + 4);
  }
  // The area's length comes from the last record alone.
  const uint64_t total = uint64_t{work->widths[n - 1]} * work->heights[n - 1] + work->offsets[n - 1];
  if (total > kMaxBankPixels) return kBankBadSize;
  // Every record that will be loaded (up to the first width 0) must lie inside
  // it and have a height. Records may share pixels, so their surfaces together
  // are held to the same bound as the area.
  uint64_t surfacePixels = 0;
  for (uint32_t i = 0; i < n && work->widths[i] != 0; ++i) {
    const uint64_t pixels = uint64_t{work->widths[i]} * work->heights[i];
    if (pixels == 0 || pixels + work->offsets[i] > total) return kBankBadSize;
    surfacePixels += pixels;
    if (surfacePixels > kMaxBankPixels) return kBankBadSize;
  }
  if (total > MostPixels(fileSize - 4 - 8 * uint64_t{n})) return kBankShort;
  work->pixelCount = total;
  return nullptr;
}

// Decodes the pixel stream into the area; returns the message for a broken stream, or null.
const char* Decode(platform::ByteSource* source, SpriteBankWork* work) {
  const int32_t layout = g_display.pixelLayout;
  uint16_t* area = work->pixels.get();
  const uint64_t total = work->pixelCount;
  WordReader reader(source);
  uint64_t p = 0;
  while (p < total) {
    uint16_t w = 0;
    if (!reader.Next(&w)) return kBankShort;
    if (w < 0x8000) {
      area[p++] = ConvertFilePixel(w, layout);
      continue;
    }
    uint16_t v = 0;
    if (!reader.Next(&v)) return kBankShort;
    const uint64_t run = w - 0x8000u;
    if (run > total - p) return kBankBadRun;
    std::fill_n(area + p, run, ConvertFilePixel(v, layout));
    p += run;
  }
  return nullptr;
}

}  // namespace

bool SpriteBankWork::Allocate() {
  widths.reset(new (std::nothrow) uint16_t[kSpriteCount]);
  if (!widths) {
    Fail("no memory 2");
    return false;
  }
  heights.reset(new (std::nothrow) uint16_t[kSpriteCount]);
  if (!heights) {
    Fail("no memory 3");
    return false;
  }
  offsets.reset(new (std::nothrow) uint32_t[kSpriteCount]);
  if (!offsets) {
    Fail("no memory 4");
    return false;
  }
  return true;
}

namespace {

// Decodes a bank from source into work, zeroed first; a broken bank shows
// its message and leaves work zero.
void ReadBank(platform::ByteSource* source, SpriteBankWork* work) {
  uint64_t size = 0;
  const char* fault = source->Size(&size) ? ReadRecords(source, size, work) : kBankShort;
  if (!fault && work->pixelCount > 0) {
    work->pixels.reset(new (std::nothrow) uint16_t[work->pixelCount]);
    if (!work->pixels) fault = "no memory 1";
  }
  if (!fault && work->pixelCount > 0) fault = Decode(source, work);
  if (fault) {
    Fail(fault);
    Clear(work);
  }
}

}  // namespace

void ReadSpriteBank(const std::string& path, SpriteBankWork* work) {
  Clear(work);
  platform::ByteSource source(path);
  if (!source.Opened()) {
    Fail("no open load");
    return;
  }
  ReadBank(&source, work);
}

void ReadSpriteBankBytes(const uint8_t* data, size_t size, SpriteBankWork* work) {
  Clear(work);
  platform::ByteSource source(data, size);
  ReadBank(&source, work);
}
