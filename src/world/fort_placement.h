// Fort placement at the start of a round: the landscape is built, then each
// player's fort is dropped at random spots until one is found where at least
// two feet stand on ground, the body is free, and the fort keeps its distance
// from the forts placed before it (80 pixels horizontally, and 1000 / n in a
// straight line between top-left corners, n the number of players).
//
// The search is bounded, so a landscape without a valid spot cannot hang the
// round: after kStrictAttempts attempts a fort gives up the straight-line
// distance (still keeping 80 pixels horizontally and needing ground under
// two feet and a free body), and after kRelaxedAttempts more it is put at a
// random spot that keeps the horizontal distance where possible, as a
// falling fort: the per-frame ground check then drops it until it stands.
//
// Threads: the game thread (and the level search, with its own numbers).
#pragma once

#include "state/player_record.h"

// The bounds of the search for one fort.
struct PlacementLimits {
  int strictAttempts = 400;   // under the full rules
  int relaxedAttempts = 400;  // then without the straight-line distance
  int fallingDraws = 400;     // then draws for a falling fort's spot
};
inline constexpr PlacementLimits kGameLimits{};

// Numbers 0..32767: the game thread's generator in the game, a seeded one of
// its own in the level search.
struct RandomSource {
  int (*next)(void* state) = nullptr;
  void* state = nullptr;
  int operator()() const { return next(state); }
};
RandomSource GameRandom();

// How each fort was placed.
enum class FortPlacement { kStanding, kCrowded, kFalling };
struct PlacementReport {
  int attempts[kMaxPlayers] = {};  // attempts made under the full and the relaxed rules
  FortPlacement how[kMaxPlayers] = {};
};

// Builds the landscape, then places the forts of g_game's players with the
// game thread's random numbers.
void PlaceForts();

// Resets the five fort records and places n forts (at most 5) on the terrain
// as it is, drawing from random. (The level search uses tighter limits.)
PlacementReport PlaceFortsOnLandscape(int n, RandomSource random, const PlacementLimits& limits = kGameLimits);
