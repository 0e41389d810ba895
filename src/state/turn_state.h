// The turn state beside the shared game state: whether the current turn is
// over, its timer, the power limit, the edge-scroll speed, the marked DIRECT
// MISSILE target; the seven animation phases that the game tick steps; and
// the computer opponent's aim state.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

struct TurnState {
  uint16_t powerLimit = 100;
  uint16_t turnOver = 0;       // 1 once the shot is fired or the turn timer ran out
  int32_t turnTimer = 0;       // game ticks left in the turn
  int32_t turnLength = 500;    // game ticks (1500 frames)
  int16_t edgeScrollX = 0, edgeScrollY = 0;    // view target pixels per frame pushed by the pointer
  float directTargetX = 0, directTargetY = 0;  // the marked DIRECT MISSILE target (world)
  void Reset() { *this = TurnState(); }
};

// Sprite indices that the game tick steps through cyclically.
struct AnimationPhases {
  uint16_t emblem = 37;          // 37..46; a player's emblem is this + 10 x colour index
  uint16_t computerBadge = 450;  // 450..454
  uint16_t powerGauge = 93;      // 93..102
  uint16_t shield = 239;         // 239..248
  uint16_t targetMarker = 347;   // 347..356
  uint16_t buyButton = 385;      // 385..404 (the drops add 20 x (kind - 1))
  uint16_t nextButton = 455;     // rests at 455; once raised runs 456..464 and back to 455
  void Reset() { *this = AnimationPhases(); }
};

// The computer opponent's search for its shot.
struct AimState {
  uint16_t aimed = 0;           // 1 once the shot is chosen
  int16_t trialSpeed = 4;       // the speed the next search frame tries
  float bestMiss = 1000000.0f;  // closest distance of a trial impact to an enemy aim point
  int16_t bestSpeed = 0;        // its speed; after the search, the power to charge to
  float aimVx = 0, aimVy = 0;   // its starting velocity
  void Reset() { *this = AimState(); }
};

extern TurnState g_turn;
extern AnimationPhases g_phases;
extern AimState g_aim;
