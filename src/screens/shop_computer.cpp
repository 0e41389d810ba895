#include "screens/shop_computer.h"

#include "audio/game_sounds.h"
#include "platform/random.h"
#include "players/current_player.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/weapon_table.h"

namespace {

bool CanPay(const PlayerRecord& customer, int weapon) { return customer.money >= WeaponPrice(weapon); }

int DrawRandomWeapon() {
  int w;
  do {
    w = RandomShopWeapon(platform::Rand());
  } while (w < 0);
  return w;
}

}  // namespace

int RandomShopWeapon(int r) {
  const int w = 1 + r * 9 / platform::kRandMax;
  if (w <= kBigMissile || w >= kWeaponCount) return -1;
  return w == kDirectMissile ? kBigMissile : w;
}

int HardShopChoice(const PlayerRecord& customer) {
  if (customer.money < kComputerShopFloor) return -1;
  if (CanPay(customer, kDefense) && customer.stock[kDefense] == 0 && customer.money >= 2 * WeaponPrice(kDefense))
    return kDefense;
  if (CanPay(customer, kGimlet) && customer.stock[kGimlet] < kHardGimlets) return kGimlet;
  return CanPay(customer, kBigMissile) ? kBigMissile : -1;
}

int ComputerShopChoice(const PlayerRecord& customer) {
  if (customer.strength == kStrengthHard) return HardShopChoice(customer);
  for (;;) {
    if (customer.money < kComputerShopFloor) return -1;
    if (CanPay(customer, kGimlet) && customer.stock[kGimlet] < kComputerGimlets) return kGimlet;
    if (CanPay(customer, kDefense) && customer.stock[kDefense] == 0) return kDefense;
    if (CanPay(customer, kGroundDefense) && customer.stock[kGroundDefense] == 0) return kGroundDefense;
    const int w = DrawRandomWeapon();
    if (CanPay(customer, w)) return w;
  }
}

void ComputerShopStep(ShopState& shop) {
  if (shop.computerWait > 0) {
    --shop.computerWait;
    return;
  }
  PlayerRecord& customer = CurrentPlayerRecord();
  const int w = ComputerShopChoice(customer);
  if (w < 0) {
    PlaySoundEffect(kShopClickSound);
    g_game.currentPlayer = static_cast<uint16_t>(g_game.currentPlayer + 1);
    ++g_phases.nextButton;
    shop.computerWait = kFinishedWait;
    return;
  }
  shop.selectedWeapon = static_cast<uint16_t>(w);
  BuyWeapon(customer, w);
  PlaySoundEffect(kPurchaseSound);
  shop.computerWait = kPurchaseWait;
}
