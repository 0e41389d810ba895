// CMainFrame: the game's main window. Its constructor does all of start-up
// (window, icons, configuration, display, pixel layout, font, sprite table,
// start-up sprite bank) and starts the game thread; most of the game's named
// procedures are its members. It owns the display device and the sprite table.
//
// Threads: constructed on the main thread; RunGame and the per-frame members
// run on the game thread.
#pragma once

#include <memory>

#include "display/frame_presenter.h"
#include "platform/video.h"
#include "shell/round_end.h"
#include "state/player_record.h"
#include "state/replay_file.h"
#include "sprites/sprite_table.h"

class CThread;

class CMainFrame final : public FramePresenter {
 public:
  CMainFrame();
  // A frame around a given display device that does no start-up (for tests
  // and tools); InitDisplay then sets up that device.
  explicit CMainFrame(std::unique_ptr<platform::Video> video);
  ~CMainFrame();
  CMainFrame(const CMainFrame&) = delete;
  CMainFrame& operator=(const CMainFrame&) = delete;

  // Start-up loading, in its order; and the configuration file.
  void InitGame();
  void ReadConfig();

  // The display: set-up, the per-frame surface check, the pixel layout.
  void InitDisplay();
  void CheckSurfaces() override;
  void DetectPixelFormat();
  // One frame's presentation (PresentFrame) is FlipFrame, then CheckSurfaces;
  // loops that read the mouse between call the two halves.
  void FlipFrame() override;
  // A pass that is not shown (fast-forward): the game's clock and the input
  // move on as at a flip.
  void PassWithoutFlip();

  // The body of the game thread.
  void RunGame();
  // The title menu's frame loop: true to start a game, false to leave.
  bool TitleMenu();
  // A new game from the title menu.
  void StartGame();
  // A game of computer players only, straight from start-up (--autoplay).
  void PlayComputerGame(int computers);
  // The game of a replay, straight from start-up (--replay).
  void PlayRecordedGame();
  // Online play on a joined machine: the host's lobby, then its game; and
  // the rounds of an online game on any machine (false when it ended early:
  // a machine left or they went out of sync).
  void PlayJoinedGame();
  bool GuestLobby(Replay* start);
  void DrawGuestLobby(const PlayerRecord& self);
  bool PlayOnlineRounds();
  // The players' set-up: 1 to play, 0 back to the title (Esc); and one frame
  // of it, drawn into the back surface with its clicks handled.
  int MainMenu();
  void DrawMainMenu();
  // The rounds of one game, until the players quit; and the frame loop of
  // one round, which tells how it ended.
  void PlayRounds();
  RoundEnd PlayRound();

  // Leaves the program: music stopped, display released, window destroyed.
  void Leave();

  SpriteTable* m_sprites = nullptr;

  // The frame created at start-up (null before and in unit tests).
  static CMainFrame* Instance();

 private:
  void RecoverSurfaces();
  void StartGameThread();

  std::unique_ptr<platform::Video> m_video;
  CThread* m_thread = nullptr;
};
