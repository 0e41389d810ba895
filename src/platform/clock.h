// Time: the wall clock, sleeps, and the 30 ms window timer's settings.
//
// Sleep is called by both threads. On the game thread it also advances the
// game thread's own clock (game_clock.h), which runs the script; in headless
// mode it does not wait at all while a script is running.
#pragma once

#include <cstdint>

namespace platform {

// Monotonic milliseconds since an arbitrary start.
double NowMs();

// Sleeps ms milliseconds (see above for the game thread and headless mode).
void Sleep(int ms);

// The window timer: a message every periodMs to the timer handler, delivered
// on the main thread (in headless mode by the game thread's clock instead).
void StartWindowTimer(int id, int periodMs);
bool WindowTimerRunning();
int WindowTimerId();
int WindowTimerPeriodMs();

}  // namespace platform
