// End-to-end: games of computer players from the command line. Fast-forward
// changes only the pace; and the soak test: many rounds of five computers,
// every round's results checked against the game's rules of money, stock,
// rounds and time. BULWARK_SOAK_ROUNDS sets how many rounds (default 30).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/game_run.h"

using e2e::RunGame;
using e2e::RunOptions;

TEST(AutoplayE2E, FastForwardChangesOnlyThePace) {
  RunOptions plain;
  plain.withGeneratedData = true;
  plain.extraArgs = {"--autoplay", "2", "--rounds", "1"};
  plain.script = "100 key 65\n3000 shot mid.png\n";  // the same input in both runs, but for the Tab key
  RunOptions fast = plain;
  fast.script = "100 key 65\n150 keydown 9\n3000 shot mid.png\n";
  const auto a = RunGame("autoplay-plain", plain);
  const auto b = RunGame("autoplay-fast", fast);
  ASSERT_EQ(a.exitCode, 0) << a.stderrText;
  ASSERT_EQ(b.exitCode, 0) << b.stderrText;
  // The mark "x8" in the top right corner (yellow text) only while fast.
  auto yellowInCorner = [](const e2e::GameRun& run) {
    std::vector<uint16_t> px;
    int w = 0, h = 0;
    EXPECT_TRUE(run.LoadShot("mid.png", &px, &w, &h));
    int n = 0;
    for (int y = 0; y < 20 && y < h; ++y)
      for (int x = w - 40; x < w; ++x) n += px[static_cast<size_t>(y) * w + x] == 0xFFC1;  // 5-6-5 of (31, 62, 1)
    return n;
  };
  EXPECT_EQ(yellowInCorner(a), 0);
  EXPECT_GT(yellowInCorner(b), 5);
  ASSERT_EQ(a.state["rounds"], 1);
  EXPECT_EQ(a.state["round_log"][0]["frames"].get<int>() > 100, true);
  EXPECT_EQ(a.state, b.state);
}

TEST(AutoplayE2E, SoakRoundsOfFiveComputersKeepTheRules) {
  int rounds = 30;
  if (const char* env = std::getenv("BULWARK_SOAK_ROUNDS")) rounds = std::atoi(env);
  ASSERT_GT(rounds, 0);
  RunOptions o;
  o.extraArgs = {"--autoplay", "5", "--rounds", std::to_string(rounds)};
  o.script = "0 key 65\n";
  o.timeoutSeconds = 60 + rounds * 30;
  const auto run = RunGame("soak", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(run.Messages().empty()) << run.stderrText;
  const auto& log = run.state["round_log"];
  ASSERT_EQ(log.size(), static_cast<size_t>(rounds));
  EXPECT_EQ(run.state["rounds"], rounds);
  int played = 0, won = 0;
  for (const auto& round : log) {
    ++played;
    const std::string ended = round["ended"];
    ASSERT_TRUE(ended == "won" || ended == "time") << played << ": " << ended;
    won += ended == "won";
    EXPECT_LE(round["frames"].get<int>(), 24000) << played;
    const auto& results = round["results"];
    if (ended == "won") {
      EXPECT_EQ(results["projectiles"], 0) << played;
    }
    for (const auto& p : results["players"]) {
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
