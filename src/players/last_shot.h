// Each human player's last shot, kept for the aim readout: its angle (degrees,
// 0 to the right, 90 straight up) and power (percent of the gauge), and the
// path its shell flew, sampled every few frames, to be shown faintly while
// the player aims the next one. Only read back for the display: nothing of
// the game depends on it.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

#include "state/player_record.h"

inline constexpr int kLastShotPoints = 160;
inline constexpr int kLastShotStep = 3;  // frames between two points of the path

struct LastShot {
  bool fired = false;
  int16_t angle = 0;   // degrees, -180..180
  int16_t power = 0;   // percent of the gauge
  int16_t slot = -1;   // the shell being followed; -1 once it is gone
  int16_t frames = 0;  // frames followed so far
  int16_t count = 0;   // points of the path
  int16_t x[kLastShotPoints] = {}, y[kLastShotPoints] = {};
};

extern LastShot g_lastShots[kMaxPlayers];

// The angle of a shot aimed dx to the right and dy down (world), in whole
// degrees rounded to the nearest: 0 to the right, 90 up, 180 to the left,
// negative below the horizon.
int AimDegrees(float dx, float dy);
// The angle from a fort's aim point to the pointer, as a shot would take it.
int AimDegreesToPointer(const PlayerRecord& player);
// Shot power as a percent of the power limit.
int PowerPercent(int shotPower);

// A shot fired: replaces the player's last shot and follows the shell in
// `slot` (-1: none, such as a shield).
void RecordShot(int player, int slot, int angle, int power);
// Once a frame: adds the followed shell's position to the player's path
// every kLastShotStep frames, until the shell is gone or the path full.
void TraceLastShot(int player);
// A new round: no last shots.
void ClearLastShots();
