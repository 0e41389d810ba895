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

struct PlayerRecord {
  float x = 0;                // world position of the fort picture's top-left corner
  float y = 0;
  float horizontalSpeed = 0;  // set to 0 by resets and placement, never used otherwise
  float fallSpeed = 0;        // pixels per frame while the fort falls
  int16_t colourIndex = 0;    // 0..4, different for every player in the game
  Relaxed<uint16_t> control{0};         // 0 human, 1 computer
  int16_t destroyed = 0;                // 1 once the damage passed 2500
  int16_t damage = 0;
  Relaxed<int16_t> shieldCharges{0};    // hits the DEFENSE shield still absorbs
  Relaxed<int16_t> stock[kWeaponCount];  // shells left per weapon; 10000 = unlimited
  std::string name;
  int32_t money = 0;
  int32_t roundsSurvived = 0;
  MoneyLedger ledger;
};

extern PlayerRecord g_players[kMaxPlayers];
