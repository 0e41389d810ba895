// A sprite table for the world's tests: the terrain canvas, ground tiles and
// base strip blocks of every scenery set, and the fort picture and masks with
// the geometry the game relies on (body mask 80 x 40 drawn at (x, y + 2),
// foot masks 80 x 6 at (x, y + 44), mask k solid in columns 20k .. 20k + 19).
// Installed as the running game's table for the lifetime of the object.
// Also a scope for the player records.
#pragma once

#include <memory>

#include "sprites/sprite_table.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "world/level_file.h"
#include "world/terrain.h"

namespace world_test {

inline constexpr uint16_t kTile = 0x1525;   // low byte non-zero: solid to the edge pass
inline constexpr uint16_t kStrip = 0x3C7A;

class TestSprites {
 public:
  TestSprites() : table_(std::make_unique<SpriteTable>()) {
    Make(kTerrainSprite, kWorldWidth, kWorldHeight, 0);
    for (int set = 0; set < 5; ++set) {
      Make(142 + set, 100 + set, 70, static_cast<uint16_t>(kTile + set));
      Make(87 + set, 38, 38, kStrip);
    }
    Make(2, 80, 50, 0x7BDE);
    Make(3, 80, 50, 0x0421);
    Make(4, 80, 40, 0x7FFF);
    for (int k = 0; k < 4; ++k) {
      Make(5 + k, 80, 6, 0);
      for (int y = 0; y < 6; ++y)
        for (int x = 20 * k; x < 20 * k + 20; ++x) Surface(5 + k)->Row(y)[x] = 0x7FFF;
    }
    for (int i = 0; i < 5; ++i) Make(9 + i, 80, 50, 0x1111);
    previous_ = Sprites();
    SetSprites(table_.get());
  }
  ~TestSprites() { SetSprites(previous_); }
  TestSprites(const TestSprites&) = delete;
  TestSprites& operator=(const TestSprites&) = delete;

  // (Re)creates sprite i as w x h pixels of one value.
  void Make(int i, int w, int h, uint16_t value) {
    SpriteEntry& e = (*table_)[i];
    e.surface = std::make_unique<platform::Surface>(w, h);
    e.width = static_cast<uint16_t>(w);
    e.height = static_cast<uint16_t>(h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) e.surface->Row(y)[x] = value;
  }
  platform::Surface* Surface(int i) { return (*table_)[i].surface.get(); }
  uint16_t* Terrain() { return Surface(kTerrainSprite)->Data(); }
  uint16_t& At(int x, int y) { return Terrain()[static_cast<size_t>(y) * kWorldWidth + x]; }
  // Fills the terrain rectangle [x0, x1) x [y0, y1) with value.
  void Ground(int x0, int y0, int x1, int y1, uint16_t value = kTile) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) At(x, y) = value;
  }

 private:
  std::unique_ptr<SpriteTable> table_;
  SpriteTable* previous_ = nullptr;
};

// n players with empty records for the lifetime of the object; afterwards
// the records, the game state and the current level are back to their
// initial values.
struct Players {
  explicit Players(int n) {
    for (PlayerRecord& p : g_players) p = PlayerRecord();
    g_game.numberOfPlayers = static_cast<uint16_t>(n);
  }
  ~Players() {
    for (PlayerRecord& p : g_players) p = PlayerRecord();
    g_game.Reset();
    g_level = LevelParams();
  }
  Players(const Players&) = delete;
  Players& operator=(const Players&) = delete;
};

}  // namespace world_test
