#include "players/view.h"

#include <cstdlib>

#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/projectile_table.h"
#include "world/terrain.h"

namespace {

// One axis of the view: origin and target, screen and world sizes.
void FollowAxis(int32_t& origin, int16_t& target, int screen, int world) {
  const int half = screen / 2;
  const int step = (std::abs(origin + half - target) + 19) / 20;
  if (target > origin + half) origin += step;
  if (target < origin + half) origin -= step;
  if (origin < 0) {
    origin = 0;
    target = static_cast<int16_t>(half);
  }
  if (origin > world - screen) {
    origin = world - screen;
    target = static_cast<int16_t>(half + origin);
  }
}

// One axis of the edge scrolling, each check on the speed the one before left.
void ScrollAxis(int16_t& speed, int cursor, int screen) {
  int s = speed;
  if (cursor < kScrollEdge && s > -10) s -= kScrollStep;
  if (cursor > screen - kScrollEdge - 1 && s < 10) s += kScrollStep;
  if (cursor >= kScrollEdge && s < 0) s += kScrollStep;
  if (cursor <= screen - kScrollEdge - 1 && s > 0) s -= kScrollStep;
  speed = static_cast<int16_t>(s);
}

// The integer part of a world coordinate, as a view target holds it.
int16_t TargetCoordinate(float v) {
  if (!(v > -32768.0f)) return -32768;  // also what is not a number
  if (v > 32767.0f) return 32767;
  return static_cast<int16_t>(static_cast<int>(v));
}

}  // namespace

void ViewFollowing() {
  FollowAxis(g_game.viewX, g_game.viewTargetX, g_config.screenWidth, kWorldWidth);
  FollowAxis(g_game.viewY, g_game.viewTargetY, g_config.screenHeight, kWorldHeight);
}

void EdgeScrolling() {
  ScrollAxis(g_turn.edgeScrollX, g_input.cursorX, g_config.screenWidth);
  ScrollAxis(g_turn.edgeScrollY, g_input.cursorY, g_config.screenHeight);
  g_game.viewTargetX = static_cast<int16_t>(g_game.viewTargetX + g_turn.edgeScrollX);
  g_game.viewTargetY = static_cast<int16_t>(g_game.viewTargetY + g_turn.edgeScrollY);
}

void ProjectileFollowing() {
  for (const Projectile& p : g_projectiles) {
    if (p.type == 0) continue;
    g_game.viewTargetX = TargetCoordinate(p.x);
    g_game.viewTargetY = TargetCoordinate(p.y);
  }
}
