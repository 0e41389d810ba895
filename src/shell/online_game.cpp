// Online play's part of the game's flow: a joined machine's lobby and game,
// and the rounds of an online game, which a machine leaving, the host
// leaving or the machines going out of sync end early.
#include "audio/music.h"
#include "audio/sound_system.h"
#include "net/net_session.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "players/player_resets.h"
#include "shell/main_frame.h"
#include "shell/replay_session.h"
#include "state/shared_state.h"

bool CMainFrame::PlayOnlineRounds() {
  try {
    PlayRounds();
    NetEndGame();
    return true;
  } catch (const NetGameOver& over) {
    SoundSystem().StopAllChannels();
    SoundSystem().ReleaseAllChannels();
    StopMusic();
    EndRecording();  // the replay as far as it went, where the cause can be found
    if (!over.message.empty()) platform::ShowMessage(over.message, kEmptyText);
    return !over.outOfSync && over.message.empty();
  }
}

void CMainFrame::PlayJoinedGame() {
  Replay start;
  bool whole = false;
  if (GuestLobby(&start)) {
    NewGameReset();
    SetUpRecordedGame(start.header, false);
    BeginRecording(&start.header);
    whole = PlayOnlineRounds();
    EndRecording();
  }
  NetClose();
  g_input.lastKey = 0;
  // A scripted joined machine's run ends with its game.
  if (platform::GetOptions().headless) platform::Terminate(whole ? 0 : 1);
}
