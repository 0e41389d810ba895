// Filling the sprite table from the sprite banks: the start-up bank at window
// creation, the game bank when the game thread starts, and the rebuild of the
// two display-memory canvases (sprites 0 and 441) after the display was lost.
// Loading a bank fills entries 0, 1, 2, ... in file order up to the first
// record of width 0, releasing what they held; entries above keep theirs.
//
// Threads: LoadStartupSprites on the main thread before the game thread
// exists; the others on the game thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/surface.h"
#include "sprites/sprite_bank_file.h"
#include "sprites/sprite_table.h"

// intro.spr, every entry a system-memory sprite.
void LoadStartupSprites();
// small.spr; entries 0, 1 and 441 are display-memory sprites.
void LoadGameSprites();
// small.spr again, rebuilding only entries 0 and 441.
void ReloadVideoSprites();

// How a bank is loaded into the table.
enum class BankLoad { kStartup, kGame, kVideoReload };
// Loads the bank file at path into table (nothing when table is null).
void LoadSpriteBank(const std::string& path, BankLoad load, SpriteTable* table);
// The same from the bytes of a whole bank held in memory.
void LoadSpriteBankBytes(const uint8_t* data, size_t size, BankLoad load, SpriteTable* table);

// Create the surface of entry index from its width and height; on failure
// the entry keeps no surface (after "ERROR DIRECT X Create surface ld", or for
// the display-memory one, after two attempts, "ERROR DIRECT X Create surface
// video SPR no memory system").
void CreateSpriteSurface(SpriteTable& table, int index);
void CreateVideoSpriteSurface(SpriteTable& table, int index);

// Copies width x height pixels starting at pixel offset of the work's pixel
// area into surface ("ERROR DIRECT X LOCK DE" when it cannot be locked).
// Nothing is copied when the pixels or the surface are not that large.
void FillSpriteSurface(platform::Surface* surface, int width, int height, uint32_t offset,
                       const SpriteBankWork& work);
