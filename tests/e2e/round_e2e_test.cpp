// End-to-end: a round between two human players at 640 x 480, played through
// a script only: the set-up menu, a shot charged with the button and fired on
// release, the turn passing, the quit question answered N then Y, back on
// the title.
#include <gtest/gtest.h>

#include "support/game_run.h"

using e2e::RunGame;
using e2e::RunOptions;

namespace {

// From the wait for a key to a round of two players: the first named BOB
// (Backspace and three letters typed within one frame), NEXT OPPONENT and
// PLAY GAME, each clicked with a press and release in the same frame.
constexpr const char* kToARound =
    "300 key 65\n"
    "600 key 32\n"
    "700 key 8\n"
    "700 key 66\n"
    "700 key 79\n"
    "700 key 66\n"
    "800 mouse 480 440\n"
    "850 ldown\n"
    "850 lup\n"
    "1000 mouse 160 440\n"
    "1050 ldown\n"
    "1050 lup\n"
    "1200 mouse 320 200\n";

}  // namespace

TEST(RoundE2E, TurnsPassAShotDamagesAFortAndEscNThenYLeaves) {
  RunOptions o;
  o.script = std::string(kToARound) +
             "1500 state start.json\n"
             "1600 shot round.png\n"
             // A quick click on the GRENADE's slot chooses it.
             "1700 mouse 59 455\n"
             "1750 ldown\n"
             "1750 lup\n"
             "1800 state grenade.json\n"
             "1850 mouse 320 200\n"
             // The first player lets the turn time run out (500 ticks, 25 s).
             "28000 state passed.json\n"
             "28100 shot passed.png\n"
             // The second drops a shell with no speed at its own aim point: it
             // blows up on its own fort once its launch is over.
             "28200 ldown\n"
             "28250 lup\n"
             "28300 state fired.json\n"
             "31000 state next.json\n"
             "31100 key 27\n"
             "31300 shot question.png\n"
             "31400 state question.json\n"
             "31500 key 78\n"
             "31700 state continued.json\n"
             "31800 key 27\n"
             "32000 key 89\n"
             "32300 state title.json\n"
             "32400 key 27\n";
  auto run = RunGame("round", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(run.Messages().empty()) << run.stderrText;

  const auto start = run.Snapshot("start.json");
  ASSERT_TRUE(start.is_object());
  EXPECT_EQ(start["scene"], "round");
  ASSERT_EQ(start["players"].size(), 2u);
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
  ASSERT_EQ(next["round_log"].size(), 1u);
  EXPECT_EQ(next["current_player"], first);
  const int damage = next["players"][second]["damage"].get<int>();
  EXPECT_GT(damage, 0);
  EXPECT_LE(damage, 2500);
  EXPECT_EQ(next["players"][second]["destroyed"], 0);
  EXPECT_EQ(next["players"][second]["money"], damage);
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
