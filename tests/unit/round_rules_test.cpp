// The round's own rules: the end test after every frame (won with the
// survivors' bonus, out of time without it, or on) and the sky's colours.
#include <gtest/gtest.h>

#include "platform/random.h"
#include "players_test_state.h"
#include "shell/round_end.h"
#include "shell/round_setup.h"

using players_test::PlayersTest;

namespace {

class RoundRules : public PlayersTest {};

}  // namespace

TEST_F(RoundRules, EndTest) {
  struct Case {
    const char* what;
    int destroyed[3];
    bool shell;
    uint16_t settle;
    int32_t timer;
    RoundEnd end;
    bool bonus;
  };
  const Case cases[] = {
      {"one fort left, nothing flies", {0, 1, 1}, false, 0, 100, RoundEnd::kWon, true},
      {"the last two destroyed by one shot", {1, 1, 1}, false, 0, 100, RoundEnd::kWon, false},
      {"one fort left, a shell still flies", {0, 1, 1}, true, 0, 100, RoundEnd::kGoOn, false},
      {"one fort left, the turn still settles", {0, 1, 1}, false, 5, 100, RoundEnd::kGoOn, false},
      {"one fort left, settled to 1", {0, 1, 1}, false, 1, 100, RoundEnd::kWon, true},
      {"time out with shells in flight", {0, 0, 1}, true, 0, 0, RoundEnd::kTime, false},
      {"time out with one fort left", {0, 1, 1}, true, 0, 0, RoundEnd::kTime, false},
      {"won on the last tick: no bonus", {0, 1, 1}, false, 0, 0, RoundEnd::kWon, false},
      {"two forts stand", {0, 0, 1}, false, 0, 100, RoundEnd::kGoOn, false},
  };
  for (const Case& c : cases) {
    UsePlayers(3);
    for (int i = 0; i < 3; ++i) g_players[i].destroyed = static_cast<int16_t>(c.destroyed[i]);
    for (Projectile& p : g_projectiles) p = Projectile();
    if (c.shell) PutShell(7);
    g_game.settleCounter = c.settle;
    g_game.roundTimer = c.timer;
    EXPECT_EQ(RoundEndTest(), c.end) << c.what;
    EXPECT_EQ(g_players[0].money, c.bonus ? 5000 : 0) << c.what;
    EXPECT_EQ(g_players[0].roundsSurvived, c.bonus ? 1 : 0) << c.what;
    EXPECT_EQ(g_players[1].money, 0) << c.what;
  }
}

TEST_F(RoundRules, SkyStartsRedBlueGreenAndWalksTowardTheMiddle) {
  int redrawn = 0;
  for (uint32_t seed = 1; seed < 3000; ++seed) {
    platform::SeedRand(seed);
    int first[3];  // red, blue, green as drawn
    for (int& c : first) c = platform::RandBelow(32);
    platform::SeedRand(seed);
    ChooseSkyColour();
    const SkyColour& s = g_game.sky;
    const int got[3] = {s.red, s.blue, s.green};
    const int steps[3] = {s.redStep, s.blueStep, s.greenStep};
    bool moving = false;
    for (int i = 0; i < 3; ++i) {
      ASSERT_GE(got[i], 0);
      ASSERT_LE(got[i], 31);
      ASSERT_EQ(steps[i], got[i] > 24 ? -1 : got[i] < 7 ? 1 : 0);
      moving = moving || steps[i] != 0;
    }
    ASSERT_TRUE(moving);
    const bool stillFirst = got[0] == first[0] && got[1] == first[1] && got[2] == first[2];
    const bool firstMoved = SkyStep(first[0]) != 0 || SkyStep(first[1]) != 0 || SkyStep(first[2]) != 0;
    ASSERT_EQ(stillFirst, firstMoved) << seed;  // the first draw is kept exactly when it moves
    redrawn += !firstMoved;
  }
  EXPECT_GT(redrawn, 0);
}
