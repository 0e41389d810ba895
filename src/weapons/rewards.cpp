#include "weapons/rewards.h"

#include <string>

#include "platform/random.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "weapons/weapon_table.h"

namespace {

constexpr int kMessageTicks = 100;

// The player whose turn it is, or none when the shared value is out of range.
PlayerRecord* Shooter() {
  const int p = g_game.currentPlayer;
  return p < kMaxPlayers ? &g_players[p] : nullptr;
}

void ShowStatus(const PlayerRecord& shooter, const std::string& what) {
  g_game.statusMessage = shooter.name + " : " + what;
  g_game.messageTimer = kMessageTicks;
}

}  // namespace

void PayForDamage(int victim, int16_t erased) {
  if (victim >= 0 && victim < kMaxPlayers)
    g_players[victim].damage = static_cast<int16_t>(g_players[victim].damage + erased);
  if (PlayerRecord* shooter = Shooter()) {
    shooter->money += erased;
    shooter->ledger.damage += erased;
  }
}

int DropWeapon(int n) {
  // The last draw of each weapon's share of 0..50.
  static constexpr struct {
    int last, weapon;
  } kShares[] = {{5, kBigMissile},     {15, kGrenade}, {20, kSuperGrenade},  {26, kDirectMissile}, {28, kHyperTube},
                 {31, kDefense},       {36, kGroundDefense}, {39, kBallGrenade}, {50, kGimlet}};
  for (const auto& share : kShares)
    if (n <= share.last) return share.weapon;
  return kGimlet;
}

void RewardSupplyDrop(int kind) {
  PlayerRecord* shooter = Shooter();
  if (kind == 1) {
    const int amount = 1000 + platform::Rand() * 1000 / platform::kRandMax;
    if (!shooter) return;
    shooter->money += amount;
    shooter->ledger.drops += amount;
    ShowStatus(*shooter, std::to_string(amount) + "$");
  } else if (kind == 2) {
    const int weapon = DropWeapon(platform::Rand() * 50 / platform::kRandMax);
    if (!shooter) return;
    shooter->stock[weapon] = static_cast<int16_t>(shooter->stock[weapon] + 1);
    ShowStatus(*shooter, WeaponName(weapon));
  }
}
