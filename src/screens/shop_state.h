// The weapon shop's own state from frame to frame (the highlighted slot and
// the computer customer's wait) and the purchase itself, the one place where
// a customer's money turns into stock.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

#include "state/player_record.h"

// Sound effects of the shop: the till of a purchase, and the click of a slot
// chosen or of a customer leaving.
inline constexpr int kPurchaseSound = 2;
inline constexpr int kShopClickSound = 18;

struct ShopState {
  uint16_t selectedWeapon = 1;  // the highlighted slot, 1..9; kept from one customer to the next
  int32_t computerWait = 0;     // frames a computer customer still waits before acting
};

// The customer pays the weapon's price and gets one more of it. Callers
// check that the money covers the price.
void BuyWeapon(PlayerRecord& customer, int weapon);
