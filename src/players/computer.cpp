#include "players/computer.h"

#include "platform/random.h"
#include "players/current_player.h"
#include "players/firing.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/weapon_table.h"

namespace {

// The single float that scales a random number to 0..1.
constexpr float kRandomScale = 1.0f / 32767.0f;

// A uniform error of -0.75 to +0.75 added to an aimed velocity component.
float AimError() { return (static_cast<float>(platform::Rand() * 30) * kRandomScale - 15.0f) * 0.05f; }

bool KeepsItsWeapon(int weapon) { return weapon == kMissile || weapon == kGimlet || weapon == kDefense; }

void Fire(PlayerRecord& p) {
  g_turn.turnOver = 1;
  int weapon = CurrentWeapon();
  if (weapon == kMissile && g_aim.bestMiss > kGimletMiss && p.stock[kGimlet] > 0) weapon = kGimlet;
  g_game.currentWeapon = static_cast<uint16_t>(weapon);
  TakeShell(weapon, p);
  g_game.shotPower = 0;
  g_aim.aimVx += AimError();
  g_aim.aimVy += AimError();
  FireWeapon(weapon, p, g_aim.aimVx, g_aim.aimVy);
}

}  // namespace

void ComputerTurnStep() {
  if (g_aim.aimed == 0) {
    const ProjectileType& type = WeaponType(CurrentWeapon());
    AimSearch(g_aim.trialSpeed, type.gravity, type.maxSpeed);
    g_aim.trialSpeed += 1;
  }

  if (g_aim.trialSpeed > WeaponType(CurrentWeapon()).maxSpeed && !KeepsItsWeapon(CurrentWeapon()) &&
      g_aim.bestMiss > kFallbackMiss) {
    g_game.currentWeapon = kMissile;
    g_aim.trialSpeed = AimState().trialSpeed;
  }

  const float maxSpeed = WeaponType(CurrentWeapon()).maxSpeed;
  if (g_aim.trialSpeed > maxSpeed) {
    g_aim.aimed = 1;
    g_aim.trialSpeed = 0;
    const int wholeSpeed = static_cast<int>(maxSpeed) > 0 ? static_cast<int>(maxSpeed) : 1;
    // The power to reach; DEFENSE's speed 4 over its maximum of 3 would pass the limit.
    const int power = g_aim.bestSpeed * 100 / wholeSpeed;
    g_aim.bestSpeed = static_cast<int16_t>(power < g_turn.powerLimit ? power : g_turn.powerLimit);
  }

  if (g_aim.aimed == 1 && g_turn.turnOver == 0) {
    if (g_game.shotPower < g_aim.bestSpeed) {
      g_game.shotPower += 1;
      return;
    }
    Fire(CurrentPlayerRecord());
  }
}
