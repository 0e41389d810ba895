// A round's world for the benchmarks: the sprites of our generated small.spr,
// a landscape of our level.frc built with forts placed on it, and the back
// surface and font of a screen of the chosen size.
#pragma once

#include <memory>

#include "display/display_state.h"
#include "display/text.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/runtime.h"
#include "players/player_resets.h"
#include "sprites/sprite_loader.h"
#include "sprites/sprite_table.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"
#include "world/fort.h"
#include "world/fort_placement.h"
#include "world/level_file.h"

namespace bench {

class RoundWorld {
 public:
  // Level `level` with `players` forts; ready() is false when the data files
  // are missing (build the data first).
  RoundWorld(int level, int players, int width = 1024, int height = 768) : back_(width, height) {
    platform::InitForTests();
    platform::ClearMessagesShown();
    g_display.pixelLayout = kLayout565;
    LoadLevelTableFrom(platform::DataPath("level.frc"));
    LoadSpriteBank(platform::DataPath("small.spr"), BankLoad::kGame, table_.get());
    if (!platform::MessagesShown().empty() || !(*table_)[1].surface) return;
    SetSprites(table_.get());
    g_config.screenWidth = static_cast<uint16_t>(width);
    g_config.screenHeight = static_cast<uint16_t>(height);
    g_config.displayOption = width >= 1024 ? 3 : 1;
    g_display.back = &back_;
    CreateGameFont();
    ProgramStartReset();
    NewGameReset();
    g_level = g_levelTable.Get(level);
    g_game.scenerySet = 0;
    g_game.numberOfPlayers = static_cast<uint16_t>(players);
    platform::SeedRand(1);
    PlaceForts();
    RestoreFortPictures();
    ResetProjectiles();
    ClearSupplyDrops();
    g_game.currentPlayer = 0;
    ready_ = true;
  }
  ~RoundWorld() {
    SetSprites(nullptr);
    g_display.back = nullptr;
  }
  RoundWorld(const RoundWorld&) = delete;
  RoundWorld& operator=(const RoundWorld&) = delete;

  bool ready() const { return ready_; }

 private:
  std::unique_ptr<SpriteTable> table_ = std::make_unique<SpriteTable>();
  platform::Surface back_;
  bool ready_ = false;
};

}  // namespace bench
