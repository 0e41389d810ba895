// Fuzz target: the sprite bank reader. The input is a whole bank file, loaded
// as the game loads small.spr (the game bank, then the rebuild of the display
// memory canvases) into a fresh sprite table.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "display/display_state.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "sprites/sprite_loader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::InitForTests();
  g_display.pixelLayout = kLayout565;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto table = std::make_unique<SpriteTable>();
  LoadSpriteBankBytes(data, size, BankLoad::kGame, table.get());
  LoadSpriteBankBytes(data, size, BankLoad::kVideoReload, table.get());
  // Every surface made is exactly as large as its entry says.
  for (const SpriteEntry& e : *table)
    if (e.surface && (e.surface->Width() != e.width || e.surface->Height() != e.height)) __builtin_trap();
  platform::ClearMessagesShown();
  return 0;
}
