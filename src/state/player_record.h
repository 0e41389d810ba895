// The five player records: fort position and motion, control, damage, shield,
// weapon stock, name, money and rounds survived.
//
// Threads: the game thread owns them; the main thread's key-down handler reads
// control, shield charges and stock (Relaxed fields) to select a weapon.
#pragma once

#include <cstdint>
#include <string>

#include "state/relaxed.h"
#include "state/weapon_index.h"

inline constexpr int kMaxPlayers = 5;

// Where a player's money came from and went to in this game, beside the
// money itself: money = damage + drops + bonus - spent.
struct MoneyLedger {
  int32_t damage = 0;  // paid for the pixels the player's explosions erased
  int32_t drops = 0;   // money supply drops shot
  int32_t bonus = 0;   // survivors' bonuses
  int32_t spent = 0;   // the weapon shop
};

// What a player did in this game, for the final standings: damage dealt to
// other forts, taken from others, done to the own fort; shells fired; shots
// that damaged another fort; supply drops caught.
struct PlayerStats {
  int32_t damageDealt = 0;
  int32_t damageTaken = 0;
  int32_t damageSelf = 0;
  int32_t shots = 0;
  int32_t hits = 0;
  int32_t drops = 0;
};

// How well a computer player plays: the designed opponent, or a harder or an
// easier one. Human players keep kStrengthNormal.
enum : int16_t { kStrengthNormal = 0, kStrengthHard = 1, kStrengthEasy = 2 };

struct PlayerRecord {
  float x = 0;                // world position of the fort picture's top-left corner
  float y = 0;
  float horizontalSpeed = 0;  // set to 0 by resets and placement, never used otherwise
  float fallSpeed = 0;        // pixels per frame while the fort falls
  int16_t colourIndex = 0;    // 0..4, different for every player in the game
  Relaxed<uint16_t> control{0};         // 0 human, 1 computer
  int16_t strength = kStrengthNormal;   // a computer's strength; carried over like control
  int16_t destroyed = 0;                // 1 once the damage passed 2500
  int16_t damage = 0;
  Relaxed<int16_t> shieldCharges{0};    // hits the DEFENSE shield still absorbs
  Relaxed<int16_t> stock[kWeaponCount];  // shells left per weapon; 10000 = unlimited
  std::string name;
  int32_t money = 0;
  int32_t roundsSurvived = 0;
  MoneyLedger ledger;
  PlayerStats stats;
};

extern PlayerRecord g_players[kMaxPlayers];
