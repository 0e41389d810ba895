#include "weapons/weapon_table.h"

#include <array>

namespace {

struct WeaponEntry {
  const char* name;
  int32_t price;
  int16_t icon;
};

constexpr WeaponEntry kWeapons[kWeaponCount] = {
    {"MISSILE", 0, 106},        {"BIG MISSILE", 1400, 382},   {"GRENADE", 450, 183},
    {"SUPER GRENADE", 1900, 327}, {"DIRECT MISSILE", 1000, 358}, {"HYPER TUBE", 2300, 376},
    {"DEFENSE", 1200, 445},     {"GROUND DEFENSE", 900, 250}, {"BALL GRENADE", 1500, 362},
    {"GIMLET", 250, 291},
};

const WeaponEntry& Entry(int weapon) { return kWeapons[weapon >= 0 && weapon < kWeaponCount ? weapon : 0]; }

// Direction sprites that run first, first + 1, ... (one picture per direction).
constexpr std::array<uint16_t, kDirections> Run(uint16_t first) {
  std::array<uint16_t, kDirections> s{};
  for (int i = 0; i < kDirections; ++i) s[i] = static_cast<uint16_t>(first + i);
  return s;
}
// One sprite for every direction (a spinning or symmetric picture).
constexpr std::array<uint16_t, kDirections> All(uint16_t sprite) {
  std::array<uint16_t, kDirections> s{};
  for (auto& v : s) v = sprite;
  return s;
}

struct TypeRow {
  std::array<uint16_t, kDirections> directions;
  uint16_t animLength, launchSprite, launchLength, explosionSprite, explosionLength, bounceRadius;
  float maxSpeed, gravity;
  int16_t subType, buildsGround;
  int16_t launchSound, flightSound, explosionSound, bounceSound;
};

constexpr TypeRow kRows[kProjectileTypes] = {
    {Run(106), 0, 106, 0, 16, 8, 0, 15.0f, 0.1f, 0, 0, 8, 0, 21, 0},     // 1 MISSILE
    {Run(147), 0, 380, 3, 25, 9, 0, 13.0f, 0.21f, 0, 0, 8, 0, 13, 0},    // 2 BIG MISSILE
    {All(183), 19, 183, 0, 22, 5, 7, 14.0f, 0.14f, 0, 0, 9, 0, 15, 4},   // 3 GRENADE and fragments
    {All(327), 19, 327, 1, 30, 5, 11, 14.0f, 0.15f, 3, 0, 10, 3, 13, 4}, // 4 SUPER GRENADE
    {Run(203), 0, 357, 3, 18, 9, 0, 15.0f, 0.05f, 0, 0, 8, 0, 21, 0},    // 5 DIRECT MISSILE
    {All(365), 9, 375, 3, 25, 5, 0, 13.0f, 0.14f, 11, 0, 10, 0, 13, 0},  // 6 HYPER TUBE
    {All(183), 19, 183, 0, 28, 5, 0, 3.0f, 0.3f, 0, 0, 0, 0, 13, 0},     // 7 DEFENSE (never created)
    {All(259), 0, 249, 10, 260, 9, 0, 13.0f, 0.14f, 0, 1, 9, 0, 19, 0},  // 8 GROUND DEFENSE
    {All(271), 19, 361, 3, 28, 5, 13, 12.0f, 0.11f, 0, 0, 12, 0, 20, 5}, // 9 BALL GRENADE
    {Run(291), 0, 291, 0, 30, 5, 0, 15.0f, 0.1f, 0, 0, 9, 16, 13, 0},    // 10 GIMLET
    {All(379), 0, 379, 0, 16, 3, 0, 12.0f, 0.05f, 0, 0, 7, 0, 14, 0},    // 11 HYPER TUBE bomblet
};

constexpr std::array<ProjectileType, kProjectileTypes + 1> BuildTypes() {
  std::array<ProjectileType, kProjectileTypes + 1> types{};
  for (int t = 1; t <= kProjectileTypes; ++t) {
    const TypeRow& r = kRows[t - 1];
    ProjectileType& p = types[t];
    for (int d = 0; d < kDirections; ++d) p.directionSprites[d] = r.directions[d];
    p.flightAnimLength = r.animLength;
    p.launchSprite = r.launchSprite;
    p.launchLength = r.launchLength;
    p.explosionSprite = r.explosionSprite;
    p.explosionLength = r.explosionLength;
    p.bounceRadius = r.bounceRadius;
    p.maxSpeed = r.maxSpeed;
    p.gravity = r.gravity;
    p.subType = r.subType;
    p.buildsGround = r.buildsGround;
    p.spawnOffsetX = p.spawnOffsetY = 0;
    p.launchSound = r.launchSound;
    p.flightSound = r.flightSound;
    p.explosionSound = r.explosionSound;
    p.bounceSound = r.bounceSound;
  }
  return types;
}

constexpr std::array<ProjectileType, kProjectileTypes + 1> kTypes = BuildTypes();

}  // namespace

const char* WeaponName(int weapon) { return Entry(weapon).name; }
int32_t WeaponPrice(int weapon) { return Entry(weapon).price; }
int16_t WeaponIcon(int weapon) { return Entry(weapon).icon; }

const ProjectileType& ProjectileTypeRecord(int type) {
  return kTypes[type >= 1 && type <= kProjectileTypes ? type : 0];
}
