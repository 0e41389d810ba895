#include "players/firing.h"

#include "audio/game_sounds.h"
#include "weapons/projectile_table.h"
#include "weapons/rewards.h"
#include "weapons/weapon_table.h"

int FireWeapon(int weapon, PlayerRecord& player, float vx, float vy) {
  if (weapon == kDefense) {
    player.shieldCharges = kShieldCharges;
    PlaySoundEffect(kShieldSound);
    return -1;
  }
  BeginShot(player);
  return LaunchProjectile(ProjectileTypeOfWeapon(weapon), weapon, player.x + kAimPointX, player.y + kAimPointY, vx, vy);
}

void TakeShell(int weapon, PlayerRecord& player) {
  if (weapon < 0 || weapon >= kWeaponCount) return;
  if (player.stock[weapon] != kUnlimitedStock) player.stock[weapon] -= 1;
}
