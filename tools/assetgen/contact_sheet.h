// The contact sheet: sprites of the game bank on a grid, each over a
// checkerboard (which shows its transparent pixels) with its index under it.
//
// Threads: the asset generator's only thread.
#pragma once

#include <string>
#include <vector>

#include "assetgen/spr_writer.h"

struct SheetOptions {
  int first = 0, last = 1 << 20;  // the indices shown
  int zoom = 0;                   // 0: 2x for small sprites, large ones shrunk; else this factor for all
};

// One picture of the sheet and the label under it.
struct SheetItem {
  std::string label;
  const SpriteImage* image;
};

// Lays the pictures out in rows and saves the sheet as a PNG file.
bool SaveContactSheet(const std::vector<SheetItem>& items, const SheetOptions& options, const std::string& pngPath,
                      std::string* error);

// The game bank's sprites (options choose which), then the start-up
// picture when the range reaches past the bank (index 467 and on).
bool WriteContactSheetOf(const std::string& dataDir, const std::string& pngPath, const SheetOptions& options,
                         std::string* error);
