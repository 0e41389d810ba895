// The weapon shop between rounds: every player in turn, from the first,
// spends money on weapons. A human picks a slot, buys with the buy button
// and leaves with NEXT; a computer buys by its own rules. Esc asks whether to
// quit the game.
//
// Threads: the game thread.
#pragma once

#include "screens/shop_state.h"

class FramePresenter;

// Runs the shop: 0 once every customer has finished, 1 when the players
// chose to quit the game.
int RunWeaponShop(FramePresenter& frame);

// One frame of a human customer: a click on a slot selects its weapon, on
// the buy button buys it (while the money covers the price), on the resting
// NEXT button passes to the next customer.
void HumanShopStep(ShopState& shop);
