// The rounds of a game: after each round's set-up, the frame loop in which
// every part of the game takes its step in a fixed order, until the round
// ends; then the results and the shop, until the players quit.
#include <vector>

#include "audio/music.h"
#include "audio/sound_system.h"
#include "platform/runtime.h"
#include "players/computer.h"
#include "players/human.h"
#include "players/turns.h"
#include "players/view.h"
#include "screens/final_standings.h"
#include "screens/quit_confirmation.h"
#include "screens/round_results.h"
#include "screens/round_scene.h"
#include "screens/screen_text.h"
#include "screens/weapon_shop.h"
#include "shell/main_frame.h"
#include "shell/replay_session.h"
#include "shell/round_aid_keys.h"
#include "shell/round_end.h"
#include "shell/round_log.h"
#include "shell/round_setup.h"
#include "shell/state_out.h"
#include "state/money_history.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/collisions.h"
#include "weapons/projectile_flight.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"
#include "world/fort.h"

namespace {

constexpr int kKeyEsc = 27;

// Passes of the frame loop per frame shown while fast-forwarding.
constexpr int kFastForwardPasses = 8;

// While Tab is held and no human is aiming (a computer's turn, or shells
// flying or settling after a shot), the round runs fast.
bool FastForwarding() {
  return g_input.tabHeld == 1 && (g_players[g_game.currentPlayer % kMaxPlayers].control == 1 || g_turn.turnOver == 1);
}

void DrawFastForwardMark() {
  constexpr const char* kMark = "x8";
  DrawShadowedLeft(g_config.screenWidth - TextWidth(kMark) - 8, 2, kMark, Rgb(15, 0, 0), Rgb(255, 255, 15));
}

// The standings close every game, but for the screens as designed.
void EndGame(CMainFrame& frame) {
  if (!platform::GetOptions().classic) ShowFinalStandings(frame);
}

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
  int hidden = 0;  // passes since the last one shown while fast-forwarding
  for (uint64_t& frames = RoundLog().back().frames;; ++frames) {
    const bool fast = FastForwarding();
    hidden = fast ? (hidden + 1) % kFastForwardPasses : 0;
    if (hidden == 0) {
      FlipFrame();
    } else {
      PassWithoutFlip();
    }
    ReadCursor();
    CheckSurfaces();
    RoundFrameSteps();
    if (fast) DrawFastForwardMark();
    RoundAidKeys();
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
    RoundLogEntry entry;
    entry.level = g_game.levelIndex;
    entry.scenery = g_game.scenerySet;
    RoundLog().push_back(entry);
    g_game.scene = Scene::kRound;
    const RoundEnd end = PlayRound();
    ReplayRoundEnd();
    RoundLog().back().ended = RoundEndName(end);
    RoundLog().back().standing = StandingForts();
    if (end == RoundEnd::kQuit) {
      // The question has stopped every sound; the shells' own channels are
      // given back too, or every quit would keep them until no effect plays.
      ReleaseChannelsAfterQuit();
      EndGame(*this);
      return;
    }
    ++g_game.roundsPlayed;
    ++g_game.gameRounds;
    RecordMoneyAfterRound();
    sounds.StopAllChannels();
    sounds.ReleaseAllChannels();
    StopMusic();
    RoundLog().back().resultsPlayers = PlayersSummaryJson();
    RoundLog().back().resultsProjectiles = ProjectilesInUse();
    ShowRoundResults(*this);
    // No shop after a game's last round.
    const bool last = g_game.roundsToPlay > 0 && g_game.gameRounds >= g_game.roundsToPlay;
    if (last || RunWeaponShop(*this) == 1) {
      EndGame(*this);
      return;
    }
  }
}
