// The rounds of a game: after each round's set-up, the frame loop in which
// every part of the game takes its step in a fixed order, until the round
// ends; then the results and the shop, until the players quit.
#include <vector>

#include "audio/music.h"
#include "audio/sound_system.h"
#include "players/computer.h"
#include "players/human.h"
#include "players/player_record.h"
#include "players/turns.h"
#include "players/view.h"
#include "screens/quit_confirmation.h"
#include "screens/round_results.h"
#include "screens/round_scene.h"
#include "screens/weapon_shop.h"
#include "shell/main_frame.h"
#include "shell/round_end.h"
#include "shell/round_log.h"
#include "shell/round_setup.h"
#include "shell/shared_state.h"
#include "weapons/collisions.h"
#include "weapons/projectile_flight.h"
#include "weapons/supply_drops.h"
#include "world/fort.h"

namespace {

constexpr int kKeyEsc = 27;

std::vector<int> StandingForts() {
  std::vector<int> standing;
  for (int i = 0; i < FortCount(); ++i)
    if (g_players[i].destroyed == 0) standing.push_back(i);
  return standing;
}

}  // namespace

void RoundFrameSteps() {
  DrawRoundScene();
  DestroyedFortCheck();
  if (g_players[g_game.currentPlayer % kMaxPlayers].control == 0)
    HumanTurnStep();
  else
    ComputerTurnStep();
  ViewFollowing();
  TurnChange();
  FortGroundCheck();
  FortFall();
  EdgeScrolling();
  ProjectileFollowing();
  SpawnSupplyDrop();
  SupplyDropFall();
  ProjectileCollisions();
  ProjectileFlight();
  StepFramePhase();
}

RoundEnd CMainFrame::PlayRound() {
  for (uint64_t& frames = RoundLog().back().frames;; ++frames) {
    FlipFrame();
    ReadCursor();
    CheckSurfaces();
    RoundFrameSteps();
    if (const RoundEnd end = RoundEndTest(); end != RoundEnd::kGoOn) {
      ++frames;
      return end;
    }
    if (g_input.lastKey == kKeyEsc && QuitConfirmation(*this, kQuitFromRound) == 1) {
      ++frames;
      return RoundEnd::kQuit;
    }
  }
}

void CMainFrame::PlayRounds() {
  CSoundSystem& sounds = SoundSystem();
  for (;;) {
    RoundSetUp();
    RoundLog().push_back(RoundLogEntry{g_game.levelIndex, g_game.scenerySet, 0, "", {}});
    g_game.scene = Scene::kRound;
    const RoundEnd end = PlayRound();
    RoundLog().back().ended = RoundEndName(end);
    RoundLog().back().standing = StandingForts();
    if (end == RoundEnd::kQuit) {
      // The question has stopped every sound; the shells' own channels are
      // given back too, or every quit would keep them until no effect plays.
      sounds.ReleaseAllChannels();
      return;
    }
    ++g_game.roundsPlayed;
    sounds.StopAllChannels();
    sounds.ReleaseAllChannels();
    StopMusic();
    ShowRoundResults(*this);
    if (RunWeaponShop(*this) == 1) return;
  }
}
