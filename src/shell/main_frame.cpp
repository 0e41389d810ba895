#include "shell/main_frame.h"

#include "audio/music.h"
#include <string>

#include "net/net_session.h"
#include "platform/main_loop.h"
#include "platform/version.h"
#include "shell/game_thread.h"
#include "shell/input_handlers.h"
#include "shell/replay_session.h"
#include "shell/user_settings.h"
#include "shell/window_icon.h"
#include "state/shared_state.h"

namespace {
CMainFrame* g_frame = nullptr;
MainFrameInput g_input_sink;
}  // namespace

CMainFrame* CMainFrame::Instance() { return g_frame; }

CMainFrame::CMainFrame() {
  g_frame = this;
  // The window only carries the title, the icon and the messages; the picture
  // comes from the display set up by start-up loading.
  const NetRole role = GetNetRole();
  const char* mode = ReplayLoaded()                     ? " - REPLAY"
                     : role == NetRole::kHost           ? " - HOST"
                     : role == NetRole::kPlayer         ? " - ONLINE"
                     : role == NetRole::kSpectator      ? " - WATCHING"
                                                        : "";
  platform::CreateMainWindow(std::string("Bulwark ") + kGameVersion + mode);
  const WindowIcon& icon = GameWindowIcon();
  platform::SetMainWindowIcon(icon.pixels.data(), icon.size, icon.size);
  platform::SetInputSink(&g_input_sink);
  platform::SetFullscreenListener(
      [](bool fullscreen) { ChangeUserSettings([fullscreen](Settings& s) { s.fullscreen = fullscreen; }); });
  InitGame();
  StartGameThread();
}

CMainFrame::CMainFrame(std::unique_ptr<platform::Video> video) : m_video(std::move(video)) {}

CMainFrame::~CMainFrame() {
  if (m_thread) {
    m_thread->Join();
    delete m_thread;
  }
  if (g_frame == this) g_frame = nullptr;
}

void CMainFrame::StartGameThread() {
  m_thread = CThread::CreateSuspended();
  m_thread->SetFrame(this);
  g_framedInput = 1;  // from now on the game sees the input a frame at a time
  m_thread->ResumeThread();
}

void CMainFrame::Leave() {
  StopMusic();
  if (m_video) m_video->Release();
  platform::PostDestroyMainWindow();
}
