// The search for our levels: Julia constants and windows drawn by a seeded
// generator, each candidate built into a landscape and given forts by the
// game's own carving and placement code, and kept when it plays well:
//   - terrain: 30 % to 70 % of the world above the base strip is ground,
//     the top eighth almost empty sky, the band above the strip mostly ground,
//     a surface that rises and falls;
//   - forts for 2, 3, 4 and 5 players stand within a few attempts, in every
//     one of several placements;
//   - it looks different from every level kept before it;
//   - its iteration limit is small, so that a round's landscape builds fast.
// Records 0-64 (the ones a round picks) are searched; 65-999 are derived
// from them (mirrored and shifted views, kept when they still read as
// terrain, else the plain mirror image).
//
// Threads: the asset generator's only thread.
#pragma once

#include <cstdint>
#include <vector>

#include "assetgen/levels/level_stage.h"
#include "world/level_file.h"

namespace levels {

// What the checks of one level measured.
struct LevelCheck {
  double solidShare = 0;       // rows 0 .. 729
  double skyBandSolid = 0;     // rows 0 .. 95
  double groundBandSolid = 0;  // rows 640 .. 729
  int surfaceRange = 0;        // highest minus lowest ground surface over the columns
  int edgePixels = 0;          // pixels of the edge colour: how ragged the ground is
  int worstAttempts = 0;       // the most attempts any fort needed
  bool fortsStand = false;     // every fort of every placement stood within kMaxFortAttempts
};

// The thresholds a playable level meets.
// (A little inside 30 % .. 70 % and 1 %, so that a check of the carved set
// alone, without the edge the build adds, finds the same.)
inline constexpr double kMinSolid = 0.32, kMaxSolid = 0.68;
inline constexpr double kMaxSkyBandSolid = 0.005;
inline constexpr double kMinGroundBandSolid = 0.5;
inline constexpr int kMinSurfaceRange = 60;
inline constexpr int kMaxEdgePixels = 40000;
inline constexpr int kMaxFortAttempts = 150;
inline constexpr int kPlacementsPerPlayerCount = 2;
inline constexpr int kMinIterationLimit = 6, kMaxIterationLimit = 40;
// Cells of the 48 x 24 signature that must differ from every earlier level.
inline constexpr int kMinSignatureDistance = 90;

bool Playable(const LevelCheck& check);

// Builds the level on the stage with the game's landscape code and measures
// it, placing forts for 2 to 5 players with numbers drawn from seed.
LevelCheck CheckLevel(LevelStage& stage, const LevelParams& level, uint64_t seed);

// Ground (1) or sky (0) for each 32 x 32 cell of a built terrain.
using Signature = std::vector<uint8_t>;
Signature TerrainSignature(const uint16_t* terrain);
int SignatureDistance(const Signature& a, const Signature& b);

struct SearchStats {
  int candidates = 0;  // drawn
  int built = 0;       // passed the coarse look, built and checked in full
  int found = 0;       // playable levels found (65 unless the search ran dry)
};

// The 1000 records of level.frc, the same on every run.
std::vector<LevelParams> SearchLevels(SearchStats* stats = nullptr);

}  // namespace levels
