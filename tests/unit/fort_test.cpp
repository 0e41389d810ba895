// Forts: feet and body counted on the terrain, the single-float fall speed and
// its reset, landing and falling out of the world, restored pictures, the view
// centred on the current fort, the distance of two points; and their placement
// for 0 to 5 players, also on landscapes with too little room or none.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "platform/random.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "world/fort.h"
#include "world/fort_placement.h"
#include "world/level_file.h"
#include "world_test_sprites.h"

using world_test::Players;
using world_test::TestSprites;

namespace {

int Ix(int i) { return static_cast<int>(g_players[i].x); }
int Iy(int i) { return static_cast<int>(g_players[i].y); }

void Place(int i, float x, float y) { g_players[i].x = x, g_players[i].y = y; }

// Frames of the ground check and the fall.
void Frames(int n) {
  for (int f = 0; f < n; ++f) FortGroundCheck(), FortFall();
}

void ExpectStanding(int i) {
  EXPECT_GE(FortFeetOnGround(Ix(i), Iy(i)), 2) << "player " << i;
  EXPECT_FALSE(FortBodyInGround(Ix(i), Iy(i))) << "player " << i;
}

}  // namespace

TEST(FortGround, FeetAndBodyAreTestedWhereTheMasksLie) {
  // Ground from row 500 between columns x0 and x1; feet k at columns x + 20k
  // .. x + 20k + 19 and rows y + 44 .. y + 49 (at x = 81 feet 0 and 1
  // straddle the ground of 100 .. 109).
  const struct {
    int x0, x1, x, y, feet;
  } cases[] = {{0, kWorldWidth, 300, 450, 0}, {0, kWorldWidth, 300, 451, 4}, {100, 110, 95, 455, 1}, {100, 110, 81, 455, 2},
               {100, 110, 70, 455, 1}, {100, 125, 95, 455, 2}, {0, kWorldWidth, -200, 455, 0}, {0, kWorldWidth, 300, 900, 0}};
  for (const auto& c : cases) {
    TestSprites s;
    s.Ground(c.x0, 500, c.x1, kWorldHeight);
    EXPECT_EQ(FortFeetOnGround(c.x, c.y), c.feet) << c.x0 << ".." << c.x1 << " at " << c.x << "," << c.y;
  }
  TestSprites s;
  s.Ground(0, 500, kWorldWidth, kWorldHeight);
  EXPECT_FALSE(FortBodyInGround(300, 458));  // body rows y + 2 .. y + 41
  EXPECT_TRUE(FortBodyInGround(300, 459));
}

TEST(FortGround, FallSpeedGrowsInSingleFloatStepsAndResetsAfterPassingFifteen) {
  TestSprites s;
  Players players(2);
  Place(0, 300, 100);
  Place(1, 700, 100);
  s.Ground(680, 144, 800, 300);  // player 1 stands: its feet are rows 144..149
  Frames(75);
  EXPECT_LT(g_players[0].fallSpeed, 15.0f);  // 75 additions of 0.2f stay below 15
  FortGroundCheck();                         // frame 76: still below 15, so it grows past it
  EXPECT_GT(g_players[0].fallSpeed, 15.0f);
  EXPECT_LT(g_players[0].fallSpeed, 15.3f);
  FortFall();
  FortGroundCheck();  // frame 77: reset
  EXPECT_EQ(g_players[0].fallSpeed, 0.0f);
  FortFall();
  FortGroundCheck();  // and accelerates again
  EXPECT_EQ(g_players[0].fallSpeed, 0.2f);
  EXPECT_EQ(std::tie(g_players[1].fallSpeed, g_players[1].y), std::make_tuple(0.0f, 100.0f));  // the standing fort never moved
  EXPECT_GT(g_players[0].y, 100.0f + 75 * 7.0f);  // the falling one went down by the sum of its speeds
}

TEST(FortGround, AFortLandsOnTwoFeetOrFallsOutOfTheWorldAndStaysDestroyed) {
  TestSprites s;
  s.Ground(0, 600, kWorldWidth, kWorldHeight);
  Players players(2);
  Place(0, 400, 20);
  Frames(1);
  for (int frames = 0; g_players[0].fallSpeed != 0 && frames < 1000; ++frames) Frames(1);
  EXPECT_GE(FortFeetOnGround(400, Iy(0)), 2);
  const float landed = g_players[0].y;
  Frames(10);
  EXPECT_EQ(g_players[0].y, landed);
  // One foot on a ledge is not enough: it falls from there.
  TestSprites ledge;
  ledge.Ground(400, 100, 415, 101);
  Place(0, 400, 100 - 44);
  g_players[0].fallSpeed = 0;
  FortGroundCheck();
  EXPECT_EQ(g_players[0].fallSpeed, 0.2f);
  // No ground under it: it falls below the world, is destroyed and stays there.
  Place(1, 500, 700);
  for (int frames = 0; g_players[1].destroyed == 0 && frames < 500; ++frames) Frames(1);
  ASSERT_EQ(g_players[1].destroyed, 1);
  EXPECT_GT(g_players[1].y, 768.0f);
  const float y = g_players[1].y;
  Frames(100);
  EXPECT_EQ(std::tie(g_players[1].y, g_players[1].fallSpeed), std::make_tuple(y, 0.0f));
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
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s.Surface(kPlayerFortPicture + i)->Row(10)[10], i % 2 ? 0 : 0x7BDE) << i;
  EXPECT_EQ(s.Surface(kPlayerFortPicture + 2)->Row(11)[10], 0x1111);  // keyed: only the picture's pixels

  Place(2, -5.5f, -0.5f);
  g_game.currentPlayer = 2;
  CentreViewOnCurrentFort();  // truncated toward zero, then moved to the fort's middle
  EXPECT_EQ(std::tie(g_game.viewTargetX, g_game.viewTargetY), std::make_tuple(35, 20));
}

