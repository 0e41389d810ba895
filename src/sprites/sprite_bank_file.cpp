#include "sprites/sprite_bank_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <new>
#include <vector>

#include "display/colour.h"
#include "display/display_state.h"
#include "platform/message_box.h"
#include "shell/shared_state.h"

namespace {

void Fail(const char* text) { platform::ShowMessage(text, kEmptyText); }

uint32_t Le32(const uint8_t* b) {
  return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
         static_cast<uint32_t>(b[3]) << 24;
}
uint16_t Le16(const uint8_t* b) { return static_cast<uint16_t>(b[0] | b[1] << 8); }

// Reads 16-bit little-endian words from the rest of a file, one buffer at a time.
class WordReader {
 public:
  explicit WordReader(std::FILE* file) : file_(file), bytes_(kBufferBytes) {}

  bool Next(uint16_t* word) {
    if (pos_ + 2 > end_) {
      // Keep an odd byte left over from the previous buffer.
      const size_t left = end_ - pos_;
      if (left) bytes_[0] = bytes_[pos_];
      end_ = left + std::fread(bytes_.data() + left, 1, bytes_.size() - left, file_);
      pos_ = 0;
      if (end_ < 2) return false;
    }
    *word = Le16(&bytes_[pos_]);
    pos_ += 2;
    return true;
  }

 private:
  static constexpr size_t kBufferBytes = 64 * 1024;
  std::FILE* file_;
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
const char* ReadRecords(std::FILE* f, uint64_t fileSize, SpriteBankWork* work, uint32_t* count) {
  uint8_t head[4];
  if (std::fread(head, 1, 4, f) != 4) return kBankShort;
  const uint32_t n = Le32(head);
  if (n < 1 || n > static_cast<uint32_t>(kSpriteCount)) return kBankBadCount;
  uint8_t records[8 * kSpriteCount];
  if (fileSize < 4 + 8 * uint64_t{n}) return kBankShort;
  if (std::fread(records, 1, 8 * n, f) != 8 * n) return kBankShort;
  for (uint32_t i = 0; i < n; ++i) {
    work->widths[i] = Le16(records + 8 * i);
    work->heights[i] = Le16(records + 8 * i + 2);
    work->offsets[i] = Le32(records + 8 * i + 4);
  }
  // The area's length comes from the last record alone.
  const uint64_t total = uint64_t{work->widths[n - 1]} * work->heights[n - 1] + work->offsets[n - 1];
  if (total > kMaxBankPixels) return kBankBadSize;
  // Every record that will be loaded (up to the first width 0) must lie inside it.
  for (uint32_t i = 0; i < n && work->widths[i] != 0; ++i) {
    if (uint64_t{work->widths[i]} * work->heights[i] + work->offsets[i] > total) return kBankBadSize;
  }
  if (total > MostPixels(fileSize - 4 - 8 * uint64_t{n})) return kBankShort;
  *count = n;
  work->pixelCount = total;
  return nullptr;
}

// Decodes the pixel stream into the area; returns the message for a broken stream, or null.
const char* Decode(std::FILE* f, SpriteBankWork* work) {
  const int32_t layout = g_display.pixelLayout;
  uint16_t* area = work->pixels.get();
  const uint64_t total = work->pixelCount;
  WordReader reader(f);
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

void ReadSpriteBank(const std::string& path, SpriteBankWork* work) {
  Clear(work);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    Fail("no open load");
    return;
  }
  std::error_code ec;
  const uint64_t fileSize = std::filesystem::file_size(path, ec);
  uint32_t count = 0;
  const char* fault = ec ? kBankShort : ReadRecords(f, fileSize, work, &count);
  if (!fault && work->pixelCount > 0) {
    work->pixels.reset(new (std::nothrow) uint16_t[work->pixelCount]);
    if (!work->pixels) fault = "no memory 1";
  }
  if (!fault && work->pixelCount > 0) fault = Decode(f, work);
  std::fclose(f);
  if (fault) {
    Fail(fault);
    Clear(work);
  }
}
