// What the current player (the shooter) earns: the money for the fort pixels
// an explosion erased, and the money or weapon of a supply drop it shot.
// Every payment of the round goes through here.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

struct PlayerRecord;

// A shell leaves the shooter's fort: one shot more, not yet a hit.
void BeginShot(PlayerRecord& shooter);

// Adds erased (the erase count, as a signed 16-bit number) to the damage of
// player victim and to the shooter's money; counts the damage in the
// standings' figures of both (and the shot as a hit on another fort).
void PayForDamage(int victim, int16_t erased);

// The reward of a supply drop of kind 1 (money: 1000 to 2000) or 2 (a
// weapon), with the status message "NAME : 1500$" or "NAME : WEAPON" for 100
// game ticks. Draws one random number. A drop caught counts for the standings.
void RewardSupplyDrop(int kind);

// The weapon a weapon drop gives for the draw n (0 to 50); never MISSILE.
int DropWeapon(int n);
