// The computer's trial trajectories. They follow a model of their own, not
// the real flight (they move before gravity is added and never bounce or
// steer), so the real shot lands near the best trial, not on it.
#include <cmath>
#include <cstdlib>

#include "players/computer.h"
#include "players/current_player.h"
#include "players/firing.h"
#include "sprites/blit.h"
#include "sprites/collision.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "state/weapon_index.h"
#include "world/fort.h"
#include "world/terrain.h"

namespace {

constexpr float kHalfTurn = 3.14159f;
// The fan starts this far above the rightward horizontal and ends as far
// above the leftward one; DEFENSE's fan is narrower.
constexpr float kFanEdge = 0.3f, kDefenseFanEdge = 0.7f;
constexpr float kFortWidth = 80.0f, kFortHeight = 50.0f;
// A trial that could never leave the world nor land (no speed, no gravity)
// is given up after this many steps; real trials end long before.
constexpr int kMaxTrialSteps = 1 << 16;

// An enemy fort still standing, as the trials test it.
struct Target {
  float x, y;  // the fort picture's corner
  const SpriteEntry* picture;
};

struct Targets {
  Target list[kMaxPlayers];
  int count = 0;
};

// The enemies whose forts stand, or (wrecks) those destroyed.
Targets Enemies(bool wrecks) {
  Targets t;
  const int me = g_game.currentPlayer;
  for (int i = 0; i < FortCount(); ++i) {
    const PlayerRecord& p = g_players[i];
    if (i == me || (p.destroyed != 0) != wrecks) continue;
    t.list[t.count++] = {p.x, p.y, &Sprite(kPlayerFortPicture + i)};
  }
  return t;
}

// Whether (px, py), truncated to (ix, iy), lies on a solid pixel of an enemy
// fort: only tested inside a fort's box.
bool HitsFort(const Targets& targets, float px, float py, int ix, int iy) {
  for (int k = 0; k < targets.count; ++k) {
    const Target& t = targets.list[k];
    if (t.x < px && px < t.x + kFortWidth && t.y < py && py < t.y + kFortHeight &&
        PointInSprite(ix, iy, *t.picture, static_cast<int>(t.x), static_cast<int>(t.y)))
      return true;
  }
  return false;
}

// Keeps the impact (px, py) of a trial of speed S when it comes closer to an
// enemy's aim point than the best miss so far.
void ScoreImpact(const Targets& targets, float px, float py, int speed, float vx, float vy0) {
  for (int k = 0; k < targets.count; ++k) {
    const Target& t = targets.list[k];
    const int dx = std::abs(static_cast<int>(px - t.x - kAimPointX));
    const int dy = std::abs(static_cast<int>(py - t.y - kAimPointY));
    const float distance = std::sqrt(static_cast<float>(dx * dx + dy * dy));
    if (distance < g_aim.bestMiss) {
      g_aim.bestMiss = distance;
      g_aim.bestSpeed = static_cast<int16_t>(speed);
      g_aim.aimVx = vx;
      g_aim.aimVy = vy0;
    }
  }
}

}  // namespace

void AimSearch(int speed, float gravity, float maxSpeed) {
  ProfiledAimSearch(ProfileOf(kStrengthNormal), static_cast<float>(speed), gravity, maxSpeed);
}

void ProfiledAimSearch(const AimProfile& profile, float speed, float gravity, float maxSpeed) {
  // The terrain's own pixel pointer, held for the whole search: the fort
  // pictures locked in between never change where the terrain is read.
  TerrainLock lock;
  if (!lock) return;
  uint16_t* const terrain = lock.Pixels();
  const PlayerRecord& me = CurrentPlayerRecord();
  const float startX = me.x + kAimPointX, startY = me.y + kAimPointY;
  const Targets targets = Enemies(false);
  const Targets wrecks = profile.wrecksBlock ? Enemies(true) : Targets();
  const float edge = g_game.currentWeapon == kDefense ? kDefenseFanEdge : kFanEdge;
  const float s = speed;
  const int wholeSpeed = static_cast<int>(speed);
  for (float angle = -edge; angle > edge - kHalfTurn; angle -= profile.angleStep) {
    const float vx = std::cos(angle) * s, vy0 = std::sin(angle) * s;
    float vy = vy0, px = startX, py = startY;
    int ix = 0, iy = 0;
    bool landed = false;
    for (int step = 0; step < kMaxTrialSteps; ++step) {
      if (profile.realFlight) {
        // As a shell flies: its speed limited, then gravity, then the move.
        if (vy > maxSpeed) vy = maxSpeed;
        vy += gravity;
      }
      px += vx;
      py += vy;
      if (!profile.realFlight) {
        vy += gravity;
        if (vy > maxSpeed) vy = maxSpeed;
      }
      if (!(px >= 0.0f && px < kWorldWidth && py >= 0.0f && py < kWorldHeight)) break;
      ix = static_cast<int>(px);
      iy = static_cast<int>(py);
      if (HitsFort(targets, px, py, ix, iy) || HitsFort(wrecks, px, py, ix, iy) ||
          terrain[iy * kWorldWidth + ix] != 0) {
        landed = true;
        break;
      }
    }
    if (!landed) continue;
    if (g_input.rightButton == 1) terrain[iy * kWorldWidth + ix] = kTrialDot;
    ScoreImpact(targets, px, py, wholeSpeed, vx, vy0);
  }
}
