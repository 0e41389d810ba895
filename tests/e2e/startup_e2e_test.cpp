// End-to-end: the game binary starts headless, reads its configuration (or
// takes its screen from --mode), shows frames, survives losing the display,
// and ends by Esc, by `quit` and by option errors, writing its summary; with
// no display and no --headless it says so and ends.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "support/game_run.h"

using e2e::RunGame;
using e2e::RunOptions;

TEST(StartupE2E, EscLeavesWithExitCodeZeroAndASummary) {
  RunOptions o;
  o.script = "300 key 65\n500 key 27\n";
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
  big.script = "300 shot big.png\n400 key 27\n450 key 27\n";
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
  missing.script = "300 key 27\n350 key 27\n";
  run = RunGame("config-missing", missing);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.state["screen"], nlohmann::json::array({640, 480}));
  ASSERT_FALSE(run.Messages().empty());
  EXPECT_EQ(run.Messages()[0], "no open game.ini");
  EXPECT_NE(run.stderrText.find("message: no open game.ini"), std::string::npos);

  RunOptions text;  // a text file "100" is option 0x31: the default screen
  text.gameIni = {'1', '0', '0'};
  text.script = "300 key 27\n350 key 27\n";
  run = RunGame("config-text", text);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.state["screen"], nlohmann::json::array({640, 480}));
}

TEST(StartupE2E, ScriptQuitEndsTheProgramLikeClosingTheWindow) {
  RunOptions o;
  o.script = "400 quit\n";  // while the game waits for a key after loading
  auto run = RunGame("quit", o);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  ASSERT_TRUE(run.state.is_object());
  // Only the start-up picture's two flips: the wait for a key shows no frames.
  EXPECT_EQ(run.state["frames"].get<int>(), 2);
}

TEST(StartupE2E, LosingTheDisplayWaitsForItAndThenGoesOn) {
  RunOptions o;
  o.script =
      "300 key 32\n"  // past the wait for a key, to the title menu's frames
      "500 lose-display\n"
      "1500 restore-display\n"
      "1700 shot after.png\n"
      "1800 key 27\n";
  auto run = RunGame("lose", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  // While the display was away the game thread waited in the recovery and
  // presented no frames: about 500 ms of frames instead of 1500.
  const int frames = run.state["frames"].get<int>();
  EXPECT_LT(frames, 60);
  EXPECT_GT(frames, 20);
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

  // A directory opens but holds no script: refused, not waited on forever.
  RunOptions directory;
  directory.extraArgs = {"--script", "."};
  directory.timeoutSeconds = 20;
  run = RunGame("script-directory", directory);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.stderrText.find("cannot open script '.'"), std::string::npos) << run.stderrText;

  RunOptions scale;
  scale.script = "100 key 27\n";
  scale.extraArgs = {"--scale", "zero"};
  run = RunGame("bad-scale", scale);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.stderrText.find("--scale"), std::string::npos);
}

TEST(StartupE2E, AShotThatCannotBeSavedIsReportedAndTheRunEndsClean) {
  // The failures leave SDL's error text with the game thread, which must be
  // freed when the thread ends (the sanitizer build reports it otherwise).
  RunOptions o;
  o.script = "300 key 32\n400 shot ..\n500 shot " + std::string(300, 'a') + ".png\n600 key 27\n";
  auto run = RunGame("shot-fails", o);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_NE(run.stderrText.find("/shots/.. failed"), std::string::npos) << run.stderrText;
  EXPECT_NE(run.stderrText.find(std::string(300, 'a') + ".png failed"), std::string::npos) << run.stderrText;
}

TEST(StartupE2E, ATerminationSignalEndsTheProgramInOrder) {
  RunOptions o;
  // Once the script has run out the game keeps real time, waiting for input.
  o.script = "300 key 32\n350 shot ready.png\n";
  o.sigtermAfterShot = "ready.png";
  o.sigtermAfterMs = 300;
  auto run = RunGame("sigterm", o);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  ASSERT_TRUE(run.state.is_object()) << run.stderrText;
  EXPECT_GE(run.state["frames"].get<int>(), 5);
}

TEST(StartupE2E, ModeChoosesTheScreenWhateverGameIniSays) {
  const std::vector<std::vector<uint8_t>> inis = {{0, 0, 0}, {2, 1, 1}, {}};
  for (const auto& ini : inis) {
    RunOptions o;
    o.gameIni = ini;
    o.extraArgs = {"--mode", "1024x768"};
    o.script = "300 shot mode.png\n400 key 27\n450 key 27\n";
    auto run = RunGame("mode", o);
    ASSERT_EQ(run.exitCode, 0) << run.stderrText;
    EXPECT_EQ(run.state["screen"], nlohmann::json::array({1024, 768})) << ini.size();
    std::vector<uint16_t> px;
    int w = 0, h = 0;
    ASSERT_TRUE(run.LoadShot("mode.png", &px, &w, &h));
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    // The file is read, not written.
    std::ifstream f(run.dir + "/data/game.ini", std::ios::binary);
    EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {}), ini);
  }

  RunOptions bad;
  bad.script = "100 key 27\n";
  bad.extraArgs = {"--mode", "1280x1024"};
  auto run = RunGame("bad-mode", bad);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.stderrText.find("--mode wants 320x240, 640x480, 800x600 or 1024x768, not '1280x1024'"),
            std::string::npos)
      << run.stderrText;
}

TEST(StartupE2E, WithoutADisplayItSaysSoInOneLineAndEnds) {
  // No X or Wayland display: the windowing driver cannot start, or SDL falls
  // back on one that draws nowhere.
  for (const char* driver : {"SDL_VIDEODRIVER", "SDL_VIDEODRIVER=x11", "SDL_VIDEODRIVER=offscreen"}) {
    RunOptions o;
    o.headless = false;
    o.env = {"DISPLAY", "WAYLAND_DISPLAY", driver};
    o.script = "100 quit\n";
    auto run = RunGame("no-display", o);
    EXPECT_EQ(run.exitCode, 1) << driver;
    EXPECT_EQ(run.stderrText, "bulwark: no display found; run it on a desktop, or use --headless for tests\n") << driver;
    EXPECT_TRUE(run.state.is_null()) << driver;  // the game never started
  }
}
