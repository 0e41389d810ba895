#include "players/player_resets.h"

#include <cstdio>

#include "state/money_history.h"
#include "state/shared_state.h"

namespace {

// Position, motion, colour, damage and shield: the same in both resets.
void ClearFortState(PlayerRecord& p, int index) {
  p.x = p.y = 0;
  p.horizontalSpeed = p.fallSpeed = 0;
  p.colourIndex = static_cast<int16_t>(index);
  p.destroyed = 0;
  p.damage = 0;
  p.shieldCharges = 0;
  p.money = 0;
  p.ledger = MoneyLedger();
  p.stats = PlayerStats();
  p.roundsSurvived = 0;
}

}  // namespace

std::string DefaultPlayerName(int i) {
  char name[24];
  std::snprintf(name, sizeof name, "NONAME 0%i", i + 1);
  return name;
}

bool IsDefaultPlayerName(const std::string& name) {
  for (int i = 0; i < kMaxPlayers; ++i)
    if (name == DefaultPlayerName(i)) return true;
  return false;
}

void ProgramStartReset() {
  for (int i = 0; i < kMaxPlayers; ++i) {
    PlayerRecord& p = g_players[i];
    ClearFortState(p, i);
    p.control = 0;
    for (int w = 0; w < kWeaponCount; ++w) p.stock[w] = static_cast<int16_t>(w == kMissile ? kUnlimitedStock : 0);
    p.name = DefaultPlayerName(i);
  }
}

void NewGameReset() {
  MoneyHistory().clear();
  g_game.gameRounds = 0;
  for (int i = 0; i < kMaxPlayers; ++i) {
    PlayerRecord& p = g_players[i];
    ClearFortState(p, i);
    for (int w = 0; w < kWeaponCount; ++w) p.stock[w] = kStartingStock[w];
  }
}
