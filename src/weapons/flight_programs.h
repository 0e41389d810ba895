// The flight programs that steer projectiles frame by frame: fourteen lists of
// steps (opcode, operands a and b, duration in frames), decoded afresh at
// every round set-up from one stored list of single floats in which 256 ends
// a program and a second 256 ends the list. Program w belongs to weapon w;
// 10 to 12 are the SUPER GRENADE's fragments and 13 the HYPER TUBE's bomblet.
//
// Threads: the game thread.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kFlightPrograms = 14;
inline constexpr int kMaxProgramSteps = 256;  // end step included

enum FlightOpcode : uint16_t {
  kOpAccelerate = 0,  // velocity += (a, b), then both components limited
  kOpSteer = 3,       // towards (a, b) by the rates of the next step's a and b
  kOpSpawn = 4,       // one sub-projectile running program a
  kOpExplode = 7,
  kOpEnd = 256,       // execution goes on at step 0
  kOpJump = 257,      // execution goes back `duration` steps
};

struct FlightStep {
  uint16_t opcode = kOpEnd;
  float a = 0, b = 0;
  uint16_t duration = 0;
};

using FlightProgramTable = FlightStep[kFlightPrograms][kMaxProgramSteps];

// Decodes a stored list into programs: each program's first step is always
// read, further steps until the number 256; opcode and duration truncated;
// an end step stored after the last. A program that would begin with 256
// ends the list. At most kMaxProgramSteps steps a program and
// kFlightPrograms programs are kept; reading never passes the list's end.
// Returns the number of programs decoded.
int DecodeFlightPrograms(const float* list, size_t count, FlightProgramTable& programs);

// Rebuilds the game's programs from the stored list (which also clears the
// DIRECT MISSILE target).
void BuildFlightPrograms();

// Step `step` of program `program`; an end step outside the table.
const FlightStep& ProgramStep(int program, int step);

// The point every DIRECT MISSILE steers to (operands of program 4, step 1).
void WriteDirectMissileTarget(float x, float y);
