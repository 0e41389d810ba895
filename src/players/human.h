// A human player's turn, once a frame: a weapon chosen by clicking its icon,
// the DIRECT MISSILE's target marked with a click, the shot charged while the
// left button is held and fired towards the pointer on release or at full
// power.
//
// Threads: the game thread; the left button is set by the main thread's
// handlers and used up (set to 0) here.
#pragma once

// The weapon slots of the status bar: sprite 104 at (10 + 24 i, screen height - 30).
inline constexpr int kWeaponSlotSprite = 104;
inline constexpr int kWeaponSlotLeft = 10;
inline constexpr int kWeaponSlotSpacing = 24;
inline constexpr int kWeaponSlotAboveBottom = 30;

// Shot power per unit of launch speed for weapon 0..9: the integer part of
// 100 divided by the maximum speed of the weapon's projectile type (at least 1).
int ShotDivisor(int weapon);

void HumanTurnStep();
