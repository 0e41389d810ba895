// End-to-end: a round between two human players at 640 x 480, played
// through a script only: the set-up menu, a shot charged with the button and
// fired on release, the turn passing, the quit question answered N then Y,
// back on the title.
#include <gtest/gtest.h>

#include "support/game_run.h"

using namespace e2e;

TEST(RoundE2E, TurnsPassAShotDamagesAFortAndEscNThenYLeaves) {
  RunOptions o;
  o.extraArgs = {"--classic"};  // Y leaves straight to the title, as designed
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
  const int first = start["current_player"].get<int>(), second = 1 - first;
  EXPECT_EQ(start["current_weapon"], 0);
  EXPECT_EQ(run.Snapshot("grenade.json")["current_weapon"], 2);
  EXPECT_EQ(run.Snapshot("passed.json")["current_player"], second);
  EXPECT_EQ(run.Snapshot("fired.json")["projectiles"], 1);

  // The shell damaged its own fort and paid its shooter for that; the turn
  // came back to the first player.
  const auto next = run.Snapshot("next.json");
  const auto& shooter = next["players"][second];
  EXPECT_EQ(next["current_player"], first);
  EXPECT_GT(shooter["damage"].get<int>(), 0);
  EXPECT_EQ(shooter["money"], shooter["damage"]);

  EXPECT_EQ(run.Snapshot("question.json")["scene"], "quit-question");
  const auto continued = run.Snapshot("continued.json");
  EXPECT_EQ(continued["scene"], "round");
  EXPECT_LT(continued["round_timer"].get<int>(), next["round_timer"].get<int>());

  EXPECT_EQ(run.Snapshot("title.json")["scene"], "title");
  ASSERT_EQ(run.state["round_log"].size(), 1u);
  EXPECT_EQ(run.state["round_log"][0]["ended"], "quit");
  EXPECT_EQ(run.state["rounds"], 0);
}
