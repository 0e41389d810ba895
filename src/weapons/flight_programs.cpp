#include "weapons/flight_programs.h"

#include <iterator>

namespace {

// Each step is opcode, a, b, duration; 256 after a program's last step and
// once more after the last program.
constexpr float kStoredPrograms[] = {
    // 0 MISSILE, 1 BIG MISSILE, 2 GRENADE: plain ballistic flight.
    0, 0, 0, 1, 0, 0, 0, 10000, 256,
    0, 0, 0, 1, 0, 0, 0, 10000, 256,
    0, 0, 0, 1, 0, 0, 0, 10000, 256,
    // 3 SUPER GRENADE: 100 frames of flight, three fragments, then it explodes.
    0, 0, 0, 100, 4, 10, 0, 1, 4, 11, 0, 1, 4, 12, 0, 1, 7, 0, 0, 1, 256,
    // 4 DIRECT MISSILE: 30 frames of flight, 400 steering to the target
    // (the rates 3.0 and 1.4 ride on the step after), then it explodes.
    0, 0, 0, 30, 3, 0, 0, 400, 255, 3.0f, 1.4f, 1, 7, 0, 0, 1, 256,
    // 5 HYPER TUBE: 60 frames of flight, then a bomblet every 11 frames.
    0, 0, 0, 60, 4, 13, 0, 1, 0, 0, 0, 10, 257, 0, 0, 2, 256,
    // 6 DEFENSE, 7 GROUND DEFENSE, 8 BALL GRENADE, 9 GIMLET.
    0, 0, 0, 1, 0, 0, 0, 10000, 256,
    0, 0, 0, 1, 0, 0, 0, 10000, 256,
    0, 0, 0, 1, 0, 0, 0, 10000, 256,
    0, 0, 0, 1, 0, 0, 0, 10000, 256,
    // 10, 11, 12: the SUPER GRENADE's fragments, kicked up-left, up-right, up.
    0, -1, -7, 1, 0, 0, 0, 10000, 256,
    0, 1, -7, 1, 0, 0, 0, 10000, 256,
    0, 0, -7, 1, 0, 0, 0, 10000, 256,
    // 13 the HYPER TUBE's bomblet.
    0, 0, 0, 10000, 256,
    256,
};

constexpr float kEndMark = 256;
constexpr int kDirectMissileProgram = 4;

FlightProgramTable g_programs;
const FlightStep kEndStep{};

}  // namespace

int DecodeFlightPrograms(const float* list, size_t count, FlightProgramTable& programs) {
  for (auto& program : programs)
    for (FlightStep& s : program) s = FlightStep();
  size_t at = 0;
  int decoded = 0;
  while (decoded < kFlightPrograms && at < count && list[at] != kEndMark) {
    FlightStep* program = programs[decoded];
    int steps = 0;
    // The first step is read whatever it holds; the last slot keeps the end step.
    do {
      if (at + 4 > count) break;
      FlightStep& s = program[steps++];
      s.opcode = static_cast<uint16_t>(list[at]);
      s.a = list[at + 1];
      s.b = list[at + 2];
      s.duration = static_cast<uint16_t>(list[at + 3]);
      at += 4;
    } while (steps < kMaxProgramSteps - 1 && at < count && list[at] != kEndMark);
    // Steps past the limit are skipped up to the program's end mark.
    while (at < count && list[at] != kEndMark) at += 4;
    if (at < count) ++at;  // the program's end mark
    program[steps] = FlightStep();
    ++decoded;
  }
  return decoded;
}

void BuildFlightPrograms() { DecodeFlightPrograms(kStoredPrograms, std::size(kStoredPrograms), g_programs); }

const FlightStep& ProgramStep(int program, int step) {
  if (program < 0 || program >= kFlightPrograms || step < 0 || step >= kMaxProgramSteps) return kEndStep;
  return g_programs[program][step];
}

void WriteDirectMissileTarget(float x, float y) {
  g_programs[kDirectMissileProgram][1].a = x;
  g_programs[kDirectMissileProgram][1].b = y;
}
