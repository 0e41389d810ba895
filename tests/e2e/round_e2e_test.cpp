// End-to-end: the players' set-up menu and a round, played through a script
// only. At 640 x 480 two human players: a shot charged with the button and
// fired on release, the turn passing, the quit question answered N then Y,
// back on the title. At 1024 x 768 three players, two of them computers.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "support/game_run.h"

using namespace e2e;

TEST(RoundE2E, TurnsPassAShotDamagesAFortAndEscNThenYLeaves) {
  RunOptions o;
  // The first player named BOB (Backspace and three letters typed within one
  // frame), NEXT OPPONENT and PLAY GAME clicked quickly, and the GRENADE's slot.
  o.script = "300 key 65\n600 key 32\n700 key 8\n700 key 66\n700 key 79\n700 key 66\n" +
             Click(800, 480, 440, true) + Click(1000, 160, 440, true) +
             "1200 mouse 320 200\n1500 state start.json\n" + Click(1650, 59, 455, true) +
             "1800 state grenade.json\n1850 mouse 320 200\n"
             // The first player lets the turn time run out (500 ticks, 25 s).
             "28000 state passed.json\n"
             // The second drops a shell with no speed at its own aim point: it
             // blows up on its own fort once its launch is over.
             "28200 ldown\n28250 lup\n28300 state fired.json\n31000 state next.json\n"
             "31100 key 27\n31400 state question.json\n31500 key 78\n31700 state continued.json\n"
             "31800 key 27\n32000 key 89\n32300 state title.json\n32400 key 27\n";
  const auto run = RunGame("round", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;

  const auto start = run.Snapshot("start.json");
  ASSERT_EQ(start["players"].size(), 2u);
  EXPECT_EQ(start["scene"], "round");
  EXPECT_EQ(start["players"][0]["name"], "BOB");
  EXPECT_GT(start["round_timer"].get<int>(), 7900);
  const int first = start["current_player"].get<int>(), second = 1 - first;
  EXPECT_EQ(start["current_weapon"], 0);
  EXPECT_EQ(run.Snapshot("grenade.json")["current_weapon"], 2);

  const auto passed = run.Snapshot("passed.json");
  EXPECT_EQ(passed["current_player"], second);
  EXPECT_EQ(passed["projectiles"], 0);
  EXPECT_GT(passed["turn_timer"].get<int>(), 450);
  EXPECT_EQ(run.Snapshot("fired.json")["projectiles"], 1);

  // The shell damaged its own fort, short of destroying it, and paid its
  // shooter for that; the turn came back to the first player.
  const auto next = run.Snapshot("next.json");
  const auto& shooter = next["players"][second];
  EXPECT_EQ(next["round_log"].size(), 1u);
  EXPECT_EQ(next["current_player"], first);
  EXPECT_GT(shooter["damage"].get<int>(), 0);
  EXPECT_LE(shooter["damage"].get<int>(), 2500);
  EXPECT_EQ(shooter["destroyed"], 0);
  EXPECT_EQ(shooter["money"], shooter["damage"]);
  EXPECT_EQ(next["players"][first]["damage"], 0);

  EXPECT_EQ(run.Snapshot("question.json")["scene"], "quit-question");
  const auto continued = run.Snapshot("continued.json");
  EXPECT_EQ(continued["scene"], "round");
  EXPECT_EQ(continued["round_log"].size(), 1u);
  EXPECT_LT(continued["round_timer"].get<int>(), next["round_timer"].get<int>());

  EXPECT_EQ(run.Snapshot("title.json")["scene"], "title");
  ASSERT_EQ(run.state["round_log"].size(), 1u);
  EXPECT_EQ(run.state["round_log"][0]["ended"], "quit");
  EXPECT_EQ(run.state["rounds"], 0);
}

TEST(RoundE2E, ThreePlayersSetUpAtTheScreenModeChoosesOverGameIni) {
  // A tenth of the height is 76: the middles of the control and the 40 x 28 buttons.
  const int w2 = 512, w4 = 256, controlY = 6 * 76 + 14, buttonY = 9 * 76 + 9;
  RunOptions o;
  o.gameIni = {2, 1, 1};  // 800 x 600, which --mode overrides; the file is only read
  o.extraArgs = {"--mode", "1024x768"};
  o.script = "300 key 65\n600 key 32\n700 key 8\n720 key 90\n740 key 65\n760 key 78\n" +  // ZAN
             Click(800, 3 * w4, buttonY) + Click(1500, w2, controlY) +  // NEXT OPPONENT, COMPUTER
             Click(1700, 3 * w4, buttonY) + Click(2400, w2, controlY) + Click(2700, w4, buttonY) +  // PLAY GAME
             "3000 state round.json\n3100 shot round.png\n3200 key 27\n3400 key 89\n3600 key 27\n";
  const auto run = RunGame("menu", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  EXPECT_EQ(run.state["screen"], nlohmann::json::array({1024, 768}));
  EXPECT_EQ(run.LoadShot("round.png").w, 1024);
  std::ifstream f(run.dir + "/data/game.ini", std::ios::binary);
  EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {}), o.gameIni);

  const auto round = run.Snapshot("round.json");
  EXPECT_EQ(round["scene"], "round");
  ASSERT_EQ(round["players"].size(), 3u);
  EXPECT_EQ(round["players"][0]["name"], "ZAN");
  std::set<int> colours;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(round["players"][i]["control"], i == 0 ? 0 : 1) << i;
    colours.insert(round["players"][i]["colour"].get<int>());
  }
  EXPECT_EQ(colours.size(), 3u);
}
