#include "shell/input_handlers.h"

#include "sprites/loading_animation.h"
#include "state/player_record.h"
#include "state/shared_state.h"

void OnKeyDown(int vk) {
  g_input.keys.Press(vk, &g_input.lastKey);
  if (vk == kKeyTab) g_input.tabHeld = 1;
  if (WeaponForDigitKey(vk) >= 0) SelectWeaponByDigit(vk);
}

void OnKeyUp(int vk) {
  if (vk == kKeyTab) g_input.tabHeld = 0;
}

void OnLButtonDown() { g_input.leftLatch.Press(&g_input.leftButton); }
void OnLButtonUp() { g_input.leftLatch.Release(&g_input.leftButton); }
void OnRButtonDown() { g_input.rightLatch.Press(&g_input.rightButton); }
void OnRButtonUp() { g_input.rightLatch.Release(&g_input.rightButton); }

void OnGameFrame() {
  g_input.keys.OnFrame(&g_input.lastKey);
  g_input.leftLatch.OnFrame(&g_input.leftButton);
  g_input.rightLatch.OnFrame(&g_input.rightButton);
}

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
