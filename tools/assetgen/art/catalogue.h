// The catalogue of the game bank: for every family of sprites its first
// index, number of frames, size and painter. It is the one place that ties
// sprite indices to pictures; indices it does not name are 1 x 1 and
// transparent.
//
// Threads: the asset generator's only thread.
#pragma once

#include <string>
#include <vector>

#include "assetgen/spr_writer.h"

namespace art {

inline constexpr int kGameBankSize = 468;

struct SpriteFamily {
  int first;
  int count;
  int width, height;  // 0 x 0: the size grows from frame to frame
  SpriteImage (*paint)(int frame);
  const char* what;
};

const std::vector<SpriteFamily>& GameBankFamilies();

// Paints all kGameBankSize records of the game bank; false with a message
// when a picture does not have its catalogue size or lettering failed.
bool PaintGameBank(std::vector<SpriteImage>* bank, std::string* error);

// The start-up bank: its one picture.
bool PaintStartupBank(std::vector<SpriteImage>* bank, std::string* error);

}  // namespace art
