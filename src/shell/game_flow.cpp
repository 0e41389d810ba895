// The body of the game thread: the start-up picture, loading the game's data,
// the wait for the user, and the title menu, from which the user starts a
// game, looks at the credits or leaves.
#include <vector>

#include "audio/game_sounds.h"
#include "audio/music.h"
#include "display/colour.h"
#include "display/display_state.h"
#include "net/net_session.h"
#include "platform/clock.h"
#include "platform/main_loop.h"
#include "platform/random.h"
#include "platform/runtime.h"
#include "players/player_resets.h"
#include "screens/credits.h"
#include "screens/options_screen.h"
#include "screens/title_menu.h"
#include "screens/title_overlay.h"
#include "shell/input_handlers.h"
#include "shell/main_frame.h"
#include "shell/replay_session.h"
#include "shell/saved_players.h"
#include "shell/user_settings.h"
#include "sprites/blit.h"
#include "sprites/panel.h"
#include "sprites/sprite_loader.h"
#include "state/frame_record.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "world/level_file.h"

namespace {

constexpr int kKeyEsc = 27;
constexpr int kKeySpace = 32;

// Keeps the settings the options screen changed and puts them to work: the
// volumes at once, the switch to fullscreen or a window at once, the display
// mode at the next start.
void ApplyOptions(const Settings& changed) {
  ChangeUserSettings([&changed](Settings& s) {
    s.effectsVolume = changed.effectsVolume;
    s.musicVolume = changed.musicVolume;
    s.fullscreen = changed.fullscreen;
    s.displayMode = changed.displayMode;
  });
  g_game.effectsVolume = EffectsVolumeForPercent(changed.effectsVolume);
  SetMusicVolume(changed.musicVolume);
  platform::SetFullscreen(changed.fullscreen);
}

// What the title menu's frame loop ends with.
enum class TitleChoice { kStartGame, kLeave };

// The start-up bank's picture centred on white, shown while the game's data loads.
void ShowStartupPicture(platform::Video* video) {
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  platform::Sleep(100);
  for (int i = 0; i < 2; ++i) {
    Rect all{0, 0, w, h};
    FillSurface(g_display.primary, PackColor(31, 31, 31), &all);
    const SpriteEntry& picture = Sprite(0);
    DrawSprite(g_display.back, picture, w / 2 - picture.width / 2, h / 2 - picture.height / 2);
    if (video) video->Flip();
  }
  platform::Sleep(100);
}

// "PRESS ANY KEY" straight onto the visible surface (not at 320 x 240).
void ShowPrompt() {
  if (g_config.displayOption == 0) return;
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  const SpriteEntry& prompt = Sprite(466);
  DrawSprite(g_display.primary, prompt, w / 2 - prompt.width / 2, (h / 5) * 4 - prompt.height / 2);
}

// Waits for any key or a left click, and consumes it. No frames are shown
// meanwhile: the input is taken after every sleep.
void WaitForUser() {
  ClearLastKey();
  g_input.leftButton = 0;
  while (g_input.leftButton == 0 && g_input.lastKey == 0) {
    platform::Sleep(10);
    NetService();
    TakeLiveInput(false);
  }
  g_input.lastKey = 0;
  g_input.leftButton = 0;
}

}  // namespace

void CMainFrame::RunGame() {
  ShowStartupPicture(m_video.get());
  const Settings settings = UserSettings();
  g_game.effectsVolume = EffectsVolumeForPercent(settings.effectsVolume);
  SetMusicVolume(settings.musicVolume);
  LoadGameSprites();
  LoadGameSounds();
  LoadLevelTable();
  BuildPanelFill();
  ProgramStartReset();
  g_game.roundsToPlay = platform::GetOptions().rounds;
  if (!ReplayLoaded()) RestoreSavedNamesAndControls();
  SetNetReplaySource(RecordingSoFar);
  SetNetHandOverHook(RecordHandOver);
  if (ReplayLoaded()) {
    PlayRecordedGame();
  } else if (const int computers = platform::GetOptions().autoplay; computers > 0) {
    PlayComputerGame(computers);
  } else {
    ShowPrompt();
    WaitForUser();
    if (GetNetRole() == NetRole::kPlayer || GetNetRole() == NetRole::kSpectator) PlayJoinedGame();
    while (TitleMenu()) StartGame();
  }
  NetClose();
  Leave();
}

void CMainFrame::PlayComputerGame(int computers) {
  g_game.autoplay = true;
  NewGameReset();
  g_game.numberOfPlayers = static_cast<uint16_t>(computers);
  const std::vector<int>& levels = platform::GetOptions().levels;
  for (int i = 0; i < computers && i < kMaxPlayers; ++i) {
    g_players[i].control = 1;
    g_players[i].strength = static_cast<int16_t>(i < static_cast<int>(levels.size()) ? levels[i] : kStrengthNormal);
  }
  PlayRounds();
}

void CMainFrame::PlayRecordedGame() {
  NewGameReset();
  BeginPlayback();
  PlayRounds();
  EndPlayback();
}

bool CMainFrame::TitleMenu() {
  StopMusic();
  PlayTune("begin.mid");
  g_game.scene = Scene::kTitle;
  g_game.titleMenuItem = kTitleNone;
  for (;;) {
    PresentFrame();
    StretchSurface(g_display.back, MutableSprite(384).surface.get());
    ReadCursor();
    DrawTitleOverlay();
    platform::Rand();  // one number a frame: later draws depend on the time spent here
    if (g_input.leftButton == 1) {
      if (g_game.titleMenuItem != kTitleNone) PlaySoundEffect(18);
      if (g_game.titleMenuItem == kTitlePlay) return true;
      if (g_game.titleMenuItem == kTitleCredits) ShowCredits(*this);
      if (g_game.titleMenuItem == kTitleOptions) ShowOptions(*this, UserSettings(), ApplyOptions);
      if (g_input.leftButton == 1 && g_game.titleMenuItem == kTitleExit) return false;
    }
    if (g_input.lastKey == kKeyEsc) return false;
    if (g_input.lastKey == kKeySpace) return true;
  }
}

void CMainFrame::StartGame() {
  ClearLastKey();
  NewGameReset();
  if (MainMenu() != 0) {
    SaveGamePlayers();
    BeginRecording();
    if (GetNetRole() == NetRole::kHost) {
      NetBeginGame(RecordingSoFar());
      const bool whole = PlayOnlineRounds();
      EndRecording();
      // A scripted host's run ends with its online game.
      if (platform::GetOptions().headless) {
        NetClose();
        platform::Terminate(whole ? 0 : 1);
      }
    } else {
      PlayRounds();
    }
    EndRecording();
    g_input.lastKey = 0;
  }
}
