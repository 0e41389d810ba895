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

// Whether the shell in flight has already damaged another fort: a shot
// counts as one hit however many forts and explosions it reaches.
bool g_shotHasHit = false;

// The standings' damage figures: to another fort, the shooter's dealt and
// the victim's taken (the shot a hit); to the shooter's own, its self damage.
void CountDamage(int victim, int16_t erased) {
  const int shooter = g_game.currentPlayer;
  if (erased <= 0 || victim < 0 || victim >= kMaxPlayers || shooter >= kMaxPlayers) return;
  if (victim == shooter) {
    g_players[shooter].stats.damageSelf += erased;
    return;
  }
  g_players[shooter].stats.damageDealt += erased;
  g_players[victim].stats.damageTaken += erased;
  if (!g_shotHasHit) ++g_players[shooter].stats.hits;
  g_shotHasHit = true;
}

void ShowStatus(const PlayerRecord& shooter, const std::string& what) {
  g_game.statusMessage = shooter.name + " : " + what;
  g_game.messageTimer = kMessageTicks;
}

}  // namespace

void BeginShot(PlayerRecord& shooter) {
  ++shooter.stats.shots;
  g_shotHasHit = false;
}

void PayForDamage(int victim, int16_t erased) {
  CountDamage(victim, erased);
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
    ++shooter->stats.drops;
    ShowStatus(*shooter, std::to_string(amount) + "$");
  } else if (kind == 2) {
    const int weapon = DropWeapon(platform::Rand() * 50 / platform::kRandMax);
    if (!shooter) return;
    shooter->stock[weapon] = static_cast<int16_t>(shooter->stock[weapon] + 1);
    ++shooter->stats.drops;
    ShowStatus(*shooter, WeaponName(weapon));
  }
}
