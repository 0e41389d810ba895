// The contact sheet: every sprite of the game bank on a grid, each over a
// checkerboard (which shows its transparent pixels) with its index under it,
// then the start-up picture. The banks are read back from the data folder
// through the game's own loader, so the sheet shows what the game will show.
//
// Threads: the asset generator's only thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SheetOptions {
  int first = 0, last = 1 << 20;  // the game bank indices shown; past the bank: the start-up picture
  int zoom = 0;                   // 0: 2x for small sprites, large ones shrunk; else this factor for all
};

// One picture of the sheet (5-6-5 pixels, rows packed, 0 transparent) and the
// label under it.
struct SheetItem {
  std::string label;
  int width, height;
  const uint16_t* pixels;
};

// Lays the pictures out in rows and saves the sheet as a PNG file.
bool SaveContactSheet(const std::vector<SheetItem>& items, const SheetOptions& options, const std::string& pngPath,
                      std::string* error);

// small.spr and intro.spr of dataDir on a sheet; false with a message when
// a bank cannot be read.
bool WriteContactSheetOf(const std::string& dataDir, const std::string& pngPath, const SheetOptions& options,
                         std::string* error);
