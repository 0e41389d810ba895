// The game thread's clock: the headless window timer follows it.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/game_clock.h"
#include "platform/input.h"

namespace {

struct CountingSink : platform::InputSink {
  int timers = 0;
  void OnKeyDown(int) override {}
  void OnKeyUp(int) override {}
  void OnTimer(int id) override { timers += id == 1; }
  void OnLButtonUp() override {}
  void OnLButtonDown() override {}
  void OnRButtonUp() override {}
  void OnRButtonDown() override {}
};

TEST(GameClock, HeadlessTimerTicksEvery30MsOfTheGameClock) {
  CountingSink sink;
  platform::InputSink* old = platform::GetInputSink();
  platform::SetInputSink(&sink);
  platform::StartWindowTimer(1, 30);
  const double start = platform::GameClockMs();
  // Eighteen flips are 300 ms: ten timer messages.
  for (int i = 0; i < 18; ++i) platform::AdvanceGameClock(platform::kClockUnitsPerFlip);
  EXPECT_DOUBLE_EQ(platform::GameClockMs() - start, 300.0);
  EXPECT_EQ(sink.timers, 10);
  platform::AdvanceGameClock(29 * platform::kClockUnitsPerMs);  // a sleep of 29 ms
  EXPECT_EQ(sink.timers, 10);
  platform::AdvanceGameClock(1 * platform::kClockUnitsPerMs);
  EXPECT_EQ(sink.timers, 11);
  platform::SetInputSink(old);
}

}  // namespace
