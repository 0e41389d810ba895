#include "assetgen/levels/level_stage.h"

#include <algorithm>

#include "display/colour.h"
#include "state/shared_state.h"
#include "world/fort.h"
#include "world/landscape.h"
#include "world/terrain.h"

namespace levels {

void MakeStageSprite(SpriteTable& table, int index, int w, int h, uint16_t value) {
  SpriteEntry& e = table[index];
  e.surface = std::make_unique<platform::Surface>(w, h);
  e.width = static_cast<uint16_t>(w);
  e.height = static_cast<uint16_t>(h);
  std::fill_n(e.surface->Data(), static_cast<size_t>(w) * h, value);
}

LevelStage::LevelStage() : table_(std::make_unique<SpriteTable>()) {
  SpriteTable& t = *table_;
  MakeStageSprite(t, kTerrainSprite, kWorldWidth, kWorldHeight, 0);
  // Colours in the display's layout; blue >= 1 keeps every low byte non-zero.
  static constexpr int kGround[5][3] = {{17, 12, 6}, {20, 9, 7}, {24, 20, 11}, {9, 15, 6}, {22, 25, 28}};
  for (int set = 0; set < 5; ++set) {
    MakeStageSprite(t, kGroundTileSprite + set, 64, 64,
                    static_cast<uint16_t>(PackColor(kGround[set][0], kGround[set][1], kGround[set][2])));
    MakeStageSprite(t, kBaseStripSprite + set, 38, 38, static_cast<uint16_t>(PackColor(10, 10, 11)));
  }
  MakeStageSprite(t, kFortPicture, 80, 50, static_cast<uint16_t>(PackColor(24, 24, 22)));
  MakeStageSprite(t, kFortBodyMask, 80, 40, 0x7FFF);
  for (int k = 0; k < kFortFeet; ++k) {
    MakeStageSprite(t, kFortFootMask + k, 80, 6, 0);
    for (int y = 0; y < 6; ++y) std::fill_n(t[kFortFootMask + k].surface->Row(y) + 20 * k, 20, 0x7FFF);
  }
  previous_ = Sprites();
  previousSet_ = g_game.scenerySet;
  SetSprites(table_.get());
  g_game.scenerySet = 0;
}

LevelStage::~LevelStage() {
  SetSprites(previous_);
  g_game.scenerySet = previousSet_;
}

uint16_t* LevelStage::Terrain() { return (*table_)[kTerrainSprite].surface->Data(); }

}  // namespace levels
