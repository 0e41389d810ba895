// Forts on the ground during a round: feet counted on the terrain, the
// single-float fall speed and its reset, landing, restored fort pictures,
// the view centred on the current fort, and the distance of two points.
#include <gtest/gtest.h>

#include "state/player_record.h"
#include "state/shared_state.h"
#include "world/fort.h"
#include "world_test_sprites.h"

using world_test::Players;
using world_test::TestSprites;

TEST(FortGround, FeetAndBodyAreTestedWhereTheMasksLie) {
  TestSprites s;
  s.Ground(0, 500, kWorldWidth, kWorldHeight);
  // Feet rows are y + 44 .. y + 49: they reach row 500 from y = 451 on.
  EXPECT_EQ(FortFeetOnGround(300, 450), 0);
  EXPECT_EQ(FortFeetOnGround(300, 451), 4);
  // Body rows are y + 2 .. y + 41.
  EXPECT_FALSE(FortBodyInGround(300, 458));
  EXPECT_TRUE(FortBodyInGround(300, 459));
  // A pillar under the first quarter only: foot 0 touches (columns x .. x + 19).
  TestSprites pillar;
  pillar.Ground(100, 500, 110, kWorldHeight);
  EXPECT_EQ(FortFeetOnGround(95, 455), 1);
  EXPECT_EQ(FortFeetOnGround(81, 455), 2);   // feet 0 (81..100) and 1 (101..120) straddle it
  EXPECT_EQ(FortFeetOnGround(70, 455), 1);   // foot 1 at 90..109
  pillar.Ground(100, 500, 125, kWorldHeight);
  EXPECT_EQ(FortFeetOnGround(95, 455), 2);  // feet 0 (95..114) and 1 (115..134)
  // Off the world's edges nothing is touched.
  EXPECT_EQ(FortFeetOnGround(-200, 455), 0);
  EXPECT_EQ(FortFeetOnGround(300, 900), 0);
}

TEST(FortGround, FallSpeedGrowsInSingleFloatStepsAndResetsAfterPassingFifteen) {
  TestSprites s;  // no ground at all
  Players players(2);
  g_players[0].x = 300;
  g_players[0].y = 100;
  g_players[1].x = 700;
  g_players[1].y = 100;
  s.Ground(680, 144, 800, 300);  // player 1 stands: its feet are rows 144..149
  float previous = 0;
  for (int frame = 1; frame <= 75; ++frame) {
    FortGroundCheck();
    EXPECT_GT(g_players[0].fallSpeed, previous);
    previous = g_players[0].fallSpeed;
    FortFall();
  }
  EXPECT_LT(g_players[0].fallSpeed, 15.0f);  // 75 additions of 0.2f stay below 15
  EXPECT_GT(g_players[0].fallSpeed, 14.9f);
  FortGroundCheck();  // frame 76: still below 15, so it grows past it
  EXPECT_GT(g_players[0].fallSpeed, 15.0f);
  EXPECT_LT(g_players[0].fallSpeed, 15.3f);
  FortFall();
  FortGroundCheck();  // frame 77: reset
  EXPECT_EQ(g_players[0].fallSpeed, 0.0f);
  FortFall();
  FortGroundCheck();  // and accelerates again
  EXPECT_EQ(g_players[0].fallSpeed, 0.2f);
  // The standing fort never moved.
  EXPECT_EQ(g_players[1].fallSpeed, 0.0f);
  EXPECT_EQ(g_players[1].y, 100.0f);
  // The falling one went down by the sum of its speeds.
  EXPECT_GT(g_players[0].y, 100.0f + 75 * 7.0f);
}

