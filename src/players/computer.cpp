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

// The designed opponent, a harder one (four times the trials, a third of the
// error, shells modelled as they fly, wrecks in the way) and an easier one
// (every other speed, half the angles, three times the error).
constexpr AimProfile kProfiles[] = {
    {0.1f, 1, 1, 0.05f, false, false},
    {0.05f, 2, 1, 0.015f, true, true},
    {0.2f, 1, 2, 0.15f, false, false},
};

// A uniform error added to an aimed velocity component: -0.75 to +0.75 for
// the designed opponent (scale 0.05).
float AimError(float scale) { return (static_cast<float>(platform::Rand() * 30) * kRandomScale - 15.0f) * scale; }

bool KeepsItsWeapon(int weapon) { return weapon == kMissile || weapon == kGimlet || weapon == kDefense; }

void Fire(PlayerRecord& p, const AimProfile& profile) {
  g_turn.turnOver = 1;
  int weapon = CurrentWeapon();
  if (weapon == kMissile && g_aim.bestMiss > kGimletMiss && p.stock[kGimlet] > 0) weapon = kGimlet;
  g_game.currentWeapon = static_cast<uint16_t>(weapon);
  TakeShell(weapon, p);
  g_game.shotPower = 0;
  g_aim.aimVx += AimError(profile.errorScale);
  g_aim.aimVy += AimError(profile.errorScale);
  FireWeapon(weapon, p, g_aim.aimVx, g_aim.aimVy);
}

// The trials of one search frame: the designed one speed, or a profile's
// fans between this speed and the next.
void SearchFrame(const AimProfile& profile, bool designed) {
  const ProjectileType& type = WeaponType(CurrentWeapon());
  if (designed) {
    AimSearch(g_aim.trialSpeed, type.gravity, type.maxSpeed);
  } else {
    for (int fan = 0; fan < profile.fansPerSpeed; ++fan) {
      const float speed = static_cast<float>(g_aim.trialSpeed) + static_cast<float>(fan) / profile.fansPerSpeed;
      if (speed <= type.maxSpeed) ProfiledAimSearch(profile, speed, type.gravity, type.maxSpeed);
    }
  }
  g_aim.trialSpeed = static_cast<int16_t>(g_aim.trialSpeed + profile.speedStep);
}

}  // namespace

const AimProfile& ProfileOf(int strength) {
  return kProfiles[strength == kStrengthHard ? 1 : strength == kStrengthEasy ? 2 : 0];
}

void ComputerTurnStep() {
  const int strength = CurrentPlayerRecord().strength;
  const AimProfile& profile = ProfileOf(strength);
  if (g_aim.aimed == 0) SearchFrame(profile, strength == kStrengthNormal);

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
    Fire(CurrentPlayerRecord(), profile);
  }
}
