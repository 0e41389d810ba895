// How a computer player shops: it tops its GIMLET stock up to 14, buys one
// DEFENSE and one GROUND DEFENSE when it holds none, then buys weapons at
// random (never the MISSILE, never the DIRECT MISSILE it cannot aim) until
// less than 400 dollars are left; one purchase every 51 frames. A HARD
// computer buys by a plan instead.
//
// Threads: the game thread.
#pragma once

#include "screens/shop_state.h"
#include "state/player_record.h"

// A computer customer stops shopping below this much money.
inline constexpr int32_t kComputerShopFloor = 400;
// GIMLET stock a computer customer tops up to.
inline constexpr int kComputerGimlets = 14;
// Frames after a purchase, and after a customer finishes (carried to the next one).
inline constexpr int32_t kPurchaseWait = 50;
inline constexpr int32_t kFinishedWait = 100;

// GIMLET stock a HARD customer keeps.
inline constexpr int kHardGimlets = 4;

// One frame of the current computer customer: wait, finish, or buy one weapon.
void ComputerShopStep(ShopState& shop);

// The weapon a customer buys next, or -1 when its money is below the floor.
// Draws random numbers when the fixed rules do not apply. A HARD customer
// shops by HardShopChoice instead.
int ComputerShopChoice(const PlayerRecord& customer);

// The HARD customer's plan, without chance: a DEFENSE when it holds none and
// can pay for it twice over, a few GIMLETs, then BIG MISSILEs (the heaviest
// shell that flies straight) while it can pay for them.
int HardShopChoice(const PlayerRecord& customer);

// The random rule's weapon for the random number r (0..32767): 1 + r x 9 /
// 32767, with DIRECT MISSILE taken as BIG MISSILE; -1 asks for another draw
// (the 1 of small numbers, and the 10 that r = 32767 would give).
int RandomShopWeapon(int r);
