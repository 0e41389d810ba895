// The players' turns: the round's set-up, the passing of the turn, the game
// tick and its animation phases, the end of a round with the survivor bonus,
// the player records' resets, and the view.
#include "players/turns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "players/player_resets.h"
#include "players/view.h"
#include "players_test_state.h"
#include "shell/round_end.h"
#include "shell/round_setup.h"
#include "weapons/flight_programs.h"
#include "weapons/supply_drops.h"

namespace {

using players_test::PlayersTest;
using players_test::SetNextRand;

class Turns : public PlayersTest {
 protected:
  // n players, fort i at (100 + 200 i, 300).
  void PlaceForts(int n) {
    UsePlayers(n);
    for (int i = 0; i < n; ++i) std::tie(g_players[i].x, g_players[i].y) = std::make_tuple(100.0f + 200.0f * i, 300.0f);
  }
};

TEST_F(Turns, RoundSetUpClearsTheTurnAndDrawsAPlayerOfTheGame) {
  UsePlayers(3);
  g_input.lastKey = 27;
  g_phases = {40, 451, 99, 240, 350, 390, 460};
  g_game.currentWeapon = kGimlet;  // the turn's own values: one stands for all
  g_game.statusMessage = "BONUS";
  g_drops[5].kind = kDropMoney;
  PutShell(17);
  WriteDirectMissileTarget(500, 600);
  PlayerRoundSetUp();
  EXPECT_EQ(std::make_tuple(g_input.lastKey.load(), g_game.currentWeapon.load(), g_game.statusMessage, g_drops[5].kind,
                            ProjectilesInUse()),
            std::make_tuple(0, kMissile, std::string(), kDropNone, 0));
  EXPECT_EQ(std::make_tuple(g_phases.emblem, g_phases.powerGauge, g_phases.nextButton), std::make_tuple(37, 93, 455));
  EXPECT_EQ(ProgramStep(kDirectMissile, 1).a, 0.0f);  // the programs rebuilt

  // The first player: random x n / 32767, kept below n.
  const int firsts[][3] = {{2, 16383, 0}, {2, 16384, 1}, {5, 32766, 4}, {5, 32767, 4}};
  for (const auto& [players, draw, first] : firsts) {
    UsePlayers(players);
    SetNextRand(draw);
    PlayerRoundSetUp();
    EXPECT_EQ(g_game.currentPlayer, first) << players << " players, draw " << draw;
  }
}

TEST_F(Turns, AShellInTheLastSlotKeepsTheTurn) {
  PlaceForts(3);
  g_turn.turnOver = 1;
  PutShell(399);  // a fragment
  for (int frame = 0; frame < 300; ++frame) TurnChange();
  EXPECT_EQ(std::make_tuple(g_turn.turnOver, g_game.currentPlayer.load()), std::make_tuple(1, 0));
}

TEST_F(Turns, TheNextStandingFortGetsAFreshTurnAndOnlyAComputerChoosesItsWeapon) {
  struct { int players, current; std::vector<int> destroyed; uint16_t control; int next; } cases[] = {
      {2, 0, {}, 0, 1}, {2, 0, {}, 1, 1}, {5, 0, {1, 2}, 0, 3}, {5, 3, {4, 0}, 0, 1},
      {3, 1, {0, 2}, 0, 1},         // the only standing fort gets the turn back
      {4, 2, {0, 1, 2, 3}, 0, 2}};  // none stands: one visit each, back at the same player
  for (const auto& c : cases) {
    PlaceForts(c.players);
    for (int d : c.destroyed) g_players[d].destroyed = 1;
    g_players[c.next].control = c.control;
    g_players[c.next].stock[kGrenade] = 1;
    g_game.currentPlayer = static_cast<uint16_t>(c.current);
    g_turn.turnOver = 1;
    g_game.targetMarked = 1;
    g_game.currentWeapon = kDirectMissile;
    g_aim.aimed = 1;
    SetNextRand(12 * 32767 / 45 + 1);  // a draw of 12: GRENADE
    for (int frame = 1; frame < 50; ++frame) TurnChange();
    EXPECT_EQ(g_turn.turnOver, 1) << "passed early";
    TurnChange();  // the 50th frame; the view centred on the new fort
    EXPECT_EQ(std::make_tuple(g_game.currentPlayer.load(), g_turn.turnTimer, g_game.targetMarked.load(), g_aim.aimed,
                              g_game.currentWeapon.load(), g_game.settleCounter, g_game.viewTargetX, g_game.viewTargetY),
              std::make_tuple(c.next, 500, 0, 0, c.control == 1 ? kGrenade : kMissile, 0, 140 + 200 * c.next, 320))
        << c.players << " players from " << c.current << ", control " << c.control;
  }
}

TEST_F(Turns, TheGameTickRunsEveryThirdFrameAndStepsTimersAndPhases) {
  std::tie(g_game.roundTimer, g_game.messageTimer, g_game.statusMessage) = std::make_tuple(4, 2, "$500");
  for (int frame = 1; frame <= 18; ++frame) {
    StepFramePhase();
    EXPECT_EQ(g_game.framePhase, frame % 3);
    EXPECT_EQ(g_game.roundTimer, std::max(0, 4 - frame / 3));  // never below 0
    EXPECT_EQ(g_game.statusMessage, frame < 6 ? "$500" : "") << "frame " << frame;
  }
  // The turn timer ends only a turn in which no shot is being charged.
  for (uint16_t power : {0, 1}) {
    std::tie(g_turn.turnOver, g_turn.turnTimer, g_game.shotPower) = std::make_tuple(0, 2, power);
    GameTick();
    EXPECT_EQ(g_turn.turnOver, 0);
    GameTick();
    GameTick();  // the timer stays at 0
    EXPECT_EQ(std::make_tuple(g_turn.turnTimer, g_turn.turnOver), std::make_tuple(0, power == 0 ? 1 : 0)) << power;
  }
  // Each phase runs from its first picture to its last and starts again; the
  // next button rests at 455 until raised to 456, then runs to 464 once.
  const std::tuple<uint16_t AnimationPhases::*, int, int, int, int> cycles[] = {
      {&AnimationPhases::emblem, 37, 46, 37, 38},           {&AnimationPhases::computerBadge, 450, 454, 450, 451},
      {&AnimationPhases::powerGauge, 93, 102, 93, 94},      {&AnimationPhases::shield, 239, 248, 239, 240},
      {&AnimationPhases::targetMarker, 347, 356, 347, 348}, {&AnimationPhases::buyButton, 385, 404, 385, 386},
      {&AnimationPhases::nextButton, 456, 464, 455, 455},
  };
  for (const auto& [phase, first, last, back, then] : cycles) {
    g_phases.Reset();
    g_phases.*phase = static_cast<uint16_t>(first);
    for (int tick = first; tick < last; ++tick) GameTick();
    EXPECT_EQ(g_phases.*phase, last);
    GameTick();
    EXPECT_EQ(g_phases.*phase, back);
    GameTick();
    EXPECT_EQ(g_phases.*phase, then);
  }
}

TEST_F(Turns, TheRoundEndsAfterEveryFrameWonOutOfTimeOrNot) {
  struct { const char* what; int destroyed[3]; bool shell; uint16_t settle; int32_t timer; RoundEnd end; bool bonus; }
      cases[] = {
      {"one fort left, nothing flies", {0, 1, 1}, false, 0, 100, RoundEnd::kWon, true},
      {"the last two destroyed by one shot", {1, 1, 1}, false, 0, 100, RoundEnd::kWon, false},
      {"one fort left, a shell still flies", {0, 1, 1}, true, 0, 100, RoundEnd::kGoOn, false},
      {"one fort left, the turn still settles", {0, 1, 1}, false, 2, 100, RoundEnd::kGoOn, false},
      {"one fort left, settled to 1", {0, 1, 1}, false, 1, 100, RoundEnd::kWon, true},
      {"time out with one fort left", {0, 1, 1}, true, 0, 0, RoundEnd::kTime, false},
      {"won on the last tick: no bonus", {0, 1, 1}, false, 0, 0, RoundEnd::kWon, false},
      {"two forts stand", {0, 0, 1}, false, 0, 100, RoundEnd::kGoOn, false},
  };
  for (const auto& c : cases) {
    UsePlayers(3);  // players 3 and 4, out of the game, stand
    for (int i = 0; i < 3; ++i) g_players[i].destroyed = static_cast<int16_t>(c.destroyed[i]);
    std::tie(g_players[0].money, g_players[0].roundsSurvived) = std::make_tuple(100, 2);
    g_projectiles[250] = c.shell ? Projectile{.type = 1} : Projectile();
    g_game.settleCounter = c.settle;
    g_game.roundTimer = c.timer;
    EXPECT_EQ(RoundEndTest(), c.end) << c.what;
    EXPECT_EQ(std::make_tuple(g_players[0].money, g_players[0].roundsSurvived),
              std::make_tuple(c.bonus ? 5100 : 100, c.bonus ? 3 : 2)) << c.what;
    EXPECT_EQ(g_players[1].money + g_players[3].money + g_players[4].money, 0) << c.what;
  }
}

TEST_F(Turns, ProgramStartAndNewGameResetThePlayerRecords) {
  const int starting[kWeaponCount] = {10000, 0, 1, 0, 0, 0, 0, 1, 0, 10};
  for (bool newGame : {false, true}) {
    for (PlayerRecord& p : g_players) {
      p.name = "ALICE";
      p.control = 1;
      p.money = 12000;  // the round's and game's own values: a few stand for all
      p.destroyed = 1;
      p.colourIndex = 4;
      p.stock[kGimlet] = 7;
    }
    newGame ? NewGameReset() : ProgramStartReset();
    for (int i = 0; i < kMaxPlayers; ++i) {
      const PlayerRecord& p = g_players[i];
      // Names and controls stay for a new game.
      EXPECT_EQ(std::make_tuple(p.name, p.control, p.money, p.destroyed, p.colourIndex),
                std::make_tuple(newGame ? "ALICE" : "NONAME 0" + std::to_string(i + 1), newGame ? 1 : 0, 0, 0, i));
      for (int w = 0; w < kWeaponCount; ++w)
        EXPECT_EQ(p.stock[w], newGame ? starting[w] : w == kMissile ? kUnlimitedStock : 0) << w;
    }
  }
}

using View = PlayersTest;

TEST_F(View, TheOriginEasesTowardsTheTargetAndRestsInsideTheWorld) {
  std::tie(g_config.screenWidth, g_config.screenHeight) = std::make_tuple(640, 480);
  // Centre (320, 240): steps of (680 + 19) / 20 and (10 + 19) / 20.
  std::tie(g_game.viewTargetX, g_game.viewTargetY) = std::make_tuple(1000, 250);
  ViewFollowing();
  EXPECT_EQ(std::make_tuple(g_game.viewX, g_game.viewY), std::make_tuple(34, 1));
  const int cases[][4] = {{320, 240, -500, -500}, {640, 480, 0, 767}, {800, 600, 1535, 0}, {1024, 768, 768, 384}};
  for (const auto& [w, h, targetX, targetY] : cases) {
    std::tie(g_config.screenWidth, g_config.screenHeight) = std::make_tuple(w, h);
    std::tie(g_game.viewX, g_game.viewY, g_game.viewTargetX, g_game.viewTargetY) =
        std::make_tuple(700 - w / 2, 0, targetX, targetY);
    for (int frame = 0; frame < 400; ++frame) ViewFollowing();
    EXPECT_TRUE(g_game.viewX >= 0 && g_game.viewX <= 1536 - w && g_game.viewY >= 0 && g_game.viewY <= 768 - h);
    // At rest: the target in the centre, or pulled back to it at a border.
    EXPECT_EQ(std::make_tuple(g_game.viewTargetX - g_game.viewX, g_game.viewTargetY - g_game.viewY),
              std::make_tuple(w / 2, h / 2)) << w << " x " << h;
  }
}

TEST_F(View, TheLastShellInFlightIsFollowed) {
  g_game.viewTargetX = 10;
  ProjectileFollowing();
  EXPECT_EQ(g_game.viewTargetX, 10);
  PutShell(3, 100.9f, 200.5f);
  PutShell(250, 700.7f, -3.9f);
  PutShell(40, 900, 300);
  ProjectileFollowing();
  EXPECT_EQ(std::make_tuple(g_game.viewTargetX, g_game.viewTargetY), std::make_tuple(700, -3));
}

TEST_F(View, EdgeScrollingBuildsUpAndDiesAwayInTwoFramesEach) {
  std::tie(g_config.screenWidth, g_config.screenHeight) = std::make_tuple(640, 480);
  const int cases[][4] = {{5, 200, -8, 0}, {0, 479, -8, 8}, {634, 6, 8, 0},  // the pointer, the speeds
                          {633, 473, 0, 0}, {6, 474, 0, 8}, {300, 0, 0, -8}};
  const int built[] = {1, 2, 2, 2, 1, 0};  // four frames at the edge, two away from it
  for (const auto& [x, y, speedX, speedY] : cases) {
    std::tie(g_turn.edgeScrollX, g_turn.edgeScrollY, g_input.cursorX, g_input.cursorY) = std::make_tuple(0, 0, x, y);
    g_game.viewTargetX = g_game.viewTargetY = 300;
    for (int frame = 0; frame < 6; ++frame) {
      if (frame == 4) g_input.cursorX = g_input.cursorY = 200;
      EdgeScrolling();
      EXPECT_EQ(std::make_tuple(g_turn.edgeScrollX, g_turn.edgeScrollY),
                std::make_tuple(speedX * built[frame], speedY * built[frame])) << x << ", " << y << " frame " << frame;
    }
    EXPECT_EQ(std::make_tuple(g_game.viewTargetX, g_game.viewTargetY), std::make_tuple(300 + 8 * speedX, 300 + 8 * speedY));
  }
}

}  // namespace
