// End-to-end: a whole game of two computer players set up through the menu,
// round after round with the results and the shop between them, left with Esc
// then Y in the shop. A first run finds when the third shop is open; a second
// run, the same script up to then, quits there.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/game_run.h"

using e2e::RunGame;
using e2e::RunOptions;

namespace {

constexpr int kSnapshotEveryMs = 250;

// One script line: "TIME COMMAND".
std::string At(int ms, const std::string& command) {
  std::string line = std::to_string(ms);
  line += ' ';
  line += command;
  line += '\n';
  return line;
}
constexpr int kScriptMs = 180000;

std::string SnapshotName(int ms) {
  char name[32];
  std::snprintf(name, sizeof name, "s%d.json", ms);
  return name;
}

// Both players made computers in the set-up menu, then a key every second
// (it closes the results once their lock-out is over; rounds and the shop
// ignore it), and a summary every 250 ms.
std::string ComputerGameScript(int untilMs) {
  std::string s =
      "300 key 65\n"
      "600 key 32\n"
      "800 mouse 320 300\n"  // COMPUTER for the first player
      "850 ldown\n"
      "900 lup\n"
      "1000 mouse 480 440\n"  // NEXT OPPONENT
      "1050 ldown\n"
      "1100 lup\n"
      "1200 mouse 320 300\n"  // COMPUTER for the second
      "1250 ldown\n"
      "1300 lup\n"
      "1400 mouse 160 440\n"  // PLAY GAME
      "1450 ldown\n"
      "1500 lup\n";
  for (int t = 2000; t < untilMs; t += kSnapshotEveryMs) {
    if (t % 1000 == 0) s += At(t, "key 65");
    s += At(t, "state " + SnapshotName(t));
  }
  return s;
}

}  // namespace

TEST(GameE2E, TwoComputersPlayRoundsWithResultsAndShopsThenQuitFromTheShop) {
  RunOptions look;
  look.script = ComputerGameScript(kScriptMs) + At(kScriptMs, "quit");
  look.timeoutSeconds = 240;
  auto first = RunGame("game-look", look);
  ASSERT_EQ(first.exitCode, 0) << first.stderrText;
  EXPECT_TRUE(first.Messages().empty()) << first.stderrText;

  // Walk the summaries: after every shop, the first frames of the next round.
  int quitAt = 0;
  size_t roundsSeen = 1;
  std::string lastScene;
  bool sawResults = false;
  for (int t = 2000; t < kScriptMs && quitAt == 0; t += kSnapshotEveryMs) {
    const auto s = first.Snapshot(SnapshotName(t));
    ASSERT_TRUE(s.is_object()) << t;
    const std::string scene = s["scene"];
    sawResults = sawResults || scene == "results";
    if (scene == "round" && s["round_log"].size() > roundsSeen) {
      roundsSeen = s["round_log"].size();
      const auto& previous = s["round_log"][roundsSeen - 2];
      EXPECT_NE(previous["ended"], "quit");
      for (const auto& p : s["players"]) {
        EXPECT_LT(p["money"].get<int>(), 400) << t;
        EXPECT_EQ(p["stock"][0], 10000) << t;
      }
      if (previous["ended"] == "won") {
        for (const auto& winner : previous["standing"])  // paid 5000: GIMLETs topped up to 14
          EXPECT_GE(s["players"][winner.get<int>()]["stock"][9].get<int>(), 14) << t;
      }
    }
    if (scene == "shop" && roundsSeen >= 3 && lastScene == "shop") quitAt = t;
    lastScene = scene;
  }
  EXPECT_TRUE(sawResults);
  ASSERT_NE(quitAt, 0) << "no third shop within " << kScriptMs << " ms";

  RunOptions quit;
  quit.script = ComputerGameScript(quitAt) + At(quitAt, "key 27") + At(quitAt + 200, "state question.json") +
                At(quitAt + 300, "key 89") + At(quitAt + 600, "state title.json") + At(quitAt + 700, "key 27");
  quit.timeoutSeconds = 240;
  auto second = RunGame("game-quit", quit);
  ASSERT_EQ(second.exitCode, 0) << second.stderrText;
  EXPECT_EQ(second.Snapshot("question.json")["scene"], "quit-question");
  EXPECT_EQ(second.Snapshot("title.json")["scene"], "title");
  EXPECT_GE(second.state["rounds"].get<int>(), 3);
  EXPECT_EQ(second.state["round_log"].size(), second.state["rounds"].get<size_t>());
}
