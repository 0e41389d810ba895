// The game's random numbers, 0 to 32767, from a generator whose state belongs
// to the calling thread and starts from the same value in every run: a 32-bit
// linear congruential generator (state = state * 214013 + 2531011, result =
// (state >> 16) & 0x7FFF, initial state 1).
//
// Threads: any; each thread has its own sequence.
#pragma once

#include <cstdint>

namespace platform {

constexpr int kRandMax = 32767;

int Rand();
// One number of n choices, 0 to n - 1 (n from 1 to 32768): Rand() * n / 32768,
// so that the largest draw still lands inside the range.
int RandBelow(int n);
// One number of n choices drawn as the game's own rules draw them: r * n /
// 32767 with integer division, the n that r = 32767 gives taken as n - 1.
int ChoiceFor(int r, int n);
int RandChoice(int n);

// Sets the calling thread's state (tests start sequences where they need).
void SeedRand(uint32_t state);
uint32_t RandState();

}  // namespace platform
