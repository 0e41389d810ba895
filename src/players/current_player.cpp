#include "players/current_player.h"

#include "state/shared_state.h"

PlayerRecord& CurrentPlayerRecord() {
  const int current = g_game.currentPlayer;
  return g_players[current < kMaxPlayers ? current : kMaxPlayers - 1];
}

int CurrentWeapon() {
  const int weapon = g_game.currentWeapon;
  return weapon < kWeaponCount ? weapon : kMissile;
}
