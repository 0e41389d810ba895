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
  std::vector<int> a;
  std::thread([&] { a = firstFive(); }).join();
  platform::SeedRand(1);
  // The classic 0..32767 linear congruential sequence from state 1.
  EXPECT_EQ(a, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
  EXPECT_EQ(firstFive(), a);
}

TEST(Random, ChoicesStayInsideTheirRangeAtBothEnds) {
  // States from which the next number is 0 and 32767.
  platform::SeedRand(1);
  uint32_t state[2] = {}, found = 0;
  for (int i = 0; i < 10000000 && found != 3; ++i) {
    const uint32_t before = platform::RandState();
    const int r = platform::Rand();
    for (int end : {0, 1})
      if (r == (end ? platform::kRandMax : 0) && !(found & (1u << end))) state[end] = before, found |= 1u << end;
  }
  ASSERT_EQ(found, 3u);
  for (int n : {2, 5, 32, 65})
    for (int end : {0, 1}) {
      platform::SeedRand(state[end]);
      EXPECT_EQ(platform::RandBelow(n), end ? n - 1 : 0) << n;
    }
}
