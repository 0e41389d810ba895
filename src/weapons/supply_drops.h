// Supply drops: up to 20 crates that now and then fall from the sky onto the
// landscape; a shot that hits one gives the shooter money (kind 1) or a
// weapon (kind 2). Emptied at every round set-up.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

inline constexpr int kSupplyDrops = 20;

enum SupplyDropKind : uint8_t { kDropNone = 0, kDropMoney = 1, kDropWeapon = 2 };

struct SupplyDrop {
  float x = 0, y = 0;      // world position of the top-left corner
  float fallSpeed = 0;     // pixels per frame added to y
  uint8_t kind = kDropNone;
};

extern SupplyDrop g_drops[kSupplyDrops];

// The picture of a drop as it is drawn and as shots see it: the buy button's
// animation phase, 20 further for a weapon drop.
int SupplyDropPicture(const SupplyDrop& drop);

// Every slot back to zero.
void ClearSupplyDrops();

// Once a frame: now and then a new drop at the top of the world, away from the
// other drops and the forts.
void SpawnSupplyDrop();
// Once a frame: every drop falls, accelerating, until its landing mask (sprite
// 425 at y + 22) rests on the ground.
void SupplyDropFall();
