// The game's random numbers: the same sequence in every run, per thread.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/random.h"

TEST(Random, SequenceStartsFromTheSameStateOnEveryThread) {
  auto firstFive = [] {
    std::vector<int> v;
    for (int i = 0; i < 5; ++i) v.push_back(platform::Rand());
    return v;
  };
  std::vector<int> a, b;
  std::thread t1([&] { a = firstFive(); });
  t1.join();
  platform::SeedRand(1);
  b = firstFive();
  // The classic 0..32767 linear congruential sequence from state 1.
  EXPECT_EQ(a, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
  EXPECT_EQ(a, b);
  for (int i = 0; i < 10000; ++i) {
    const int r = platform::Rand();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, platform::kRandMax);
  }
}

TEST(Random, ChoicesStayInsideTheirRangeAtBothEnds) {
  // Find states from which the next number is 0 and 32767.
  platform::SeedRand(1);
  uint32_t lowest = 0, highest = 0;
  bool haveLow = false, haveHigh = false;
  for (int i = 0; i < 10000000 && !(haveLow && haveHigh); ++i) {
    const uint32_t before = platform::RandState();
    const int r = platform::Rand();
    if (r == 0 && !haveLow) lowest = before, haveLow = true;
    if (r == platform::kRandMax && !haveHigh) highest = before, haveHigh = true;
  }
  ASSERT_TRUE(haveLow && haveHigh);
  for (int n : {2, 5, 32, 65}) {
    platform::SeedRand(lowest);
    EXPECT_EQ(platform::RandBelow(n), 0) << n;
    platform::SeedRand(highest);
    EXPECT_EQ(platform::RandBelow(n), n - 1) << n;
  }
}
