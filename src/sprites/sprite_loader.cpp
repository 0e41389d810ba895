#include "sprites/sprite_loader.h"

#include <cstring>
#include <memory>

#include "platform/message_box.h"
#include "platform/runtime.h"
#include "state/shared_state.h"

namespace {

constexpr int kMenuPanel = 0;
constexpr int kTerrain = 1;
constexpr int kShopBackground = 441;

bool IsVideoSprite(int index) { return index == kMenuPanel || index == kTerrain || index == kShopBackground; }

// A new surface of the entry's size in place of none; false when it cannot be made.
bool TryCreate(SpriteEntry& entry) {
  auto surface = std::make_unique<platform::Surface>();
  if (!surface->Allocate(entry.width, entry.height)) return false;
  entry.surface = std::move(surface);
  return true;
}

// Steps of a load for one entry: release, size, create, fill.
void Rebuild(SpriteTable& table, int i, bool video, const SpriteBankWork& work) {
  SpriteEntry& entry = table[i];
  entry.surface.reset();
  entry.width = work.widths[i];
  entry.height = work.heights[i];
  if (video) {
    CreateVideoSpriteSurface(table, i);
  } else {
    CreateSpriteSurface(table, i);
  }
  if (entry.surface) FillSpriteSurface(entry.surface.get(), entry.width, entry.height, work.offsets[i], work);
}

}  // namespace

void CreateSpriteSurface(SpriteTable& table, int index) {
  // The colour key is pixel value 0 on every surface; setting it cannot fail.
  if (!TryCreate(table[index])) platform::ShowMessage("ERROR DIRECT X Create surface ld", kEmptyText);
}

void CreateVideoSpriteSurface(SpriteTable& table, int index) {
  // First display memory, then system memory; both are plain memory here.
  for (int attempt = 0; attempt < 2; ++attempt)
    if (TryCreate(table[index])) return;
  platform::ShowMessage("ERROR DIRECT X Create surface video SPR no memory system", kEmptyText);
}

void FillSpriteSurface(platform::Surface* surface, int width, int height, uint32_t offset,
                       const SpriteBankWork& work) {
  if (!surface || width <= 0 || height <= 0) return;
  if (width > surface->Width() || height > surface->Height()) return;
  if (!work.pixels || uint64_t{offset} + uint64_t(width) * uint64_t(height) > work.pixelCount) return;
  platform::SurfaceLock lock(surface);
  if (!lock) {
    platform::ShowMessage("ERROR DIRECT X LOCK DE", kEmptyText);
    return;
  }
  const uint16_t* from = work.pixels.get() + offset;
  auto* to = reinterpret_cast<uint8_t*>(lock.Pixels());
  for (int row = 0; row < height; ++row)
    std::memcpy(to + static_cast<size_t>(row) * lock.Pitch(), from + static_cast<size_t>(row) * width,
                static_cast<size_t>(width) * 2);
}

namespace {

// Allocates the work arrays, decodes the bank with read(&work) and builds the
// entries the load takes from it.
template <typename ReadBank>
void LoadBank(BankLoad load, SpriteTable* table, ReadBank read) {
  if (!table) return;
  SpriteBankWork work;
  if (!work.Allocate()) return;
  read(&work);
  for (int i = 0; i < kSpriteCount && work.widths[i] != 0; ++i) {
    switch (load) {
      case BankLoad::kStartup:
        Rebuild(*table, i, false, work);
        break;
      case BankLoad::kGame:
        Rebuild(*table, i, IsVideoSprite(i), work);
        break;
      case BankLoad::kVideoReload:
        if (i == kMenuPanel || i == kShopBackground) Rebuild(*table, i, true, work);
        break;
    }
  }
}

}  // namespace

void LoadSpriteBank(const std::string& path, BankLoad load, SpriteTable* table) {
  LoadBank(load, table, [&](SpriteBankWork* work) { ReadSpriteBank(path, work); });
}

void LoadSpriteBankBytes(const uint8_t* data, size_t size, BankLoad load, SpriteTable* table) {
  LoadBank(load, table, [&](SpriteBankWork* work) { ReadSpriteBankBytes(data, size, work); });
}

void LoadStartupSprites() { LoadSpriteBank(platform::DataPath("intro.spr"), BankLoad::kStartup, Sprites()); }

void LoadGameSprites() { LoadSpriteBank(platform::DataPath("small.spr"), BankLoad::kGame, Sprites()); }

void ReloadVideoSprites() { LoadSpriteBank(platform::DataPath("small.spr"), BankLoad::kVideoReload, Sprites()); }
