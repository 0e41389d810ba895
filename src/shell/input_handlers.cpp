#include "shell/input_handlers.h"

#include "net/net_session.h"
#include "shell/replay_session.h"
#include "sprites/loading_animation.h"
#include "state/frame_record.h"
#include "state/player_record.h"
#include "state/shared_state.h"

namespace {

// The weapon keys of the frame's record, oldest first.
void SelectFrameWeapons() {
  const uint32_t keys = CurrentFrameRecord().weaponKeys;
  for (int shift = 24; shift >= 0; shift -= 8)
    if (const int vk = (keys >> shift) & 0xFF; vk != 0) SelectWeaponByDigit(vk);
}

// Without frames (before the game thread runs) a handler's change is the
// frame's at once.
void HandOver() {
  if (g_framedInput != 0) return;
  TakeLiveInput(false);
  SelectFrameWeapons();
}

// A button's press or release, through its latch.
void StepButton(void (ButtonLatch::*step)(Relaxed<uint8_t>*), ButtonLatch& latch, FrameValue<uint8_t>& button) {
  (latch.*step)(&button);
  HandOver();
}

}  // namespace

void OnKeyDown(int vk) {
  g_input.keys.Press(vk, &g_input.lastKey);
  if (vk == kKeyTab) g_input.tabHeld.Live() = 1;
  if (WeaponForDigitKey(vk) >= 0) AddWeaponKey(vk);
  HandOver();
}

void OnKeyUp(int vk) {
  if (vk == kKeyTab) g_input.tabHeld.Live() = 0;
  HandOver();
}

void OnLButtonDown() { StepButton(&ButtonLatch::Press, g_input.leftLatch, g_input.leftButton); }
void OnLButtonUp() { StepButton(&ButtonLatch::Release, g_input.leftLatch, g_input.leftButton); }
void OnRButtonDown() { StepButton(&ButtonLatch::Press, g_input.rightLatch, g_input.rightButton); }
void OnRButtonUp() { StepButton(&ButtonLatch::Release, g_input.rightLatch, g_input.rightButton); }

void OnGameFrame() {
  g_input.keys.OnFrame(&g_input.lastKey);
  g_input.leftLatch.OnFrame(&g_input.leftButton);
  g_input.rightLatch.OnFrame(&g_input.rightButton);
  TakeLiveInput(true);
  NetFrame();
  ReplayFrame();
  SelectFrameWeapons();
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
