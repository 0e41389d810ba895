#include "shell/input_handlers.h"

#include "players/player_record.h"
#include "shell/shared_state.h"
#include "sprites/loading_animation.h"

void OnKeyDown(int vk) {
  g_input.lastKey = vk;
  if (WeaponForDigitKey(vk) >= 0) SelectWeaponByDigit(vk);
}

void OnKeyUp(int) {}

void OnLButtonDown() { g_input.leftButton = 1; }
void OnLButtonUp() { g_input.leftButton = 0; }
void OnRButtonDown() { g_input.rightButton = 1; }
void OnRButtonUp() { g_input.rightButton = 0; }

void OnTimer(int) { DrawLoadingAnimation(); }

int WeaponForDigitKey(int vk) {
  if (vk == '0') return kGimlet;
  if (vk >= '1' && vk <= '9') return vk - '1';
  return -1;
}

void SelectWeaponByDigit(int vk) {
  const int w = WeaponForDigitKey(vk);
  const unsigned current = g_game.currentPlayer;
  if (w >= 0 && current < kMaxPlayers) {
    const PlayerRecord& p = g_players[current];
    if (p.stock[w] != 0 && p.control == 0 && g_game.shotPower == 0 && (w != kDefense || p.shieldCharges == 0))
      g_game.currentWeapon = static_cast<uint16_t>(w);
  }
  g_game.targetMarked = 0;
}
