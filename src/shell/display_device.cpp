// The display device of the main frame: set-up at start-up, the per-frame
// presentation and surface check, and the recovery of lost surfaces.
#include <string>

#include "audio/sound_system.h"
#include "display/colour.h"
#include "display/display_state.h"
#include "net/net_session.h"
#include "platform/clock.h"
#include "platform/game_clock.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "screens/quit_confirmation.h"
#include "shell/input_handlers.h"
#include "shell/main_frame.h"
#include "sprites/blit.h"
#include "sprites/panel.h"
#include "sprites/sprite_loader.h"
#include "state/shared_state.h"

namespace {

void Fail(const char* text) { platform::ShowMessage(text, kEmptyText); }

void ConfineCursor() {
  platform::ClipCursor(5, 5, g_config.screenWidth - 5, g_config.screenHeight - 5);
}

}  // namespace

// The warning shown when the 60 Hz mode is refused: 26 spaces, the error, and
// a line telling the user (in Russian) that the game needs a 60 Hz screen.
const std::string& RefreshWarningText() {
  static const std::string text = std::string(26, ' ') + "ERROR DIRECT X SetDisplayMode - set refresh\n" +
                                  "Для нормальной работы программы требуется установить частоту экрана-60Гц";
  return text;
}

void CMainFrame::InitDisplay() {
  platform::Sleep(10);
  if (!m_video) m_video = platform::CreateVideoForRun();
  if (!m_video->Create()) {
    Fail("ERROR DIRECT X DirectDrawCreate");
    m_video.reset();
    return;
  }
  g_display.device = m_video.get();
  platform::SetVideo(m_video.get());
  platform::Sleep(10);
  if (!m_video->SetCooperativeLevel()) {
    Fail("ERROR DIRECT X SetCooperativeLevel");
    return;
  }
  platform::Sleep(100);
  if (!m_video->SetDisplayMode(g_config.screenWidth, g_config.screenHeight, 60)) {
    if (!g_config.noRefreshWarning) platform::ShowMessage(RefreshWarningText(), kEmptyText);
    if (!m_video->SetDisplayMode(g_config.screenWidth, g_config.screenHeight, 0)) {
      Fail("ERROR DIRECT X SetDisplayMode");
      return;
    }
  }
  if (!m_video->CreatePrimary()) {
    Fail("ERROR DIRECT X DirectDrawCreate Surface su");
    return;
  }
  g_display.primary = m_video->Primary();
  g_display.back = m_video->GetBackBuffer();
  if (!g_display.back) {
    Fail("ERROR DIRECT X DirectDrawCreate Surface bc");
    return;
  }
  platform::ShowCursor(false);
  ConfineCursor();
  if (!m_video->StartTimer(1, 30)) platform::ShowMessage("No Timer", platform::AppName());
  if (!SoundSystem().SetPrimaryFormat(44100, 16, 2))
    platform::ShowMessage("error music FormatPrimaryBufer", platform::AppName());
}

void CMainFrame::FlipFrame() {
  if (NetLeaveAsked()) DrawLeaveQuestion();
  if (NetCatchingUp()) {
    // A spectator catching up plays unseen, under the loading picture.
    static int passes = 0;
    if (passes++ % 20 == 0) DrawCatchingUp(passes / 20);
    PassWithoutFlip();
    return;
  }
  if (NetBehind()) {
    PassWithoutFlip();
    return;
  }
  if (m_video) {
    if (!g_config.noVblankWait) m_video->WaitForVerticalBlank();
    m_video->Flip();
  }
  OnGameFrame();
}

void CMainFrame::PassWithoutFlip() {
  platform::PassWithoutPresenting();
  OnGameFrame();
}

void CMainFrame::CheckSurfaces() {
  if (!m_video) return;
  if (Surface* back = g_display.back; back && back->Lock()) {
    back->Unlock();
  } else {
    RecoverSurfaces();
  }
  if (Surface* primary = g_display.primary; primary && primary->Lock()) {
    primary->Unlock();
    return;
  }
  RecoverSurfaces();
}

void CMainFrame::RecoverSurfaces() {
  // Wait, retrying every 10 ms, for as long as the display cannot be had.
  do {
    platform::Sleep(10);
    m_video->ReleaseBack();
    g_display.back = nullptr;
    m_video->ReleasePrimary();
    g_display.primary = nullptr;
  } while (!m_video->CreatePrimary());
  g_display.primary = m_video->Primary();
  g_display.back = m_video->GetBackBuffer();
  if (!g_display.back) {
    Fail("ERROR DIRECT X DirectDrawCreate Surface bc");
    return;
  }
  // The display-memory canvases are rebuilt from the bank; the menu panel,
  // drawn into sprite 0, is drawn again.
  ReloadVideoSprites();
  ConfineCursor();
  platform::Sleep(100);
  DrawPanel(Sprite(0).surface.get(), 0, 0, 610, 450);
}

void CMainFrame::DetectPixelFormat() {
  if (!m_video || !g_display.back) return;
  const platform::PixelMasks m = m_video->GetPixelFormat();
  g_display.pixelLayout = LayoutFromMasks(m.red, m.green, m.blue, g_display.pixelLayout);
}
