#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/game_clock.h"
#include "platform/runtime.h"

namespace platform {

namespace {
std::atomic<bool> g_timerRunning{false};
std::atomic<int> g_timerId{0};
std::atomic<int> g_timerPeriod{30};
}  // namespace

double NowMs() {
  using namespace std::chrono;
  static const auto start = steady_clock::now();
  return duration<double, std::milli>(steady_clock::now() - start).count();
}

void Sleep(int ms) {
  if (ms < 0) ms = 0;
  if (OnGameThread()) {
    AdvanceGameClock(static_cast<int64_t>(ms) * kClockUnitsPerMs);
    if (Headless() && !GameClockRealTime()) return;
  } else if (Headless()) {
    return;  // start-up waits on the main thread cost nothing without a display
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void StartWindowTimer(int id, int periodMs) {
  g_timerId = id;
  g_timerPeriod = periodMs;
  g_timerRunning = true;
}
bool WindowTimerRunning() { return g_timerRunning; }
int WindowTimerId() { return g_timerId; }
int WindowTimerPeriodMs() { return g_timerPeriod; }

}  // namespace platform
