// The round's set-up, the passing of the turn, the game tick, the end of a
// round and the survivor bonus.
#include "players/turns.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "players_test_state.h"
#include "weapons/flight_programs.h"
#include "weapons/supply_drops.h"

namespace {

using players_test::PlayersTest;
using players_test::SetNextRand;

class Turns : public PlayersTest {
 protected:
  // Fort i at (100 + 200 i, 300).
  void PlaceForts(int n) {
    UsePlayers(n);
    for (int i = 0; i < n; ++i) {
      g_players[i].x = 100.0f + 200.0f * i;
      g_players[i].y = 300.0f;
    }
  }
  // Runs the turn change until the turn passes; the number of frames, or -1.
  static int FramesUntilTurnPasses(int limit = 200) {
    const int before = g_game.currentPlayer;
    for (int frame = 1; frame <= limit; ++frame) {
      TurnChange();
      if (g_turn.turnOver == 0) return frame;
    }
    return before == g_game.currentPlayer ? -1 : -2;
  }
};

TEST_F(Turns, RoundSetUpClearsTheTurn) {
  UsePlayers(3);
  g_input.lastKey = 27;
  g_phases = {1, 2, 3, 4, 5, 6, 460};
  g_game.framePhase = 2;
  g_game.targetMarked = 1;
  g_game.viewX = 300;
  g_game.viewTargetY = 200;
  g_game.currentWeapon = kGimlet;
  g_game.shotPower = 40;
  g_turn.turnOver = 1;
  g_turn.turnTimer = 3;
  g_game.settleCounter = 7;
  g_game.statusMessage = "BONUS";
  g_game.messageTimer = 9;
  g_aim = {1, 9, 3.0f, 5, 1.0f, 2.0f};
  g_drops[5].kind = kDropMoney;
  PutShell(17);
  WriteDirectMissileTarget(500, 600);

  PlayerRoundSetUp();

  EXPECT_EQ(g_input.lastKey, 0);
  const AnimationPhases phases;
  EXPECT_EQ(std::tie(g_phases.emblem, g_phases.powerGauge, g_phases.nextButton),
            std::tie(phases.emblem, phases.powerGauge, phases.nextButton));
  EXPECT_EQ(std::make_tuple(g_game.viewX, g_game.viewY, g_game.viewTargetX, g_game.viewTargetY),
            std::make_tuple(0, 0, int16_t{0}, int16_t{0}));
  EXPECT_EQ(std::make_tuple(g_game.framePhase.load(), g_game.targetMarked.load(), g_game.currentWeapon.load(),
                            g_game.shotPower.load()),
            std::make_tuple(uint8_t{0}, uint16_t{0}, uint16_t{kMissile}, uint16_t{0}));
  EXPECT_EQ(std::make_tuple(g_turn.turnOver, g_turn.turnTimer, g_game.settleCounter, g_game.messageTimer),
            std::make_tuple(uint16_t{0}, g_turn.turnLength, uint16_t{0}, 0));
  EXPECT_EQ(g_game.statusMessage, "");
  const AimState aim;
  EXPECT_EQ(std::tie(g_aim.aimed, g_aim.trialSpeed, g_aim.bestMiss, g_aim.bestSpeed, g_aim.aimVx, g_aim.aimVy),
            std::tie(aim.aimed, aim.trialSpeed, aim.bestMiss, aim.bestSpeed, aim.aimVx, aim.aimVy));
  EXPECT_EQ(g_drops[5].kind, kDropNone);
  EXPECT_EQ(ProjectilesInUse(), 0);
  EXPECT_EQ(ProgramStep(kDirectMissile, 1).a, 0.0f);  // the programs rebuilt
}

TEST_F(Turns, TheFirstPlayerIsAlwaysAPlayerOfTheGame) {
  struct Case {
    int players, draw, first;
  } cases[] = {{2, 0, 0}, {2, 16383, 0}, {2, 16384, 1}, {2, 32767, 1}, {3, 32767, 2}, {5, 32766, 4}, {5, 32767, 4}};
  for (const Case& c : cases) {
    UsePlayers(c.players);
    SetNextRand(c.draw);
    PlayerRoundSetUp();
    EXPECT_EQ(g_game.currentPlayer, c.first) << c.players << " players, draw " << c.draw;
  }
}

TEST_F(Turns, AnimationPhaseResetLeavesThePowerGauge) {
  g_phases = {40, 451, 99, 240, 350, 390, 460};
  g_game.framePhase = 1;
  AnimationPhaseReset();
  EXPECT_EQ(g_phases.powerGauge, 99);
  g_phases.powerGauge = 93;
  const AnimationPhases fresh;
  EXPECT_EQ(
      std::tie(g_phases.emblem, g_phases.computerBadge, g_phases.shield, g_phases.targetMarker, g_phases.buyButton,
               g_phases.nextButton),
      std::tie(fresh.emblem, fresh.computerBadge, fresh.shield, fresh.targetMarker, fresh.buyButton, fresh.nextButton));
  EXPECT_EQ(g_game.framePhase, 0);
}

TEST_F(Turns, TheTurnPasses49FramesAfterTheLastSlotIsFreed) {
  PlaceForts(3);
  g_turn.turnOver = 1;
  PutShell(0);
  PutShell(399);  // a fragment in the last slot keeps the turn too
  for (int frame = 0; frame < 300; ++frame) TurnChange();
  g_projectiles[0] = Projectile();
  for (int frame = 0; frame < 300; ++frame) TurnChange();
  EXPECT_EQ(g_game.currentPlayer, 0);
  EXPECT_EQ(g_game.settleCounter, 0);

  g_projectiles[399] = Projectile();
  TurnChange();  // the frame in which the last shell is seen gone
  EXPECT_EQ(g_game.settleCounter, kSettleFrames);
  for (int frame = 1; frame < 49; ++frame) TurnChange();
  EXPECT_EQ(g_game.currentPlayer, 0) << "passed early";
  TurnChange();
  EXPECT_EQ(g_game.currentPlayer, 1);
  EXPECT_EQ(g_game.settleCounter, 0);
  EXPECT_EQ(g_game.viewTargetX, 340);  // centred on the new fort
  EXPECT_EQ(g_game.viewTargetY, 320);
}

TEST_F(Turns, TheNewTurnStartsFreshAndOnlyAComputerChoosesItsWeapon) {
  for (uint16_t control : {0, 1}) {
    PlaceForts(2);
    g_players[1].control = control;
    g_players[1].stock[kGrenade] = 1;
    g_turn.turnOver = 1;
    g_turn.turnTimer = 0;
    g_game.targetMarked = 1;
    g_game.currentWeapon = kDirectMissile;
    g_aim.aimed = 1;
    SetNextRand(12 * 32767 / 45 + 1);  // a draw of 12: GRENADE
    EXPECT_EQ(FramesUntilTurnPasses(), 50);
    EXPECT_EQ(g_game.currentPlayer, 1);
    EXPECT_EQ(g_turn.turnTimer, 500);
    EXPECT_EQ(g_game.targetMarked, 0);
    EXPECT_EQ(g_aim.aimed, 0);
    EXPECT_EQ(g_game.currentWeapon, control == 1 ? kGrenade : kMissile) << "control " << control;
  }
}

TEST_F(Turns, DestroyedFortsAreSkippedAndTheSearchEndsWhenNoneStands) {
  struct Case {
    int players, current;
    std::vector<int> destroyed;
    int next;
  } cases[] = {
      {5, 0, {1, 2}, 3},
      {5, 3, {4, 0}, 1},
      {3, 1, {0, 2}, 1},        // the only standing fort gets the turn back
      {4, 2, {0, 1, 2, 3}, 2},  // none stands: one visit each, back at the same player
  };
  for (const Case& c : cases) {
    PlaceForts(c.players);
    for (int d : c.destroyed) g_players[d].destroyed = 1;
    g_game.currentPlayer = static_cast<uint16_t>(c.current);
    g_turn.turnOver = 1;
    EXPECT_EQ(FramesUntilTurnPasses(), 50);
    EXPECT_EQ(g_game.currentPlayer, c.next) << c.players << " players from " << c.current;
  }
}

TEST_F(Turns, TheTimerEndsOnlyATurnInWhichNoShotIsCharged) {
  for (uint16_t power : {0, 1, 100}) {
    g_turn.turnOver = 0;
    g_turn.turnTimer = 2;
    g_game.shotPower = power;
    GameTick();
    EXPECT_EQ(g_turn.turnOver, 0);
    GameTick();
    GameTick();  // the timer stays at 0
    EXPECT_EQ(g_turn.turnTimer, 0);
    EXPECT_EQ(g_turn.turnOver, power == 0 ? 1 : 0) << "power " << power;
  }
}

TEST_F(Turns, TheRoundAndMessageTimersRunOut) {
  g_game.roundTimer = 1;
  g_game.messageTimer = 2;
  g_game.statusMessage = "$500";
  GameTick();
  EXPECT_EQ(g_game.roundTimer, 0);
  EXPECT_EQ(g_game.statusMessage, "$500");
  GameTick();
  EXPECT_EQ(g_game.messageTimer, 0);
  EXPECT_EQ(g_game.statusMessage, "");
  GameTick();
  EXPECT_EQ(g_game.roundTimer, 0);
  EXPECT_EQ(g_game.messageTimer, 0);
}

TEST_F(Turns, EveryPhaseRunsItsCycle) {
  struct Case {
    uint16_t AnimationPhases::*phase;
    uint16_t first, last;
  } cases[] = {
      {&AnimationPhases::emblem, 37, 46},         {&AnimationPhases::computerBadge, 450, 454},
      {&AnimationPhases::powerGauge, 93, 102},    {&AnimationPhases::shield, 239, 248},
      {&AnimationPhases::targetMarker, 347, 356}, {&AnimationPhases::buyButton, 385, 404},
  };
  for (const Case& c : cases) {
    g_phases.Reset();
    ASSERT_EQ(g_phases.*c.phase, c.first);
    for (int tick = 1; tick <= c.last - c.first; ++tick) GameTick();
    EXPECT_EQ(g_phases.*c.phase, c.last);
    GameTick();
    EXPECT_EQ(g_phases.*c.phase, c.first);
  }
  // The next button rests at 455 until raised, then runs to 464 once.
  g_phases.Reset();
  GameTick();
  EXPECT_EQ(g_phases.nextButton, 455);
  g_phases.nextButton = 456;
  for (int tick = 0; tick < 8; ++tick) GameTick();
  EXPECT_EQ(g_phases.nextButton, 464);
  GameTick();
  EXPECT_EQ(g_phases.nextButton, 455);
  GameTick();
  EXPECT_EQ(g_phases.nextButton, 455);
}

TEST_F(Turns, TheFramePhaseRunsOneTickEveryThirdFrame) {
  g_game.roundTimer = 100;
  for (int frame = 1; frame <= 9; ++frame) {
    StepFramePhase();
    EXPECT_EQ(g_game.framePhase, frame % 3);
    EXPECT_EQ(g_game.roundTimer, 100 - frame / 3);
  }
}

TEST_F(Turns, TheRoundIsOverWithAtMostOneFortAndNoShell) {
  struct Case {
    int standing;
    bool shell, over;
  } cases[] = {{0, false, true}, {0, true, false},  {1, false, true},
               {1, true, false}, {2, false, false}, {2, true, false}};
  for (const Case& c : cases) {
    UsePlayers(4);
    for (int i = c.standing; i < 4; ++i) g_players[i].destroyed = 1;
    g_players[4].destroyed = 0;  // not in the game
    for (Projectile& p : g_projectiles) p = Projectile();
    if (c.shell) PutShell(250);
    EXPECT_EQ(RoundOverTest(), c.over) << c.standing << " standing, shell " << c.shell;
  }
}

TEST_F(Turns, EveryStandingFortEarnsTheSurvivorBonus) {
  UsePlayers(3);
  g_players[0].money = 100;
  g_players[1].destroyed = 1;
  g_players[2].roundsSurvived = 2;
  g_players[3].money = 7;  // not in the game
  SurvivorBonus();
  EXPECT_EQ(g_players[0].money, 100 + kSurvivorBonus);
  EXPECT_EQ(g_players[0].roundsSurvived, 1);
  EXPECT_EQ(g_players[1].money, 0);
  EXPECT_EQ(g_players[1].roundsSurvived, 0);
  EXPECT_EQ(g_players[2].money, 5000);
  EXPECT_EQ(g_players[2].roundsSurvived, 3);
  EXPECT_EQ(g_players[3].money, 7);
}

}  // namespace
