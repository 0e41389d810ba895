// End-to-end: the game reads level.frc at start-up; a missing file says
// "no open earth" and a short one is reported, and the game runs on.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/game_run.h"

using e2e::RunGame;
using e2e::RunOptions;

namespace {

bool Shown(const e2e::GameRun& run, const std::string& text) {
  const auto m = run.Messages();
  return std::count(m.begin(), m.end(), text) == 1;
}

}  // namespace

TEST(WorldE2E, TheLevelFileIsReadAtStartAndItsAbsenceOrShortnessReported) {
  RunOptions ok;
  ok.script = "300 key 27\n350 key 27\n";
  auto run = RunGame("levels-ok", ok);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_FALSE(Shown(run, "no open earth")) << run.stderrText;
  EXPECT_FALSE(Shown(run, "short earth file")) << run.stderrText;

  RunOptions missing;
  missing.withGeneratedData = false;
  missing.script = "300 key 27\n650 key 27\n";  // past the wait for a key, then the title menu
  run = RunGame("levels-missing", missing);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(Shown(run, "no open earth")) << run.stderrText;
  EXPECT_GT(run.state["frames"].get<int>(), 15);  // the title menu ran on

  RunOptions shortFile;
  shortFile.dataFiles.push_back({"level.frc", std::vector<uint8_t>(26 * 10 + 3, 0)});
  shortFile.script = "300 key 27\n350 key 27\n";
  run = RunGame("levels-short", shortFile);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(Shown(run, "short earth file")) << run.stderrText;
  EXPECT_FALSE(Shown(run, "no open earth"));
}
