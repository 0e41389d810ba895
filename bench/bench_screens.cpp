// One frame of the weapon shop's picture at 1024 x 768: the background
// stretched over the screen, nine slots with icons and counts, the buy
// button, the customer's pictures and five lines of text.
#include <benchmark/benchmark.h>

#include <memory>

#include "display/display_state.h"
#include "display/text.h"
#include "platform/runtime.h"
#include "screens/shop_layout.h"
#include "sprites/sprite_table.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "weapons/weapon_table.h"

namespace {

void Block(SpriteTable& table, int i, int w, int h) {
  SpriteEntry& e = table[i];
  e.width = static_cast<uint16_t>(w);
  e.height = static_cast<uint16_t>(h);
  e.surface = std::make_unique<platform::Surface>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) e.surface->Row(y)[x] = static_cast<uint16_t>((x * 7 + y * 13 + i) % 5 ? i | 1 : 0);
}

void BM_ShopFrame1024(benchmark::State& state) {
  static const bool font = [] {
    platform::InitForTests();
    g_config.displayOption = 3;
    return CreateGameFont();
  }();
  g_config.screenWidth = 1024;
  g_config.screenHeight = 768;
  g_display.pixelLayout = kLayout565;
  Surface back(1024, 768);
  g_display.back = &back;
  auto table = std::make_unique<SpriteTable>();
  Block(*table, 441, 640, 480);
  Block(*table, kSlotSprite, 34, 34);
  Block(*table, kSelectedSlotSprite, 34, 34);
  for (int w = 1; w < kWeaponCount; ++w) Block(*table, WeaponIcon(w), 16, 16);
  Block(*table, 385, 24, 24);
  Block(*table, 455, 40, 28);
  Block(*table, 450, 20, 14);
  Block(*table, 37, 20, 20);
  Block(*table, 2, 80, 50);
  Block(*table, 14, 16, 16);
  SetSprites(table.get());
  g_players[0].name = "NONAME 01";
  g_players[0].money = 12345;
  g_players[0].control = 1;
  g_game.currentPlayer = 0;
  ShopState shop;
  for (auto _ : state) {
    DrawShop(shop);
    benchmark::DoNotOptimize(back.Data());
  }
  SetSprites(nullptr);
  g_display.back = nullptr;
  if (!font) state.SkipWithError("no font");
}
BENCHMARK(BM_ShopFrame1024)->Unit(benchmark::kMicrosecond);

}  // namespace