TEST(FortGround, DistanceIsTruncatedAndSafeForAllSixteenBitPoints) {
  const struct {
    int16_t x1, y1, x2, y2;
    int d;
  } cases[] = {{3, 4, 0, 0, 5}, {0, 0, 1, 1, 1}, {0, 0, 499, 20, 499}, {0, 0, 499, 32, 500},
               {-32768, -32768, 32767, 32767, 92680}};  // 65535 * sqrt(2)
  for (const auto& c : cases) EXPECT_EQ(Distance(c.x1, c.y1, c.x2, c.y2), c.d) << c.x2 << "," << c.y2;
}

TEST(FortPlacement, FortsStandApartByTheRulesForTwoToFivePlayers) {
  TestSprites s;
  // Hills: ground from a height that changes every 60 columns.
  for (int x = 0; x < kWorldWidth; ++x) s.Ground(x, 420 + static_cast<int>(120 * std::sin(x / 60 * 1.7)), x + 1, kWorldHeight);
  for (int n = 0; n <= 5; ++n) {
    for (uint32_t seed = 1; seed <= 25; ++seed) {
      Players players(n);
      g_players[4].damage = 99;  // every record is reset, even with no players
      g_players[4].shieldCharges = 3;
      platform::SeedRand(seed * 7919);
      const PlacementReport report = PlaceFortsOnLandscape(n, GameRandom());
      for (int i = 0; i < n; ++i) {
        ASSERT_EQ(report.how[i], FortPlacement::kStanding) << n << " players, seed " << seed;
        ExpectStanding(i);
        EXPECT_TRUE(g_players[i].x >= 40 && g_players[i].x <= 1415 && g_players[i].fallSpeed == 0) << i;
        for (int j = 0; j < i; ++j) {
          EXPECT_GE(std::fabs(g_players[i].x - g_players[j].x), 80.0f);
          EXPECT_GE(Distance(Ix(i), Iy(i), Ix(j), Iy(j)), 1000 / n) << n << " players, seed " << seed;
        }
      }
      EXPECT_TRUE(g_players[4].damage == 0 && g_players[4].shieldCharges == 0);
    }
  }
}

TEST(FortPlacement, DropsInTenPixelStepsFromTheDrawnHeight) {
  TestSprites s;
  s.Ground(0, 600, kWorldWidth, kWorldHeight);
  Players players(1);
  // The fort stands with its feet (rows y + 44 .. y + 49) on row 600 and its
  // body (rows y + 2 .. y + 41) above it: y from 551 to 558. Dropping in
  // steps of 10 from the drawn height either hits that band or steps over it
  // into the ground, and then the attempt is lost.
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    platform::SeedRand(seed);
    const int rx = platform::Rand(), ry = platform::Rand();
    const float x = 40 + static_cast<float>(rx * 1375) * (1.0f / 32767.0f);
    float y = 10 + static_cast<float>(ry * 680) * (1.0f / 32767.0f);
    while (static_cast<int>(y) + 49 < 600) y += 10;
    platform::SeedRand(seed);
    const PlacementReport report = PlaceFortsOnLandscape(1, GameRandom());
    ASSERT_EQ(report.how[0], FortPlacement::kStanding);
    if (static_cast<int>(y) <= 558)
      EXPECT_EQ(std::tie(report.attempts[0], g_players[0].x, g_players[0].y), std::make_tuple(1, x, y)) << seed;
    else
      EXPECT_GT(report.attempts[0], 1) << seed;
  }
}

TEST(FortPlacement, TooLittleRoomGivesUpTheDistanceThenLetsAFortFall) {
  TestSprites s;
  // Ground under x 40 .. 399 only: two forts fit 333 apart, a third does not.
  s.Ground(40, 500, 400, kWorldHeight);
  Players players(3);
  platform::SeedRand(4242);
  PlacementReport report = PlaceFortsOnLandscape(3, GameRandom());
  int crowded = 0;
  for (int i = 0; i < 3; ++i) {
    ExpectStanding(i);
    crowded += report.how[i] == FortPlacement::kCrowded;
    for (int j = 0; j < i; ++j) EXPECT_GE(std::fabs(g_players[i].x - g_players[j].x), 80.0f);
  }
  EXPECT_GE(crowded, 1);
  // Ground for one fort only: two feet touch it from x = 41 to x = 119, so
  // the second fort cannot stand anywhere 80 pixels away from the first.
  TestSprites one;
  one.Ground(100, 500, 140, kWorldHeight);
  Players two(2);
  platform::SeedRand(77);
  report = PlaceFortsOnLandscape(2, GameRandom());
  EXPECT_EQ(std::tie(report.how[0], report.how[1], report.attempts[1]),
            std::make_tuple(FortPlacement::kStanding, FortPlacement::kFalling, kGameLimits.strictAttempts + kGameLimits.relaxedAttempts));
  EXPECT_GE(std::fabs(g_players[1].x - g_players[0].x), 80.0f);
  FortGroundCheck();  // and it starts to fall at once
  EXPECT_GT(g_players[1].fallSpeed, 0.0f);
}

TEST(FortPlacement, PlaceFortsBuildsTheLandscapeFirst) {
  TestSprites s;
  Players players(5);
  g_level = LevelParams();  // all ground: every fort is buried and falls
  platform::SeedRand(5);
  PlaceForts();
  EXPECT_TRUE(s.At(700, 10) != 0 && g_players[4].x >= 40);
}
