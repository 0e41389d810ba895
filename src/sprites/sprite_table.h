// The sprite table: 1024 entries, each an owned surface (or none) with a
// 16-bit width and height. Every picture of the game is named by its index.
//
// Threads: loaded on the main thread at start-up and on the game thread after;
// read by the main thread's loading animation while a landscape is built.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/surface.h"

inline constexpr int kSpriteCount = 1024;

struct SpriteEntry {
  std::unique_ptr<platform::Surface> surface;  // none until loaded
  uint16_t width = 0;
  uint16_t height = 0;
};

using SpriteTable = std::array<SpriteEntry, kSpriteCount>;

// The table of the running game (set when start-up loading allocates it).
SpriteTable* Sprites();
void SetSprites(SpriteTable* table);
