// The view: easing towards its target within the world, scrolling at the
// screen's edges, following the shells in flight.
#include "players/view.h"

#include <gtest/gtest.h>

#include "players_test_state.h"

namespace {

using players_test::PlayersTest;

class View : public PlayersTest {};

TEST_F(View, TheOriginEasesTowardsTheTargetAndNeverLeavesTheWorld) {
  g_config.screenWidth = 640;
  g_config.screenHeight = 480;
  g_game.viewTargetX = 1000;  // centre 320: a step of (680 + 19) / 20
  g_game.viewTargetY = 250;   // centre 240: a step of (10 + 19) / 20
  ViewFollowing();
  EXPECT_EQ(g_game.viewX, 34);
  EXPECT_EQ(g_game.viewY, 1);

  struct Case {
    int w, h;
    int16_t targetX, targetY;
  } cases[] = {{320, 240, -500, -500}, {320, 240, 3000, 3000},     {640, 480, 0, 767},
               {800, 600, 1535, 0},    {1024, 768, 20000, -20000}, {1024, 768, 768, 384}};
  for (const Case& c : cases) {
    g_config.screenWidth = static_cast<uint16_t>(c.w);
    g_config.screenHeight = static_cast<uint16_t>(c.h);
    g_game.viewX = 700 - c.w / 2;
    g_game.viewY = 0;
    g_game.viewTargetX = c.targetX;
    g_game.viewTargetY = c.targetY;
    for (int frame = 0; frame < 400; ++frame) {
      ViewFollowing();
      ASSERT_GE(g_game.viewX, 0);
      ASSERT_LE(g_game.viewX, 1536 - c.w);
      ASSERT_GE(g_game.viewY, 0);
      ASSERT_LE(g_game.viewY, 768 - c.h);
    }
    // At rest: the target in the centre, or pulled back to it at a border.
    EXPECT_EQ(g_game.viewTargetX, g_game.viewX + c.w / 2) << c.w << " wide, target " << c.targetX;
    EXPECT_EQ(g_game.viewTargetY, g_game.viewY + c.h / 2) << c.h << " high, target " << c.targetY;
  }
}

TEST_F(View, EdgeScrollingBuildsUpAndDiesAwayInTwoFramesEach) {
  g_config.screenWidth = 640;
  g_config.screenHeight = 480;
  struct Case {
    int x, y;  // the pointer at rest
    int16_t speedX, speedY;
  } cases[] = {{5, 200, -8, 0}, {0, 479, -8, 8}, {634, 6, 8, 0}, {633, 473, 0, 0}, {6, 474, 0, 8}, {300, 0, 0, -8}};
  for (const Case& c : cases) {
    g_turn.edgeScrollX = g_turn.edgeScrollY = 0;
    g_game.viewTargetX = g_game.viewTargetY = 300;
    g_input.cursorX = c.x;
    g_input.cursorY = c.y;
    for (int frame = 1; frame <= 4; ++frame) {
      EdgeScrolling();
      const int16_t speedX = static_cast<int16_t>(c.speedX * std::min(frame, 2));
      const int16_t speedY = static_cast<int16_t>(c.speedY * std::min(frame, 2));
      EXPECT_EQ(g_turn.edgeScrollX, speedX) << c.x << ", " << c.y << " frame " << frame;
      EXPECT_EQ(g_turn.edgeScrollY, speedY) << c.x << ", " << c.y << " frame " << frame;
    }
    const int pushedX = c.speedX * 7, pushedY = c.speedY * 7;  // 1 + 2 + 2 + 2 steps
    EXPECT_EQ(g_game.viewTargetX, 300 + pushedX);
    EXPECT_EQ(g_game.viewTargetY, 300 + pushedY);
    g_input.cursorX = g_input.cursorY = 200;  // away from every edge
    EdgeScrolling();
    EXPECT_EQ(g_turn.edgeScrollX, c.speedX);
    EXPECT_EQ(g_turn.edgeScrollY, c.speedY);
    EdgeScrolling();
    EXPECT_EQ(g_turn.edgeScrollX, 0);
    EXPECT_EQ(g_turn.edgeScrollY, 0);
    EXPECT_EQ(g_game.viewTargetX, 300 + pushedX + c.speedX);
  }
}

TEST_F(View, TheLastShellInFlightIsFollowed) {
  g_game.viewTargetX = 10;
  g_game.viewTargetY = 20;
  ProjectileFollowing();
  EXPECT_EQ(g_game.viewTargetX, 10);
  PutShell(3, 100.9f, 200.5f);
  PutShell(250, 700.7f, -3.9f);
  PutShell(40, 900, 300);
  ProjectileFollowing();
  EXPECT_EQ(g_game.viewTargetX, 700);
  EXPECT_EQ(g_game.viewTargetY, -3);
}

}  // namespace
