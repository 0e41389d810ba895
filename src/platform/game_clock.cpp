#include "platform/game_clock.h"

#include <atomic>

#include "platform/clock.h"
#include "platform/input.h"
#include "platform/runtime.h"
#include "platform/script.h"

namespace platform {

namespace {
int64_t g_units = 0;
int64_t g_nextTimerUnits = -1;
std::atomic<uint64_t> g_frames{0};
}  // namespace

void AdvanceGameClock(int64_t units) {
  const int64_t target = g_units + units;
  // Headless timer messages fall at their own moments between the old and the
  // new time, interleaved in time order with the script's commands.
  if (Headless() && WindowTimerRunning()) {
    const int64_t period = static_cast<int64_t>(WindowTimerPeriodMs()) * kClockUnitsPerMs;
    if (g_nextTimerUnits < 0) g_nextTimerUnits = g_units + period;
    while (g_nextTimerUnits <= target) {
      g_units = g_nextTimerUnits;
      RunDueScriptCommands(static_cast<double>(g_units) / kClockUnitsPerMs);
      if (QuitRequested()) Terminate(0);
      if (InputSink* sink = GetInputSink()) sink->OnTimer(WindowTimerId());
      g_nextTimerUnits += period;
    }
  }
  g_units = target;
  RunDueScriptCommands(GameClockMs());
  if (QuitRequested()) Terminate(0);
}

double GameClockMs() { return static_cast<double>(g_units) / kClockUnitsPerMs; }

uint64_t GameFrames() { return g_frames.load(std::memory_order_relaxed); }
void CountGameFrame() { g_frames.fetch_add(1, std::memory_order_relaxed); }

void PassWithoutPresenting() {
  CountGameFrame();
  AdvanceGameClock(kClockUnitsPerFlip);
}

bool GameClockRealTime() {
  return !ScriptPending() && GetOptions().autoplay == 0 && GetOptions().replayFile.empty();
}

void SetGameClock(int64_t units, uint64_t frames) {
  g_units = units;
  g_frames.store(frames, std::memory_order_relaxed);
}

int64_t GameClockUnits() { return g_units; }

}  // namespace platform
