// End-to-end: whole games of computer players. Three set up through the menu
// play rounds with the results and the shop between them, left with Esc then
// Y in the shop. From the command line: fast-forward changes only the pace; and the soak test, many rounds of
// five computers, every round's results checked against the game's rules of
// money, stock, rounds and time (BULWARK_SOAK_ROUNDS sets how many rounds,
// default 30).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "support/game_run.h"

using namespace e2e;

namespace {

constexpr int kScriptMs = 300000;

std::string SnapshotName(int ms) { return "s" + std::to_string(ms) + ".json"; }

// All three players made computers in the set-up menu (a tenth of the
// height is 48: the middles of the control and the 40 x 28 buttons); then a
// key every second (it closes the results once their lock-out is over;
// rounds and the shop ignore it), and a summary every 250 ms.
std::string ComputerGameScript(int untilMs) {
  const int w2 = 320, w4 = 160, controlY = 6 * 48 + 14, buttonY = 9 * 48 + 9;
  std::string s = "300 key 65\n600 key 32\n";
  for (int i = 0; i < 3; ++i)  // COMPUTER, then NEXT OPPONENT or PLAY GAME
    s += Click(800 + 700 * i, w2, controlY) + Click(1100 + 700 * i, i < 2 ? 3 * w4 : w4, buttonY);
  for (int t = 3000; t < untilMs; t += 250) s += (t % 1000 == 0 ? At(t, "key 65") : "") + At(t, "state " + SnapshotName(t));
  return s;
}

}  // namespace

// A first run finds when the third shop is open; a second run, the same
// script up to then, quits there.
TEST(GameE2E, ThreeComputersPlayRoundsWithResultsAndShopsThenQuitFromTheShop) {
  RunOptions o;
  o.extraArgs = {"--classic"};  // Y leaves straight to the title, as designed
  o.script = ComputerGameScript(kScriptMs) + At(kScriptMs, "quit");
  o.timeoutSeconds = 600;  // the sanitizer build is about ten times slower
  const auto first = RunGame("game-look", o);
  ASSERT_TRUE(first.Clean()) << first.stderrText;
  int quitAt = 0;
  std::string lastScene;
  bool sawResults = false;
  for (int t = 3000; t < kScriptMs && quitAt == 0; t += 250) {
    const auto s = first.Snapshot(SnapshotName(t));
    ASSERT_TRUE(s.is_object()) << t;
    const std::string scene = s["scene"];
    sawResults = sawResults || scene == "results";
    if (scene == "shop" && lastScene == "shop" && s["round_log"].size() >= 3) quitAt = t;
    lastScene = scene;
  }
  EXPECT_TRUE(sawResults);
  ASSERT_NE(quitAt, 0) << "no third shop within " << kScriptMs << " ms";

  o.script = ComputerGameScript(quitAt) + At(quitAt, "key 27") + At(quitAt + 200, "state question.json") +
             At(quitAt + 300, "key 89") + At(quitAt + 600, "state title.json") + At(quitAt + 700, "key 27");
  const auto second = RunGame("game-quit", o);
  ASSERT_TRUE(second.Clean()) << second.stderrText;
  EXPECT_EQ(second.Snapshot("question.json")["scene"], "quit-question");
  EXPECT_EQ(second.Snapshot("title.json")["scene"], "title");
  EXPECT_EQ(second.state["rounds"].get<int>(), 3);
}

TEST(AutoplayE2E, FastForwardChangesOnlyThePace) {
  RunOptions o;
  o.extraArgs = {"--autoplay", "2", "--rounds", "1"};
  // The same input in both runs, but for the Tab key; the mark "x8" in the
  // top right corner (yellow text) only while fast.
  int yellow[2] = {};
  GameRun runs[2];
  for (int fast = 0; fast < 2; ++fast) {
    o.script = std::string("100 key 65\n") + (fast ? "150 keydown 9\n" : "") + "3000 shot mid.png\n";
    runs[fast] = RunGame("autoplay", o);
    ASSERT_TRUE(runs[fast].Clean()) << runs[fast].stderrText;
    const Shot s = runs[fast].LoadShot("mid.png");
    ASSERT_GT(s.w, 40);
    for (int y = 0; y < 20 && y < s.h; ++y)
      for (int x = s.w - 40; x < s.w; ++x) yellow[fast] += s.At(x, y) == 0xFFC1;  // 5-6-5 of (31, 62, 1)
  }
  EXPECT_EQ(yellow[0], 0);
  EXPECT_GT(yellow[1], 5);
  ASSERT_EQ(runs[0].state["rounds"], 1);
  EXPECT_GT(runs[0].state["round_log"][0]["frames"].get<int>(), 100);
  EXPECT_EQ(runs[0].state, runs[1].state);
}

TEST(AutoplayE2E, SoakRoundsOfFiveComputersKeepTheRules) {
  const char* env = std::getenv("BULWARK_SOAK_ROUNDS");
  const int rounds = env ? std::atoi(env) : 30;
  ASSERT_GT(rounds, 0);
  RunOptions o;
  o.extraArgs = {"--autoplay", "5", "--rounds", std::to_string(rounds)};
  o.script = "0 key 65\n";
  o.timeoutSeconds = 60 + rounds * 60;
  const auto run = RunGame("soak", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  const auto& log = run.state["round_log"];
  ASSERT_EQ(log.size(), static_cast<size_t>(rounds));
  int played = 0, won = 0;
  for (const auto& round : log) {
    ++played;
    const std::string ended = round["ended"];
    ASSERT_TRUE(ended == "won" || ended == "time") << played << ": " << ended;
    won += ended == "won";
    EXPECT_LE(round["frames"].get<int>(), 24000) << played;
    EXPECT_TRUE(ended != "won" || round["results"]["projectiles"] == 0) << played;
    for (const auto& p : round["results"]["players"]) {
      const auto& l = p["ledger"];
      const int money = p["money"];
      EXPECT_GE(money, 0) << played;
      EXPECT_EQ(money, l["damage"].get<int>() + l["drops"].get<int>() + l["bonus"].get<int>() - l["spent"].get<int>())
          << played << " " << p["name"];
      EXPECT_EQ(p["stock"][0], 10000) << played;
      for (const auto& s : p["stock"]) EXPECT_GE(s.get<int>(), 0) << played;
      EXPECT_LE(p["rounds_survived"].get<int>(), played) << played;
    }
  }
  std::printf("soak: %d rounds (%d won, %d out of time), %d frames\n", played, won, played - won,
              run.state["frames"].get<int>());
}
