// The forts on the ground: how many feet of a fort touch the terrain, the
// per-frame ground check and fall, the fort pictures restored for a round,
// the view centred on the current player's fort, and the distance of two
// points. Positions are truncated toward zero wherever a sprite is placed.
//
// Sprites: 2 the intact fort picture, 4 the body mask (drawn at x, y + 2),
// 5-8 the foot masks (all at x, y + 44), 9-13 the players' fort pictures;
// all tested against the terrain (sprite 1) at (0, 0).
//
// Threads: the game thread (and the level search).
#pragma once

#include <cstdint>

inline constexpr int kFortPicture = 2;
inline constexpr int kFortBodyMask = 4;
inline constexpr int kFortFootMask = 5;  // 5, 6, 7, 8
inline constexpr int kFortFeet = 4;
inline constexpr int kPlayerFortPicture = 9;  // 9 + player
inline constexpr int kFortBodyOffset = 2;
inline constexpr int kFortFootOffset = 44;
// A fall speed that has reached this is reset to 0 for one frame.
inline constexpr float kFortFallLimit = 15.0f;
inline constexpr float kFortFallStep = 0.2f;

// How many of the four foot masks at (x, y + 44) touch the ground.
int FortFeetOnGround(int x, int y);
// Whether the body mask at (x, y + 2) touches the ground.
bool FortBodyInGround(int x, int y);

// The number of players whose forts are handled (the shared value, at most 5).
int FortCount();

// Every frame, before the fall: a fort with fewer than two feet on the ground
// falls 0.2 faster per frame; one that stands, or whose fall speed has
// reached 15.0, gets fall speed 0.
void FortGroundCheck();
inline constexpr int kFortDestroyedSound = 22;
// A fort's shield is drawn, and hit, this far left of and above the fort.
inline constexpr int kShieldLeft = 20, kShieldUp = 35;

// Every frame, after the ground check: y = y + fall speed. A fort whose y has
// passed the bottom of the world (768) is destroyed (sound 22) and stays there.
void FortFall();

// At the start of a round: the fort picture of every placed player (integer y
// not 0) is redrawn from the intact picture.
void RestoreFortPictures();
// The view target = the current player's fort position + (40, 20).
void CentreViewOnCurrentFort();

// The distance of two points, truncated: sqrt((x1-x2)^2 + (y1-y2)^2).
int Distance(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
