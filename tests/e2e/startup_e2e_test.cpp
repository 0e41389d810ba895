// End-to-end: the game binary starts headless, reads its configuration, shows
// frames, survives losing the display, and ends by Esc, by `quit` and by
// option errors, writing its summary.
#include <gtest/gtest.h>

#include "support/game_run.h"

using e2e::RunGame;
using e2e::RunOptions;

TEST(StartupE2E, EscLeavesWithExitCodeZeroAndASummary) {
  RunOptions o;
  o.script = "500 key 27\n";
  auto run = RunGame("esc", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  ASSERT_TRUE(run.state.is_object()) << run.stderrText;
  EXPECT_EQ(run.state["screen"], nlohmann::json::array({640, 480}));
  EXPECT_GT(run.state["frames"].get<int>(), 10);
  EXPECT_TRUE(run.Messages().empty()) << run.stderrText;
}

TEST(StartupE2E, ConfigurationChoosesTheScreenAndAMissingFileIsReported) {
  RunOptions big;
  big.gameIni = {3, 0, 0};
  big.script = "300 shot big.png\n400 key 27\n";
  auto run = RunGame("config-big", big);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.state["screen"], nlohmann::json::array({1024, 768}));
  std::vector<uint16_t> px;
  int w = 0, h = 0;
  ASSERT_TRUE(run.LoadShot("big.png", &px, &w, &h));
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);

  RunOptions missing;
  missing.gameIni.clear();
  missing.script = "300 key 27\n";
  run = RunGame("config-missing", missing);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.state["screen"], nlohmann::json::array({640, 480}));
  ASSERT_FALSE(run.Messages().empty());
  EXPECT_EQ(run.Messages()[0], "no open game.ini");
  EXPECT_NE(run.stderrText.find("message: no open game.ini"), std::string::npos);

  RunOptions text;  // a text file "100" is option 0x31: the default screen
  text.gameIni = {'1', '0', '0'};
  text.script = "300 key 27\n";
  run = RunGame("config-text", text);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.state["screen"], nlohmann::json::array({640, 480}));
}

TEST(StartupE2E, ScriptQuitEndsTheProgramLikeClosingTheWindow) {
  RunOptions o;
  o.script = "400 quit\n";
  auto run = RunGame("quit", o);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  ASSERT_TRUE(run.state.is_object());
  // The start-up picture's two flips and 200 ms of sleeps, then about 167 ms
  // of 1000/60 ms frames.
  EXPECT_NEAR(run.state["frames"].get<int>(), 12, 3);
}

TEST(StartupE2E, LosingTheDisplayWaitsForItAndThenGoesOn) {
  RunOptions o;
  o.script =
      "200 lose-display\n"
      "1200 restore-display\n"
      "1500 shot after.png\n"
      "1600 key 27\n";
  auto run = RunGame("lose", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  // While the display was away the game thread did not present frames: about
  // 600 ms of frames (0-200 and 1200-1600 ms) plus the recovery's waits.
  const int frames = run.state["frames"].get<int>();
  EXPECT_LT(frames, 1600 / 16 - 30);
  std::vector<uint16_t> px;
  int w = 0, h = 0;
  EXPECT_TRUE(run.LoadShot("after.png", &px, &w, &h));
}

TEST(StartupE2E, BadOptionsAndScriptsAreRefusedClearly) {
  RunOptions o;
  o.script = "100 jump 3\n";
  auto run = RunGame("bad-script", o);
  EXPECT_NE(run.exitCode, 0);
  EXPECT_NE(run.stderrText.find("line 1: unknown command 'jump'"), std::string::npos) << run.stderrText;

  RunOptions scale;
  scale.script = "100 key 27\n";
  scale.extraArgs = {"--scale", "zero"};
  run = RunGame("bad-scale", scale);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.stderrText.find("--scale"), std::string::npos);
}

TEST(StartupE2E, ATerminationSignalEndsTheProgramInOrder) {
  RunOptions o;
  // Once the script has run out the game keeps real time, waiting for input.
  o.script = "300 shot ready.png\n";
  o.sigtermAfterShot = "ready.png";
  o.sigtermAfterMs = 300;
  auto run = RunGame("sigterm", o);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  ASSERT_TRUE(run.state.is_object()) << run.stderrText;
  EXPECT_GE(run.state["frames"].get<int>(), 5);
}
