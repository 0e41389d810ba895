// The game's random numbers: the same sequence in every run, per thread, and
// the round's look drawn from them: its scenery set and that set's tune.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/random.h"
#include "recording_music_player.h"
#include "shell/round_setup.h"

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

// The state after which Rand() gives r: the generator run backwards from a
// next state whose upper half is r.
uint32_t StateBefore(int r) {
  uint32_t inverse = 214013u;  // Newton's iteration for the inverse modulo 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
  const uint32_t next = (static_cast<uint32_t>(r) << 16) | 0x1234u;
  return (next - 2531011u) * inverse;
}

TEST(Random, ChoicesAreDrawnAsRTimesNOver32767AndTheScenerySetSo) {
  // r = 13107 and 26214 are where r * 5 / 32767 and r * 5 / 32768 part.
  const struct { int r, n, choice; } cases[] = {
      {0, 5, 0}, {13106, 5, 1}, {13107, 5, 2}, {26214, 5, 4}, {32767, 5, 4}, {32767, 32, 31}, {1024, 32, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(platform::ChoiceFor(c.r, c.n), c.choice) << c.r << " of " << c.n;
    if (c.n != 5) continue;
    platform::SeedRand(StateBefore(c.r));
    EXPECT_EQ(DrawScenerySet(), c.choice) << c.r;
  }
  platform::SeedRand(1);
}

TEST(Random, EveryScenerySetPlaysItsOwnTune) {
  MusicLog music;
  for (int set = -1; set <= 5; ++set) PlayRoundTune(set);
  EXPECT_EQ(music.cues, (std::vector<std::string>{"tex1.mid", "tex2.mid", "tex3.mid", "tex4.mid", "tex5.mid"}));
}
