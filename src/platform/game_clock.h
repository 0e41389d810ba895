// The game thread's own clock, which a script's times refer to: it advances by
// 1000/60 ms at every flip of the game thread and by the requested time at every
// sleep of the game thread. Due script commands run at those moments, in file
// order, before the flip or sleep returns. In headless mode the window timer
// follows this clock too, so a scripted run is repeatable.
//
// Threads: the game thread only (tests call it from their own thread).
#pragma once

#include <cstdint>

namespace platform {

// The clock counts in 1/60 ms, so that one flip is a whole number of units.
constexpr int64_t kClockUnitsPerMs = 60;
constexpr int64_t kClockUnitsPerFlip = 1000;

// Advances the clock, runs due script commands and (headless) timer messages,
// and ends the program here when an end was requested.
void AdvanceGameClock(int64_t units);

double GameClockMs();

// Frames presented by the game thread so far.
uint64_t GameFrames();
void CountGameFrame();
// A pass of a frame loop that is not shown (fast-forward): counted and timed
// on the game's clock as a flip is, without presenting anything.
void PassWithoutPresenting();

// True when the run has no more scripted input to wait for: frames and sleeps
// then keep real time even in headless mode (never in a replay's playback).
bool GameClockRealTime();

// The clock in its units; and setting clock and frame count (a replay starts
// where its game began).
int64_t GameClockUnits();
void SetGameClock(int64_t units, uint64_t frames);

}  // namespace platform
