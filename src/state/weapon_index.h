// The ten weapons by index: the order of the weapon stock, the digit keys, the
// status bar's icons and the shop.
//
// Threads: constants only.
#pragma once

enum WeaponIndex : int {
  kMissile = 0,
  kBigMissile = 1,
  kGrenade = 2,
  kSuperGrenade = 3,
  kDirectMissile = 4,
  kHyperTube = 5,
  kDefense = 6,
  kGroundDefense = 7,
  kBallGrenade = 8,
  kGimlet = 9,
};

inline constexpr int kWeaponCount = 10;

// A stock of this many shells is unlimited and never goes down.
inline constexpr int kUnlimitedStock = 10000;
