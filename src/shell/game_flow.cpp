// The body of the game thread.
#include "audio/game_sounds.h"
#include "display/colour.h"
#include "display/display_state.h"
#include "display/text.h"
#include "platform/clock.h"
#include "shell/main_frame.h"
#include "shell/shared_state.h"
#include "sprites/blit.h"
#include "sprites/panel.h"
#include "sprites/sprite_loader.h"

void CMainFrame::RunGame() {
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  // The start-up picture, centred on white, then the game's sprites.
  platform::Sleep(100);
  for (int i = 0; i < 2; ++i) {
    Rect all{0, 0, w, h};
    FillSurface(g_display.primary, PackColor(31, 31, 31), &all);
    const SpriteEntry& picture = Sprite(0);
    DrawSprite(g_display.back, picture, w / 2 - picture.width / 2, h / 2 - picture.height / 2);
    if (m_video) m_video->Flip();
  }
  platform::Sleep(100);
  g_game.effectsVolume = 10000;
  LoadGameSprites();
  LoadGameSounds();
  BuildPanelFill();

  for (;;) {
    PresentFrame();
    ReadCursor();
    Rect all{0, 0, w, h};
    FillSurface(g_display.back, PackColor(4, 6, 12), &all);
    DrawTextCentered(w / 2 + 1, h / 2 + 1, "BULWARK", Rgb(15, 0, 0));
    DrawTextCentered(w / 2, h / 2, "BULWARK", Rgb(255, 255, 255));
    if (g_input.lastKey == 27) break;
  }
  Leave();
}
