// The bookkeeping of a round around the players: its set-up, the passing of
// the turn once every shell has gone, the game tick that every third frame
// steps the animation phases and the turn, round and message timers, the test
// that ends a round, and the bonus for the forts still standing.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

// Frames the turn waits once no shell flies: the counter starts here and the
// turn passes when it is counted down to 1.
inline constexpr uint16_t kSettleFrames = 50;
inline constexpr int32_t kSurvivorBonus = 5000;

// At the start of every round, before the level is chosen and the forts
// placed: the input and turn state cleared, the aim state and supply drops
// reset, a random first player, the animation phases and the projectiles.
void PlayerRoundSetUp();

// Every phase but the power gauge's back to its first picture; frame phase 0.
void AnimationPhaseReset();

// Every frame: once the turn is over and no shell has flown for the settle
// time, the turn passes to the next standing fort.
void TurnChange();

// Every third frame: the phases, then the turn, round and message timers.
void GameTick();

// Frame phase + 1; past 2 it wraps to 0 and runs one game tick.
void StepFramePhase();

// True when at most one fort stands and no shell is in the air.
bool RoundOverTest();

// Every standing fort's owner earns the bonus and one more round survived.
void SurvivorBonus();
