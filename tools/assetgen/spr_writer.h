// The sprite bank writer: a count, one record (width, height, pixel offset)
// per sprite, then the pixels of all sprites as one stream of 16-bit words
// in which runs of equal pixels are stored as a run word and a value.
//
// Threads: the asset generator's only thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One picture of a bank: width x height 15-bit (5-5-5) pixels, rows packed
// from the top; pixel value 0 is transparent.
struct SpriteImage {
  uint16_t width = 1;
  uint16_t height = 1;
  std::vector<uint16_t> pixels = std::vector<uint16_t>(1, 0);
};

// The longest run one run word can describe.
inline constexpr int kMaxRunLength = 0x7FFF;

// Encodes a bank: records in index order with consecutive pixel offsets (so
// the last record's pixels end last, as the reader requires), the stream with
// every run of three or more equal pixels as runs of at most kMaxRunLength
// and every other pixel as a literal. Bit 15 of every pixel is cleared, so a
// literal never reads as a run word. False with a message when the bank has
// no sprite or more than 1024, or a sprite has a zero side or the wrong
// number of pixels.
bool EncodeSpriteBank(const std::vector<SpriteImage>& sprites, std::vector<uint8_t>* out, std::string* error);

// Writes bytes to path, replacing the file.
bool WriteBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error);