TEST(FortGround, AFallingFortLandsOnGroundAndStops) {
  TestSprites s;
  s.Ground(0, 600, kWorldWidth, kWorldHeight);
  Players players(1);
  g_players[0].x = 400;
  g_players[0].y = 20;
  int frames = 0;
  while ((g_players[0].fallSpeed != 0 || frames == 0) && frames < 1000) {
    FortGroundCheck();
    FortFall();
    ++frames;
  }
  ASSERT_LT(frames, 1000);
  EXPECT_GE(FortFeetOnGround(400, static_cast<int>(g_players[0].y)), 2);
  const float landed = g_players[0].y;
  for (int i = 0; i < 10; ++i) {
    FortGroundCheck();
    FortFall();
  }
  EXPECT_EQ(g_players[0].y, landed);
  // One foot on a ledge is not enough: it falls from there.
  TestSprites ledge;
  ledge.Ground(400, 100, 415, 101);
  g_players[0].y = 100 - 44;
  g_players[0].fallSpeed = 0;
  FortGroundCheck();
  EXPECT_EQ(g_players[0].fallSpeed, 0.2f);
}

TEST(FortGround, PicturesOfPlacedFortsAreRestoredAndTheViewCentresOnTheCurrentOne) {
  TestSprites s;
  Players players(3);
  g_players[0].y = 300.5f;
  g_players[1].y = 0.9f;  // integer y 0: not placed, not restored
  g_players[2].y = 12;
  g_players[3].y = 50;  // beyond the number of players
  for (int i = 0; i < 5; ++i) s.Surface(kPlayerFortPicture + i)->Row(10)[10] = 0;
  s.Surface(kFortPicture)->Row(11)[10] = 0;  // a transparent pixel of the intact picture
  RestoreFortPictures();
  EXPECT_EQ(s.Surface(kPlayerFortPicture + 0)->Row(10)[10], 0x7BDE);
  EXPECT_EQ(s.Surface(kPlayerFortPicture + 1)->Row(10)[10], 0);
  EXPECT_EQ(s.Surface(kPlayerFortPicture + 2)->Row(10)[10], 0x7BDE);
  EXPECT_EQ(s.Surface(kPlayerFortPicture + 3)->Row(10)[10], 0);
  EXPECT_EQ(s.Surface(kPlayerFortPicture + 2)->Row(11)[10], 0x1111);  // keyed: only the picture's pixels

  g_players[2].x = 1000.9f;
  g_players[2].y = 431.99f;
  g_game.currentPlayer = 2;
  CentreViewOnCurrentFort();
  EXPECT_EQ(g_game.viewTargetX, 1040);
  EXPECT_EQ(g_game.viewTargetY, 451);
  g_players[0].x = -5.5f;  // truncated toward zero: -5
  g_players[0].y = -0.5f;
  g_game.currentPlayer = 0;
  CentreViewOnCurrentFort();
  EXPECT_EQ(g_game.viewTargetX, 35);
  EXPECT_EQ(g_game.viewTargetY, 20);
}

TEST(FortGround, DistanceIsTruncatedAndSafeForAllSixteenBitPoints) {
  EXPECT_EQ(Distance(0, 0, 3, 4), 5);
  EXPECT_EQ(Distance(3, 4, 0, 0), 5);
  EXPECT_EQ(Distance(0, 0, 1, 1), 1);
  EXPECT_EQ(Distance(10, 10, 10, 10), 0);
  EXPECT_EQ(Distance(0, 0, 499, 20), 499);
  EXPECT_EQ(Distance(0, 0, 499, 32), 500);
  EXPECT_EQ(Distance(-32768, -32768, 32767, 32767), 92680);  // 65535 * sqrt(2)
}

TEST(FortGround, AFortFallingOutOfTheWorldIsDestroyedAndStays) {
  TestSprites s;  // no ground: the fort falls to the bottom
  Players players(2);
  g_players[1].x = 500;
  g_players[1].y = 700;
  int frames = 0;
  while (g_players[1].destroyed == 0 && frames < 500) {
    FortGroundCheck();
    FortFall();
    ++frames;
  }
  ASSERT_EQ(g_players[1].destroyed, 1);
  EXPECT_GT(g_players[1].y, 768.0f);
  const float y = g_players[1].y;
  for (int i = 0; i < 100; ++i) {
    FortGroundCheck();
    FortFall();
  }
  EXPECT_EQ(g_players[1].y, y);
  EXPECT_EQ(g_players[1].fallSpeed, 0.0f);
}
