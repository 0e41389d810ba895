// The computer opponent: at the start of its turn it picks a weapon at
// random; then, one launch speed per frame, it flies a fan of trial
// trajectories over the terrain bitmap, keeps the one that lands closest to
// an enemy's aim point, charges the gauge up to that speed's power and fires
// with a small random error. A weapon that misses widely is given up for the
// MISSILE, and a MISSILE that still misses drills with a GIMLET.
//
// Threads: the game thread (the right button, which leaves white dots at the
// trials' impacts, is set by the main thread's handlers).
#pragma once

#include <cstdint>

#include "state/player_record.h"

// Speeds searched and distances that matter to the computer.
inline constexpr float kFallbackMiss = 60.0f;  // a best miss above this gives the weapon up for the MISSILE
inline constexpr float kGimletMiss = 40.0f;    // a MISSILE missing by more than this becomes a GIMLET
// The dot a trial leaves at its impact while the right button is held.
inline constexpr uint16_t kTrialDot = 0xFFFF;

// How a computer of each strength aims: the angle between the trials of a
// fan, the fans per speed (at 1/fans steps of speed), the speeds skipped
// between search frames, the scale of the random error of the shot, whether
// the trials fly as the real shells do (gravity before the move) and
// whether the wrecks of destroyed forts stop a trial.
struct AimProfile {
  float angleStep;
  int fansPerSpeed;
  int16_t speedStep;
  float errorScale;
  bool realFlight;
  bool wrecksBlock;
};

// The profile of a strength; kStrengthNormal is the designed opponent.
const AimProfile& ProfileOf(int strength);

// When a computer player's turn begins: a weapon from fixed odds (DEFENSE
// only for a badly damaged fort without a shield), MISSILE when none of the
// chosen weapon is left.
void ComputerWeaponChoice();

// One frame of a computer's turn: while not aimed, the trials of one speed;
// then the gauge charged one step a frame up to the power of the best speed
// (at most the power limit); then the shot.
void ComputerTurnStep();

// The trials of one launch speed over the locked terrain, with the weapon's
// gravity and its maximum speed capping the fall: 26 angles upwards (18 for
// DEFENSE), each flown until it leaves the world, touches ground or hits an
// enemy fort's picture. An impact closer to an enemy's aim point than the
// best miss so far becomes the aim. Nothing is tried when the terrain cannot
// be locked.
void AimSearch(int speed, float gravity, float maxSpeed);

// The same search as a given profile flies it, at a speed that may have a
// fraction; the kept best speed is its whole part. AimSearch is this with the
// designed profile.
void ProfiledAimSearch(const AimProfile& profile, float speed, float gravity, float maxSpeed);

// The weapon a HARD computer takes for its turn: the strongest it holds in
// the order of its plan, DEFENSE when its fort is badly hurt and unshielded.
int HardWeaponChoice(const PlayerRecord& p);
