// The round results: the ranking and its four-digit counts, the title and
// line colours of won and timed-out rounds, and the lock-out that remembers
// a key but not a released button.
#include <gtest/gtest.h>

#include <vector>

#include "screens/round_results.h"
#include "screen_test_fixture.h"

namespace {

using screen_test::ScreenTest;

bool SameColour(ColorRef a, ColorRef b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

class RoundResults : public ScreenTest {};

TEST_F(RoundResults, RankingByRoundsSurvivedWithTiesInIndexOrder) {
  struct Case {
    std::vector<int32_t> rounds;
    std::vector<int> order;
  };
  const Case cases[] = {
      {{2, 2}, {0, 1}},
      {{1, 4, 4}, {1, 2, 0}},
      {{0, 3, 1, 3, 2}, {1, 3, 4, 2, 0}},
      {{0, 0, 0, 0, 5}, {4, 0, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    UsePlayers(static_cast<int>(c.rounds.size()));
    for (size_t i = 0; i < c.rounds.size(); ++i) g_players[i].roundsSurvived = c.rounds[i];
    int order[kMaxPlayers] = {};
    const int rows = RankPlayers(order);
    EXPECT_EQ(std::vector<int>(order, order + rows), c.order) << "first rounds " << c.rounds[0];
  }

  const std::pair<int32_t, const char*> counts[] = {
      {0, "0000"}, {7, "0007"}, {42, "0042"}, {512, "0512"}, {1234, "1234"}, {10, "0010"}, {999, "0999"}};
  std::string text;
  for (const auto& [rounds, expected] : counts) {
    RoundsSurvivedText(rounds, &text);
    EXPECT_EQ(text, expected);
  }
}

TEST_F(RoundResults, TitleAndLineColours) {
  const ColorRef green = Rgb(15, 255, 15), yellow = Rgb(255, 255, 15), survivor = Rgb(255, 15, 0);
  struct Case {
    const char* what;
    int32_t roundTimer;
    int16_t destroyed0, destroyed1;
    const char* title;
    ColorRef titleColour, line0, line1;
  };
  const Case cases[] = {
      {"won", 1234, 0, 1, "CONGRATULATION!!!", green, survivor, green},
      {"no survivor", 1, 1, 1, "CONGRATULATION!!!", green, green, green},
      {"time ran out", 0, 0, 0, "END OF TIME", yellow, green, green},
  };
  for (const Case& c : cases) {
    g_game.roundTimer = c.roundTimer;
    g_players[0].destroyed = c.destroyed0;
    g_players[1].destroyed = c.destroyed1;
    EXPECT_STREQ(ResultsTitle(), c.title) << c.what;
    EXPECT_TRUE(SameColour(ResultsTitleColour(), c.titleColour)) << c.what;
    EXPECT_TRUE(SameColour(ResultLineColour(g_players[0]), c.line0)) << c.what;
    EXPECT_TRUE(SameColour(ResultLineColour(g_players[1]), c.line1)) << c.what;
  }
}

TEST_F(RoundResults, LockOutRemembersAKeyButNotAReleasedButton) {
  struct Input {
    int flip;
    int key;        // last key set at this flip (0: none)
    int button;     // left button set at this flip (-1: unchanged)
  };
  struct Case {
    const char* what;
    std::vector<Input> inputs;
    int closesAt;   // the flip after which the screen has closed
  };
  const Case cases[] = {
      {"key during the lock-out", {{10, 65, -1}}, kResultsLockOut},
      {"key after it", {{150, 65, -1}}, 150},
      {"button held into its end", {{90, 0, 1}}, kResultsLockOut},
      {"button released during it, key later", {{10, 0, 1}, {20, 0, 0}, {130, 32, -1}}, 130},
      {"key remembered past a released button", {{10, 0, 1}, {11, 27, -1}, {20, 0, 0}}, kResultsLockOut},
  };
  for (const Case& c : cases) {
    video->flips = 0;
    g_input.lastKey = 65;  // a key from the round does not close the screen
    g_input.leftButton = 1;
    video->onFlip = [&](int flip) {
      for (const Input& in : c.inputs) {
        if (in.flip != flip) continue;
        if (in.key) g_input.lastKey = in.key;
        if (in.button >= 0) g_input.leftButton = static_cast<uint8_t>(in.button);
      }
    };
    const int opened = Played(6), closed = Played(18);
    ShowRoundResults(*frame);
    EXPECT_EQ(video->flips, c.closesAt) << c.what;
    EXPECT_EQ(g_game.scene, Scene::kResults) << c.what;
    EXPECT_EQ(g_input.lastKey, 0) << c.what;
    EXPECT_EQ(g_input.leftButton, 0) << c.what;
    EXPECT_EQ(Played(6), opened + 1) << c.what;
    EXPECT_EQ(Played(18), closed + 1) << c.what;
  }
}

}  // namespace
