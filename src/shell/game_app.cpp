#include "shell/game_app.h"

#include "audio/music.h"
#include "audio/sound_system.h"
#include "platform/main_loop.h"
#include "platform/runtime.h"
#include "shell/main_frame.h"
#include "shell/replay_session.h"
#include "platform/script.h"
#include "shell/state_out.h"

bool CGameApp::InitInstance() {
  m_pMainWnd = new CMainFrame();
  platform::ShowMainWindow();
  return true;
}

int CGameApp::Run() {
  platform::RunMessageLoop();
  return 0;
}

int RunApplication() {
  // The first global object: the sound system opens the sound device before
  // any window exists, and lives until the program ends.
  SoundSystemLifetime soundSystem;
  // The tunes play through that device: made after it, gone before it.
  MusicLifetime music;
  // The summary is written however the run ends (leaving, closing, a signal).
  platform::SetExitHook([] {
    FinishRecordingAtExit();
    WriteStateOut();
  });
  platform::SetStateSnapshot(StateSummaryJson);
  CGameApp app;
  if (!app.InitInstance()) return 1;
  const int code = app.Run();
  // The game thread ends right after it asked for the window to go.
  delete app.m_pMainWnd;
  platform::RunExitHook();
  return code;
}
