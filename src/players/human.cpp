#include "players/human.h"

#include <cmath>

#include "players/current_player.h"
#include "players/firing.h"
#include "players/last_shot.h"
#include "sprites/blit.h"
#include "sprites/pointer.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/flight_programs.h"
#include "weapons/weapon_table.h"

namespace {

// The single float the angle of a leftward shot is turned by.
constexpr float kHalfTurn = 3.14159f;
// Stands in for a horizontal distance of exactly 0 (a shot straight up or down).
constexpr float kTinyDx = 0.000000001f;

// A click on a weapon icon chooses that weapon if any is left; the click is
// used up either way.
void ClickWeaponIcons(const PlayerRecord& p) {
  if (g_input.leftButton != 1) return;
  const SpriteEntry& slot = Sprite(kWeaponSlotSprite);
  const int y = g_config.screenHeight - kWeaponSlotAboveBottom;
  for (int i = 0; i < kWeaponCount; ++i) {
    if (!PointerTouches(slot, kWeaponSlotLeft + kWeaponSlotSpacing * i, y)) continue;
    if (p.stock[i] > 0) g_game.currentWeapon = static_cast<uint16_t>(i);
    g_input.leftButton = 0;
  }
}

// The first click of a DIRECT MISSILE turn marks its target in the world.
void MarkDirectMissileTarget() {
  if (g_input.leftButton != 1 || g_turn.turnOver != 0 || g_game.targetMarked != 0 ||
      g_game.currentWeapon != kDirectMissile)
    return;
  const float x = static_cast<float>(g_input.cursorX + g_game.viewX);
  const float y = static_cast<float>(g_input.cursorY + g_game.viewY);
  WriteDirectMissileTarget(x, y);
  g_turn.directTargetX = x;
  g_turn.directTargetY = y;
  g_game.targetMarked = 1;
  g_input.leftButton = 0;
}

// One step of power a frame while the button is held; at full power the
// button counts as released.
void Charge() {
  if (g_input.leftButton != 1 || g_turn.turnOver != 0) return;
  if (g_game.shotPower < g_turn.powerLimit) g_game.shotPower += 1;
  if (g_game.shotPower >= g_turn.powerLimit) g_input.leftButton = 0;
}

// The charged shot, from the fort's aim point towards the pointer.
void Fire(PlayerRecord& p) {
  const int weapon = CurrentWeapon();
  const int speed = g_game.shotPower / ShotDivisor(weapon);
  const int power = PowerPercent(g_game.shotPower);
  g_game.shotPower = 0;
  float dx = static_cast<float>(g_input.cursorX + g_game.viewX) - (p.x + kAimPointX);
  const float dy = static_cast<float>(g_input.cursorY + g_game.viewY) - (p.y + kAimPointY);
  if (dx == 0.0f) dx = kTinyDx;
  float angle = std::atan(dy / dx);
  if (dx < 0.0f) angle += kHalfTurn;
  const int slot =
      FireWeapon(weapon, p, std::cos(angle) * static_cast<float>(speed), std::sin(angle) * static_cast<float>(speed));
  RecordShot(g_game.currentPlayer, slot, AimDegrees(dx, dy), power);
  g_turn.turnOver = 1;
  TakeShell(weapon, p);
}

}  // namespace

int ShotDivisor(int weapon) {
  const int divisor = static_cast<int>(100.0f / WeaponType(weapon).maxSpeed);
  return divisor > 0 ? divisor : 1;
}

void HumanTurnStep() {
  PlayerRecord& p = CurrentPlayerRecord();
  TraceLastShot(g_game.currentPlayer);
  ClickWeaponIcons(p);
  MarkDirectMissileTarget();
  Charge();
  if (g_input.leftButton == 1 || g_game.shotPower == 0) return;
  Fire(p);
}
