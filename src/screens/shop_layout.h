// The weapon shop's picture: the stretched background, nine weapon slots
// (every weapon but the MISSILE) with icons and stock counts, the buy button
// while the customer can pay for the highlighted weapon, its name and price,
// the customer's emblem, fort, computer badge, name and money, the NEXT
// button and the mouse pointer. Also the places the customers click.
//
// Threads: the game thread.
#pragma once

#include "screens/shop_state.h"

inline constexpr int kShopSlots = 9;  // slot i sells weapon i, 1..9
inline constexpr int kSlotSprite = 442;
inline constexpr int kSelectedSlotSprite = 443;

struct ScreenPoint {
  int x = 0, y = 0;
};

// Top-left corners on the current screen: slot 1..9, the buy button, the NEXT button.
ScreenPoint ShopSlotPosition(int slot);
ScreenPoint BuyButtonPosition();
ScreenPoint NextButtonPosition();

// Draws the shop for the current customer into the back surface.
void DrawShop(const ShopState& shop);
