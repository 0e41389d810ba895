// End-to-end: the end of a game. Computers of three strengths play a game of
// two rounds that ends on the final standings, whose figures agree with the
// last round's results; three rounds and a HARD computer chosen in the menu
// end the same way, with no shop after the last; humans quitting a round with Esc then Y see the
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

// Two humans and a HARD computer, with three rounds chosen in the menu: the
// humans fire a weak shot at every click (the same clicks close the results
// and pass the shop's NEXT). The game ends on the standings after round 3.
TEST(StandingsE2E, ThreeRoundsChosenInTheMenuEndOnTheStandingsWithoutAThirdShop) {
  RunOptions o;
  o.script = "300 key 65\n600 key 32\n" + Click(800, 480, 441) + Click(1600, 480, 441) +
             Click(2400, 320, 302) + Click(2700, 320, 302) + Click(3000, 160, 302) + Click(3400, 160, 441);
  for (int t = 6000; t < 150000; t += 1500)
    o.script += Click(t, 55, 152, true) + At(t + 700, "state s" + std::to_string(t) + ".json");
  o.script += At(150000, "quit");
  o.timeoutSeconds = 300;
  const auto run = RunGame("standings-menu", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  nlohmann::json standings;
  int shops = 0;
  std::string last;
  for (int t = 6000; t < 150000 && standings.is_null(); t += 1500) {
    const auto s = run.Snapshot("s" + std::to_string(t) + ".json");
    ASSERT_TRUE(s.is_object()) << t;
    const std::string scene = s["scene"];
    shops += scene == "shop" && last != "shop";
    if (scene == "standings") standings = s;
    last = scene;
  }
  ASSERT_TRUE(standings.is_object()) << "no standings";
  EXPECT_EQ(shops, 2);
  EXPECT_EQ(standings["rounds_to_play"], 3);
  EXPECT_EQ(standings["game_rounds"], 3);
  const auto& players = standings["players"];
  ASSERT_EQ(players.size(), 3u);
  EXPECT_EQ(players[2]["control"], 1);
  EXPECT_EQ(players[2]["strength"], 1);
  EXPECT_EQ(players, standings["round_log"][2]["results"]["players"]);
  int best = 0;
  for (int i = 1; i < 3; ++i)
    if (std::make_pair(players[i]["rounds_survived"].get<int>(), players[i]["money"].get<int>()) >
        std::make_pair(players[best]["rounds_survived"].get<int>(), players[best]["money"].get<int>()))
      best = i;
  EXPECT_EQ(standings["winner"], best);
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
