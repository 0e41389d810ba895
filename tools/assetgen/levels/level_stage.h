// The stage the level search builds its landscapes on: a sprite table of its
// own with the terrain canvas, a plain ground tile and base strip block for
// each scenery set, and the fort picture and masks with the geometry the game
// relies on (body mask 80 x 40 at (x, y + 2), solid all over, the strictest a
// body can be; foot masks 80 x 6 at (x, y + 44), mask k solid in columns
// 20k .. 20k + 19). While a stage exists it is the game's sprite table and
// scenery set 0 is chosen.
//
// Threads: the asset generator's only thread.
#pragma once

#include <memory>

#include "sprites/sprite_table.h"

namespace levels {

class LevelStage {
 public:
  LevelStage();
  ~LevelStage();
  LevelStage(const LevelStage&) = delete;
  LevelStage& operator=(const LevelStage&) = delete;

  SpriteTable& Table() { return *table_; }
  // The terrain pixels (1536 x 768, rows packed).
  uint16_t* Terrain();

 private:
  std::unique_ptr<SpriteTable> table_;
  SpriteTable* previous_ = nullptr;
  uint16_t previousSet_ = 0;
};

// Gives entry index of table a surface of w x h pixels of value.
void MakeStageSprite(SpriteTable& table, int index, int w, int h, uint16_t value);

}  // namespace levels
