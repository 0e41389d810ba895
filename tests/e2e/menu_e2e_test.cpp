// End-to-end: the players' set-up menu at 640 x 480 and 1024 x 768: a name
// typed for the first player, two opponents added and made computers, then
// PLAY GAME; the round starts with the three players as they were set up.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/game_run.h"

using e2e::RunGame;
using e2e::RunOptions;

namespace {

struct Screen {
  const char* mode;
  int w, h;
};

// A click at (x, y): move, press, release.
std::string Click(int ms, int x, int y) {
  return std::to_string(ms) + " mouse " + std::to_string(x) + " " + std::to_string(y) + "\n" +
         std::to_string(ms + 50) + " ldown\n" + std::to_string(ms + 100) + " lup\n";
}

}  // namespace

TEST(MenuE2E, ThreePlayersSetUpAndPlayed) {
  for (const Screen& s : {Screen{"640x480", 640, 480}, Screen{"1024x768", 1024, 768}}) {
    const int w2 = s.w / 2, w4 = s.w / 4, h10 = s.h / 10;
    const int controlY = 6 * h10 + 14, buttonY = 9 * h10 + 9;  // the middle of the 40 x 28 buttons
    RunOptions o;
    o.extraArgs = {"--mode", s.mode};
    o.script = "300 key 65\n600 key 32\n700 key 8\n720 key 90\n740 key 65\n760 key 78\n" +  // ZAN
               Click(800, 3 * w4, buttonY) +                                                    // NEXT OPPONENT
               Click(1500, w2, controlY) +                                                      // COMPUTER
               Click(1700, 3 * w4, buttonY) +                                                   // NEXT OPPONENT
               Click(2400, w2, controlY) +                                                      // COMPUTER
               "2600 shot menu.png\n" + Click(2700, w4, buttonY) +                              // PLAY GAME
               "3000 state round.json\n3100 shot round.png\n3200 key 27\n3400 key 89\n3600 key 27\n";
    const auto run = RunGame(std::string("menu-") + s.mode, o);
    ASSERT_EQ(run.exitCode, 0) << s.mode << run.stderrText;
    EXPECT_TRUE(run.Messages().empty()) << run.stderrText;
    const auto round = run.Snapshot("round.json");
    ASSERT_TRUE(round.is_object()) << s.mode;
    EXPECT_EQ(round["scene"], "round") << s.mode;
    ASSERT_EQ(round["players"].size(), 3u) << s.mode;
    EXPECT_EQ(round["players"][0]["name"], "ZAN") << s.mode;
    std::set<int> colours;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(round["players"][i]["control"], i == 0 ? 0 : 1) << s.mode << " " << i;
      colours.insert(round["players"][i]["colour"].get<int>());
    }
    EXPECT_EQ(colours.size(), 3u) << s.mode;
  }
}
