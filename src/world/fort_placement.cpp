#include "world/fort_placement.h"

#include <cmath>

#include "platform/random.h"
#include "world/fort.h"
#include "world/landscape.h"

namespace {

// The single float 1/32767 that scales a random number to a range.
constexpr float kRandomScale = 1.0f / 32767.0f;

struct Spot {
  float x, y;
};

Spot Draw(RandomSource& random) {
  Spot s;
  s.x = 40 + static_cast<float>(random() * 1375) * kRandomScale;
  s.y = 10 + static_cast<float>(random() * 680) * kRandomScale;
  return s;
}

bool FarEnoughAcross(float x, int placed) {
  for (int j = 0; j < placed; ++j)
    if (std::fabs(x - g_players[j].x) < 80) return false;
  return true;
}

bool FarEnough(const Spot& s, int placed, int minimum) {
  for (int j = 0; j < placed; ++j) {
    const PlayerRecord& p = g_players[j];
    const int d = Distance(static_cast<int16_t>(static_cast<int>(s.x)), static_cast<int16_t>(static_cast<int>(s.y)),
                           static_cast<int16_t>(static_cast<int>(p.x)), static_cast<int16_t>(static_cast<int>(p.y)));
    if (d < minimum) return false;
  }
  return true;
}

// One attempt: a random spot, dropped in 10-pixel steps until two feet stand
// on ground. True with the fort's spot when it is acceptable.
bool Attempt(RandomSource& random, int placed, int minimum, Spot* out) {
  Spot s = Draw(random);
  if (!FarEnoughAcross(s.x, placed)) return false;
  if (static_cast<int>(s.y) > 768) return false;
  for (;;) {
    const int feet = FortFeetOnGround(static_cast<int>(s.x), static_cast<int>(s.y));
    if (FortBodyInGround(static_cast<int>(s.x), static_cast<int>(s.y))) return false;
    if (feet >= 2) break;
    s.y += 10;
    if (static_cast<int>(s.y) > 768) return false;
  }
  if (!FarEnough(s, placed, minimum)) return false;
  *out = s;
  return true;
}

int NextGameRandom(void*) { return platform::Rand(); }

}  // namespace

RandomSource GameRandom() { return RandomSource{NextGameRandom, nullptr}; }

PlacementReport PlaceFortsOnLandscape(int n, RandomSource random, const PlacementLimits& limits) {
  PlacementReport report;
  for (PlayerRecord& p : g_players) {
    p.x = p.y = p.horizontalSpeed = p.fallSpeed = 0;
    p.destroyed = 0;
    p.damage = 0;
    p.shieldCharges = 0;
  }
  if (n <= 0) return report;
  if (n > kMaxPlayers) n = kMaxPlayers;
  const int minimum = 1000 / n;
  for (int i = 0; i < n; ++i) {
    Spot s{};
    bool placed = false;
    int attempts = 0;
    while (!placed && attempts < limits.strictAttempts) {
      ++attempts;
      placed = Attempt(random, i, minimum, &s);
    }
    report.how[i] = FortPlacement::kStanding;
    // No spot far enough from the others: any standing spot will do.
    while (!placed && attempts < limits.strictAttempts + limits.relaxedAttempts) {
      ++attempts;
      placed = Attempt(random, i, 0, &s);
      report.how[i] = FortPlacement::kCrowded;
    }
    report.attempts[i] = attempts;
    if (!placed) {
      // No standing spot at all: a random spot, away from the others across
      // if one can be found, where the fort falls until it lands.
      report.how[i] = FortPlacement::kFalling;
      for (int draw = 0; draw < limits.fallingDraws; ++draw) {
        s = Draw(random);
        if (FarEnoughAcross(s.x, i)) break;
      }
    }
    g_players[i].x = s.x;
    g_players[i].y = s.y;
  }
  return report;
}

void PlaceForts() {
  BuildLandscape();
  PlaceFortsOnLandscape(FortCount(), GameRandom());
}
