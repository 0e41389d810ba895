#include "players/last_shot.h"

#include <cmath>

#include "players/firing.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/projectile_table.h"

LastShot g_lastShots[kMaxPlayers];

int AimDegrees(float dx, float dy) {
  // 0 - dy, not -dy: a level shot to the left is 180 degrees, never -180.
  const double up = 0.0 - static_cast<double>(dy);
  const double degrees = std::atan2(up, static_cast<double>(dx)) * 180.0 / 3.14159265358979;
  return static_cast<int>(std::lround(degrees));
}

int AimDegreesToPointer(const PlayerRecord& player) {
  return AimDegrees(static_cast<float>(g_input.cursorX + g_game.viewX) - (player.x + kAimPointX),
                    static_cast<float>(g_input.cursorY + g_game.viewY) - (player.y + kAimPointY));
}

int PowerPercent(int shotPower) {
  const int limit = g_turn.powerLimit ? g_turn.powerLimit : 1;
  return shotPower * 100 / limit;
}

void RecordShot(int player, int slot, int angle, int power) {
  if (player < 0 || player >= kMaxPlayers) return;
  LastShot& s = g_lastShots[player];
  s = LastShot();
  s.fired = true;
  s.angle = static_cast<int16_t>(angle);
  s.power = static_cast<int16_t>(power);
  s.slot = static_cast<int16_t>(slot >= 0 && slot < kProjectileSlots ? slot : -1);
}

void TraceLastShot(int player) {
  if (player < 0 || player >= kMaxPlayers) return;
  LastShot& s = g_lastShots[player];
  if (s.slot < 0) return;
  const Projectile& p = g_projectiles[s.slot];
  if (p.type == 0 || s.count >= kLastShotPoints) {
    s.slot = -1;
    return;
  }
  if (s.frames++ % kLastShotStep != 0) return;
  // Clamped as floats first: a shell far off the world still converts safely.
  const auto point = [](float v) { return static_cast<int16_t>(std::fmax(-30000.0f, std::fmin(30000.0f, v))); };
  s.x[s.count] = point(p.x);
  s.y[s.count] = point(p.y);
  ++s.count;
}

void ClearLastShots() {
  for (LastShot& s : g_lastShots) s = LastShot();
}
