#include "players/turns.h"

#include "platform/random.h"
#include "players/computer.h"
#include "players/current_player.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "state/weapon_index.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"
#include "world/fort.h"

namespace {

// A phase runs from its first picture to its last and starts again.
struct PhaseCycle {
  uint16_t AnimationPhases::*phase;
  uint16_t first, last;
};

// In the order the game tick steps them.
constexpr PhaseCycle kCycles[] = {
    {&AnimationPhases::computerBadge, 450, 454}, {&AnimationPhases::emblem, 37, 46},
    {&AnimationPhases::powerGauge, 93, 102},     {&AnimationPhases::shield, 239, 248},
    {&AnimationPhases::targetMarker, 347, 356},  {&AnimationPhases::buyButton, 385, 404},
};
constexpr uint16_t kNextButtonRest = 455, kNextButtonLast = 464;

// A random player index: random x n / 32767, and since 32767 gives n itself,
// kept within 0..n-1.
int RandomPlayer(int n) {
  const int i = platform::Rand() * n / platform::kRandMax;
  return i < n ? i : (n > 0 ? n - 1 : 0);
}

// The turn's own values back to a fresh turn (the first of a round included).
void ResetTurnValues() {
  g_turn.turnTimer = g_turn.turnLength;
  g_turn.turnOver = 0;
  g_game.targetMarked = 0;
  g_game.currentWeapon = kMissile;
  g_aim.Reset();
}

// The next player in order, skipping destroyed forts, each player visited at
// most once (with no fort standing it comes back to the same player).
void PassTurn() {
  const int n = FortCount();
  int current = g_game.currentPlayer;
  for (int visit = 0; visit < n; ++visit) {
    if (++current >= n) current = 0;
    g_game.currentPlayer = static_cast<uint16_t>(current);
    CentreViewOnCurrentFort();
    if (g_players[current].destroyed != 1) break;
  }
}

}  // namespace

void PlayerRoundSetUp() {
  ClearLastKey();

  g_phases.powerGauge = AnimationPhases().powerGauge;
  g_game.viewX = g_game.viewY = 0;
  g_game.viewTargetX = g_game.viewTargetY = 0;
  g_game.shotPower = 0;
  g_game.settleCounter = 0;
  g_game.statusMessage = kEmptyText;
  g_game.messageTimer = 0;
  ResetTurnValues();
  ClearSupplyDrops();

  g_game.currentPlayer = static_cast<uint16_t>(RandomPlayer(FortCount()));

  AnimationPhaseReset();
  ResetProjectiles();
}

void AnimationPhaseReset() {
  const uint16_t gauge = g_phases.powerGauge;
  g_phases.Reset();
  g_phases.powerGauge = gauge;
  g_game.framePhase = 0;
}

void TurnChange() {
  if (g_turn.turnOver != 1) return;
  if (g_game.settleCounter == 0) {
    if (ProjectilesInUse() == 0) g_game.settleCounter = kSettleFrames;
  } else {
    --g_game.settleCounter;
  }
  if (g_game.settleCounter != 1) return;

  g_game.settleCounter = 0;
  PassTurn();
  ResetTurnValues();
  if (CurrentPlayerRecord().control == 1) ComputerWeaponChoice();
}

void GameTick() {
  if (g_phases.nextButton > kNextButtonRest && ++g_phases.nextButton > kNextButtonLast)
    g_phases.nextButton = kNextButtonRest;
  for (const PhaseCycle& c : kCycles) {
    uint16_t& phase = g_phases.*c.phase;
    if (++phase > c.last) phase = c.first;
  }

  if (g_turn.turnTimer != 0) --g_turn.turnTimer;
  if (g_turn.turnTimer == 0 && g_game.shotPower == 0) g_turn.turnOver = 1;

  if (g_game.roundTimer > 0) --g_game.roundTimer;

  if (g_game.messageTimer > 0) --g_game.messageTimer;
  if (g_game.messageTimer == 0) g_game.statusMessage = kEmptyText;
}

void StepFramePhase() {
  g_game.framePhase = static_cast<uint8_t>(g_game.framePhase + 1);
  if (g_game.framePhase > 2) {
    g_game.framePhase = 0;
    GameTick();
  }
}

bool RoundOverTest() {
  int standing = 0;
  for (int i = 0; i < FortCount(); ++i) standing += g_players[i].destroyed == 0;
  if (standing > 1) return false;
  return ProjectilesInUse() == 0;
}

void SurvivorBonus() {
  for (int i = 0; i < FortCount(); ++i) {
    PlayerRecord& p = g_players[i];
    if (p.destroyed != 0) continue;
    p.money += kSurvivorBonus;
    p.ledger.bonus += kSurvivorBonus;
    p.roundsSurvived += 1;
  }
}
