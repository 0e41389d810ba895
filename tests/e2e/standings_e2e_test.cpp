// End-to-end: the end of a game. Computers of three strengths play a game of
// two rounds that ends on the final standings, whose figures agree with the
// last round's results; humans quitting a round with Esc then Y see the
// standings so far, and a key takes them to the title.
#include <gtest/gtest.h>

#include "support/game_run.h"

using namespace e2e;

TEST(StandingsE2E, AGameOfTwoRoundsEndsOnTheStandingsAndItsFiguresAddUp) {
  RunOptions o;
  o.extraArgs = {"--autoplay", "3", "--levels", "easy,normal,hard", "--rounds", "2"};
  o.script = "0 key 65\n";
  o.timeoutSeconds = 300;
  const auto run = RunGame("standings", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  const auto& s = run.state;
  EXPECT_EQ(s["scene"], "standings");
  EXPECT_EQ(s["game_rounds"], 2);
  ASSERT_EQ(s["round_log"].size(), 2u);
  const auto& players = s["players"];
  ASSERT_EQ(players.size(), 3u);
  // No shop after the last round: the players are as its results showed them.
  EXPECT_EQ(players, s["round_log"][1]["results"]["players"]);
  constexpr int kStrengths[] = {2, 0, 1};  // easy, normal, hard
  int dealt = 0, taken = 0, best = 0;
  for (int i = 0; i < 3; ++i) {
    const auto& p = players[i];
    const auto& st = p["stats"];
    EXPECT_EQ(p["strength"], kStrengths[i]);
    EXPECT_LE(st["hits"].get<int>(), st["shots"].get<int>());
    dealt += st["damage_dealt"].get<int>();
    taken += st["damage_taken"].get<int>();
    const auto& b = players[best];
    if (std::make_pair(p["rounds_survived"].get<int>(), p["money"].get<int>()) >
        std::make_pair(b["rounds_survived"].get<int>(), b["money"].get<int>()))
      best = i;
  }
  EXPECT_EQ(dealt, taken);  // every pixel dealt to another fort is a pixel it took
  EXPECT_GT(dealt, 0);
  EXPECT_EQ(s["winner"], best);
}

TEST(StandingsE2E, EscThenYShowsTheStandingsSoFarThenAKeyGoesToTheTitle) {
  RunOptions o;
  o.script = "300 key 65\n600 key 32\n" + Click(800, 480, 440, true) + Click(1000, 160, 440, true) +
             "2000 key 27\n2300 key 89\n2600 state standings.json\n2700 key 65\n2900 state early.json\n"
             "5300 state title.json\n5400 key 27\n";
  const auto run = RunGame("standings-quit", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  const auto standings = run.Snapshot("standings.json");
  EXPECT_EQ(standings["scene"], "standings");
  EXPECT_EQ(standings["round_log"][0]["ended"], "quit");
  EXPECT_EQ(standings["winner"], 0);  // nobody survived a round or earned: the first player leads
  EXPECT_EQ(run.Snapshot("early.json")["scene"], "standings");  // a key in the lock-out is kept until it ends
  EXPECT_EQ(run.Snapshot("title.json")["scene"], "title");
}
