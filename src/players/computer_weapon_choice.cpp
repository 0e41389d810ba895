#include "platform/random.h"
#include "players/computer.h"
#include "players/current_player.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "state/weapon_index.h"

namespace {

// Damage above which the computer considers raising its shield.
constexpr int kDefenseDamage = 1000;
// The faster weapons start their search at this speed.
constexpr int16_t kFastTrialSpeed = 7;

// The weapon for a draw r of 0..45.
int WeaponForDraw(int r, const PlayerRecord& p) {
  if (r < 5) return kBigMissile;
  if (r < 15) return kGrenade;
  if (r < 20) return kSuperGrenade;
  if (r < 25) return kHyperTube;
  if (r < 30) return kBallGrenade;
  if (r < 34) return kGroundDefense;
  if (p.damage > kDefenseDamage && r < 42 && p.shieldCharges == 0) return kDefense;
  return kMissile;
}

// The HARD computer's weapons, strongest first: those that fly as its
// trials do.
constexpr int kHardPlan[] = {kBigMissile};
// Damage above which the HARD computer raises its shield.
constexpr int kHardDefenseDamage = 1500;

}  // namespace

int HardWeaponChoice(const PlayerRecord& p) {
  if (p.damage > kHardDefenseDamage && p.shieldCharges == 0 && p.stock[kDefense] > 0) return kDefense;
  for (const int weapon : kHardPlan)
    if (p.stock[weapon] > 0) return weapon;
  return kMissile;
}

void ComputerWeaponChoice() {
  const PlayerRecord& p = CurrentPlayerRecord();
  if (p.strength == kStrengthHard) {
    g_game.currentWeapon = static_cast<uint16_t>(HardWeaponChoice(p));
    return;
  }
  g_game.currentWeapon = kMissile;
  const int r = platform::Rand() * 45 / platform::kRandMax;
  const int weapon = WeaponForDraw(r, p);
  g_game.currentWeapon = static_cast<uint16_t>(p.stock[weapon] == 0 ? kMissile : weapon);
  if (g_game.currentWeapon == kHyperTube || g_game.currentWeapon == kSuperGrenade) g_aim.trialSpeed = kFastTrialSpeed;
}
