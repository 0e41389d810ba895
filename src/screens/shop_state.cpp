#include "screens/shop_state.h"

#include "weapons/weapon_table.h"

void BuyWeapon(PlayerRecord& customer, int weapon) {
  if (weapon < 0 || weapon >= kWeaponCount) return;
  customer.money -= WeaponPrice(weapon);
  customer.ledger.spent += WeaponPrice(weapon);
  ++customer.stock[weapon];
}
