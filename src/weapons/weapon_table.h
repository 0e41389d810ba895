// The weapon table: the ten weapons' names, prices and icons, and the eleven
// projectile types that give every shell its pictures, speed limit, gravity,
// bounce, sub-projectile and sounds. Weapon w fires a projectile of type w + 1
// running flight program w; type 0 marks a free projectile slot and type 11
// is the HYPER TUBE's bomblet.
//
// Threads: constants, read by the game thread.
#pragma once

#include <cstdint>

#include "state/weapon_index.h"

// Name, shop price and icon sprite of weapon 0..9 (an out-of-range index gives
// the MISSILE's).
const char* WeaponName(int weapon);
int32_t WeaponPrice(int weapon);
int16_t WeaponIcon(int weapon);

inline constexpr int kDirections = 36;
inline constexpr int kProjectileTypes = 11;  // types 1..11

enum ProjectileTypeIndex : int {
  kTypeNone = 0,
  kTypeGroundDefense = 8,
  kTypeGimlet = 10,
  kTypeBomblet = 11,
};

struct ProjectileType {
  uint16_t directionSprites[kDirections];  // for directions 1..36 (1 up, +10 degrees clockwise)
  uint16_t flightAnimLength;   // flying sprite = direction sprite + step, step 0..this
  uint16_t launchSprite;
  uint16_t launchLength;       // launching lasts until the step exceeds this
  uint16_t explosionSprite;
  uint16_t explosionLength;    // the explosion ends when the step exceeds this
  uint16_t bounceRadius;       // 0: explodes on the ground
  float maxSpeed;              // limit of each velocity component when steered
  float gravity;               // added to velocity y every frame
  int16_t subType;             // created by the program's spawn step; 0 none
  int16_t buildsGround;        // 1: the explosion becomes ground instead of damage
  float spawnOffsetX, spawnOffsetY;
  int16_t launchSound, flightSound, explosionSound, bounceSound;  // 0 none
};

// The record of type 1..11; any other type gives an all-zero record.
const ProjectileType& ProjectileTypeRecord(int type);

inline int ProjectileTypeOfWeapon(int weapon) { return weapon + 1; }
// The record of the type weapon 0..9 fires.
inline const ProjectileType& WeaponType(int weapon) { return ProjectileTypeRecord(weapon + 1); }
