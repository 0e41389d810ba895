#include "sprites/sprite_table.h"

namespace {
SpriteTable* g_sprites = nullptr;
}

SpriteTable* Sprites() { return g_sprites; }
void SetSprites(SpriteTable* table) { g_sprites = table; }
