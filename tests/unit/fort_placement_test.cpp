// Fort placement: every fort standing with its body free, the horizontal and
// straight-line distances for 2 to 5 players, the reset of the records, and
// the bounded search on landscapes with too little room or none at all.
#include <gtest/gtest.h>

#include <cmath>

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

void ExpectStanding(int i) {
  EXPECT_GE(FortFeetOnGround(Ix(i), Iy(i)), 2) << "player " << i;
  EXPECT_FALSE(FortBodyInGround(Ix(i), Iy(i))) << "player " << i;
}

// Hills: ground from a height that changes every 60 columns.
void Hills(TestSprites& s) {
  for (int x = 0; x < kWorldWidth; ++x) {
    const int top = 420 + static_cast<int>(120 * std::sin(x / 60 * 1.7));
    s.Ground(x, top, x + 1, kWorldHeight);
  }
}

}  // namespace

TEST(FortPlacement, FortsStandApartByTheRulesForTwoToFivePlayers) {
  TestSprites s;
  Hills(s);
  for (int n = 1; n <= 5; ++n) {
    for (uint32_t seed = 1; seed <= 25; ++seed) {
      Players players(n);
      g_players[4].damage = 99;
      g_players[4].x = 5;
      platform::SeedRand(seed * 7919);
      const PlacementReport report = PlaceFortsOnLandscape(n, GameRandom());
      for (int i = 0; i < n; ++i) {
        ASSERT_EQ(report.how[i], FortPlacement::kStanding) << n << " players, seed " << seed;
        ExpectStanding(i);
        EXPECT_GE(g_players[i].x, 40.0f);
        EXPECT_LE(g_players[i].x, 1415.0f);
        EXPECT_EQ(g_players[i].fallSpeed, 0.0f);
        for (int j = 0; j < i; ++j) {
          EXPECT_GE(std::fabs(g_players[i].x - g_players[j].x), 80.0f);
          EXPECT_GE(Distance(static_cast<int16_t>(Ix(i)), static_cast<int16_t>(Iy(i)), static_cast<int16_t>(Ix(j)),
                             static_cast<int16_t>(Iy(j))),
                    1000 / n)
              << n << " players, seed " << seed;
        }
      }
      for (int i = n; i < kMaxPlayers; ++i) {
        EXPECT_EQ(g_players[i].x, 0.0f);
        EXPECT_EQ(g_players[i].damage, 0);
      }
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
  int hit = 0, missed = 0;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    platform::SeedRand(seed);
    const int rx = platform::Rand(), ry = platform::Rand();
    const float x = 40 + static_cast<float>(rx * 1375) * (1.0f / 32767.0f);
    float y = 10 + static_cast<float>(ry * 680) * (1.0f / 32767.0f);
    while (static_cast<int>(y) + 49 < 600) y += 10;
    platform::SeedRand(seed);
    const PlacementReport report = PlaceFortsOnLandscape(1, GameRandom());
    ASSERT_EQ(report.how[0], FortPlacement::kStanding);
    if (static_cast<int>(y) <= 558) {
      ++hit;
      EXPECT_EQ(report.attempts[0], 1) << seed;
      EXPECT_EQ(g_players[0].x, x) << seed;
      EXPECT_EQ(g_players[0].y, y) << seed;
    } else {
      ++missed;
      EXPECT_GT(report.attempts[0], 1) << seed;
    }
    EXPECT_GE(Iy(0), 551);
    EXPECT_LE(Iy(0), 558);
  }
  EXPECT_GT(hit, 5);
  EXPECT_GT(missed, 5);
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
    ASSERT_NE(report.how[i], FortPlacement::kFalling) << i;
    ExpectStanding(i);
    crowded += report.how[i] == FortPlacement::kCrowded;
    for (int j = 0; j < i; ++j) EXPECT_GE(std::fabs(g_players[i].x - g_players[j].x), 80.0f);
  }
  EXPECT_GE(crowded, 1);
  for (int i = 0; i < 3; ++i) EXPECT_LE(report.attempts[i], kGameLimits.strictAttempts + kGameLimits.relaxedAttempts);

  // Ground for one fort only: two feet touch it from x = 41 to x = 119, so
  // the second fort cannot stand anywhere 80 pixels away from the first.
  TestSprites one;
  one.Ground(100, 500, 140, kWorldHeight);
  Players two(2);
  platform::SeedRand(77);
  report = PlaceFortsOnLandscape(2, GameRandom());
  EXPECT_EQ(report.how[0], FortPlacement::kStanding);
  EXPECT_EQ(report.how[1], FortPlacement::kFalling);
  EXPECT_EQ(report.attempts[1], kGameLimits.strictAttempts + kGameLimits.relaxedAttempts);
  EXPECT_GE(std::fabs(g_players[1].x - g_players[0].x), 80.0f);
  FortGroundCheck();  // and it starts to fall at once
  EXPECT_GT(g_players[1].fallSpeed, 0.0f);
}

TEST(FortPlacement, ALandscapeWithoutAnySpotEndsTheSearch) {
  // All-zero level: the whole world is ground, every body is buried.
  TestSprites s;
  Players players(5);
  g_level = LevelParams();
  platform::SeedRand(5);
  PlaceForts();  // builds the landscape first
  EXPECT_NE(s.At(700, 10), 0);
  PlacementReport report = PlaceFortsOnLandscape(5, GameRandom());
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(report.how[i], FortPlacement::kFalling);
    EXPECT_GE(g_players[i].y, 10.0f);
    for (int j = 0; j < i; ++j) EXPECT_GE(std::fabs(g_players[i].x - g_players[j].x), 80.0f);
  }

  // No ground at all: nothing to land on.
  TestSprites empty;
  Players one(1);
  report = PlaceFortsOnLandscape(1, GameRandom());
  EXPECT_EQ(report.how[0], FortPlacement::kFalling);

  // No players: only the reset.
  g_players[2].shieldCharges = 3;
  report = PlaceFortsOnLandscape(0, GameRandom());
  EXPECT_EQ(g_players[2].shieldCharges, 0);
  EXPECT_EQ(report.attempts[0], 0);
}
