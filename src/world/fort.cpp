#include "world/fort.h"

#include <cmath>

#include "audio/game_sounds.h"
#include "sprites/blit.h"
#include "sprites/collision.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "world/terrain.h"

namespace {

bool TouchesGround(int sprite, int x, int y) {
  return SpritesCollide(Sprite(sprite), x, y, Sprite(kTerrainSprite), 0, 0);
}

}  // namespace

int FortFeetOnGround(int x, int y) {
  int feet = 0;
  for (int k = 0; k < kFortFeet; ++k) feet += TouchesGround(kFortFootMask + k, x, y + kFortFootOffset);
  return feet;
}

bool FortBodyInGround(int x, int y) { return TouchesGround(kFortBodyMask, x, y + kFortBodyOffset); }

int FortCount() { return g_game.numberOfPlayers < kMaxPlayers ? g_game.numberOfPlayers : kMaxPlayers; }

void FortGroundCheck() {
  for (int i = 0; i < FortCount(); ++i) {
    PlayerRecord& p = g_players[i];
    const int feet = FortFeetOnGround(static_cast<int>(p.x), static_cast<int>(p.y));
    if (feet < 2 && p.fallSpeed < kFortFallLimit)
      p.fallSpeed += kFortFallStep;
    else
      p.fallSpeed = 0;
  }
}

namespace {

// A fort that has fallen past the bottom of the world is destroyed there, as
// by the damage check, and falls no further.
bool FellOut(PlayerRecord& p) {
  if (p.y <= kWorldHeight) return false;
  p.fallSpeed = 0;
  if (p.destroyed == 0) {
    p.destroyed = 1;
    PlaySoundEffect(kFortDestroyedSound);
  }
  return true;
}

}  // namespace

void FortFall() {
  for (int i = 0; i < FortCount(); ++i) {
    PlayerRecord& p = g_players[i];
    if (FellOut(p)) continue;
    p.y += p.fallSpeed;
    FellOut(p);
  }
}

void RestoreFortPictures() {
  for (int i = 0; i < FortCount(); ++i)
    if (static_cast<int>(g_players[i].y) != 0)
      DrawSprite(MutableSprite(kPlayerFortPicture + i).surface.get(), Sprite(kFortPicture), 0, 0);
}

void CentreViewOnCurrentFort() {
  const int current = g_game.currentPlayer;
  if (current < 0 || current >= kMaxPlayers) return;
  const PlayerRecord& p = g_players[current];
  g_game.viewTargetX = static_cast<int16_t>(static_cast<int>(p.x) + 40);
  g_game.viewTargetY = static_cast<int16_t>(static_cast<int>(p.y) + 20);
}

int Distance(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  // Differences of 16-bit values square to more than 32 bits can hold.
  const int64_t dx = static_cast<int64_t>(x1) - x2, dy = static_cast<int64_t>(y1) - y2;
  return static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}
