#include "weapons/supply_drops.h"

#include "platform/random.h"
#include "sprites/blit.h"
#include "sprites/collision.h"
#include "state/player_record.h"
#include "state/turn_state.h"
#include "world/fort.h"
#include "world/terrain.h"

SupplyDrop g_drops[kSupplyDrops];

namespace {

constexpr int kLandingMask = 425;
constexpr int kLandingMaskDown = 22;  // the mask lies this far below the drop's top
constexpr float kFallStep = 0.1f;
constexpr float kStartY = -24;
// Drops keep this far from each other, and from a fort's span.
constexpr float kDropSpacing = 30;
constexpr float kFortSpanLeft = 30, kFortSpanRight = 86;
constexpr int kKindPictures = 20;  // pictures of one kind of drop

// Whether a drop at x would fall next to another drop or onto a fort.
bool Crowded(int slot, float x) {
  for (int other = 0; other < kSupplyDrops; ++other)
    if (other != slot && g_drops[other].x - kDropSpacing <= x && x <= g_drops[other].x + kDropSpacing) return true;
  for (int player = 0; player < FortCount(); ++player)
    if (g_players[player].x - kFortSpanLeft <= x && x <= g_players[player].x + kFortSpanRight) return true;
  return false;
}

}  // namespace

int SupplyDropPicture(const SupplyDrop& drop) { return g_phases.buyButton + kKindPictures * (drop.kind - 1); }

void ClearSupplyDrops() {
  for (SupplyDrop& d : g_drops) d = SupplyDrop();
}

void SpawnSupplyDrop() {
  // About one frame in 1640.
  if (platform::Rand() * 5000 / platform::kRandMax >= 3) return;
  int slot = 0;
  while (slot < kSupplyDrops && g_drops[slot].kind != kDropNone) ++slot;
  if (slot == kSupplyDrops) return;
  SupplyDrop& drop = g_drops[slot];
  drop.x = 60 + platform::Rand() * (1400.0f / platform::kRandMax);
  drop.y = kStartY;
  drop.fallSpeed = 0;
  drop.kind = static_cast<uint8_t>(kDropMoney + platform::RandBelow(2));  // money or weapon, even odds
  if (Crowded(slot, drop.x)) drop = SupplyDrop();
}

void SupplyDropFall() {
  for (SupplyDrop& drop : g_drops) {
    if (drop.kind == kDropNone) continue;
    drop.fallSpeed += kFallStep;
    if (SpritesCollide(Sprite(kLandingMask), static_cast<int>(drop.x), static_cast<int>(drop.y) + kLandingMaskDown,
                       Sprite(kTerrainSprite), 0, 0))
      drop.fallSpeed = 0;
    drop.y += drop.fallSpeed;
  }
}
