// What a shot does once it leaves a fort, the same for a human and the
// computer: a shell launched from the fort's aim point, or DEFENSE raising
// the fort's shield; and the shell taken from the stock.
//
// Threads: the game thread.
#pragma once

#include "state/player_record.h"

// Every shell of a fort starts here, relative to the fort picture's corner.
inline constexpr float kAimPointX = 40.0f;
inline constexpr float kAimPointY = 10.0f;
// Hits a freshly raised DEFENSE shield absorbs, and the sound it makes.
inline constexpr int16_t kShieldCharges = 3;
inline constexpr int kShieldSound = 11;

// DEFENSE: shield charges = 3 and sound 11, no shell. Any other weapon: a
// projectile of type weapon + 1 running program weapon from the aim point.
// The shell's projectile slot, or -1 when no shell was launched.
int FireWeapon(int weapon, PlayerRecord& player, float vx, float vy);

// One shell of the weapon less, unless the stock is unlimited.
void TakeShell(int weapon, PlayerRecord& player);
