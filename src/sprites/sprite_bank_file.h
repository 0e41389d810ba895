// Reading a sprite bank file (intro.spr, small.spr) into the loader's work
// arrays: the count, the 8-byte records (width, height, pixel offset) and the
// run-length coded pixel stream, decoded into one pixel area and converted to
// the display's pixel layout on the way.
//
// A file that cannot be read as a whole bank is reported with a short message
// and leaves every width 0, so that nothing of it is loaded.
//
// Threads: whichever thread loads a bank (the main thread at start-up, the
// game thread afterwards); one load at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "sprites/sprite_table.h"

// The largest pixel area a bank may decode to (128 MB of pixels), and the most
// pixels its sprites' surfaces may hold together; far above what the game's
// banks need, far below what would hurt the machine.
inline constexpr uint64_t kMaxBankPixels = uint64_t{1} << 26;

// Messages for banks that are not whole (besides the ones the loader shares
// with every other load failure).
inline constexpr const char* kBankBadCount = "error spr count";  // count outside 1..1024
inline constexpr const char* kBankShort = "error spr short";     // ends before its records or pixels
// pixels beyond the area, a sprite with a width but no height, or an absurd
// area or sum of sprites
inline constexpr const char* kBankBadSize = "error spr size";
inline constexpr const char* kBankBadRun = "error spr run";      // a run that overflows the area

// The loader's work arrays, allocated for one load and freed at its end.
struct SpriteBankWork {
  std::unique_ptr<uint16_t[]> widths;   // kSpriteCount each
  std::unique_ptr<uint16_t[]> heights;
  std::unique_ptr<uint32_t[]> offsets;
  std::unique_ptr<uint16_t[]> pixels;   // the decoded pixel area, display layout
  uint64_t pixelCount = 0;

  // Allocates the width, height and offset arrays; false, after its message
  // ("no memory 2", "no memory 3", "no memory 4"), when one cannot be had.
  bool Allocate();
};

// Decodes the bank file at path into work (whose three arrays must already be
// allocated). Every entry is zeroed first; a file that cannot be opened shows
// "no open load", a broken one its message above, and both leave them zero.
void ReadSpriteBank(const std::string& path, SpriteBankWork* work);
// The same from the bytes of a whole bank held in memory.
void ReadSpriteBankBytes(const uint8_t* data, size_t size, SpriteBankWork* work);
