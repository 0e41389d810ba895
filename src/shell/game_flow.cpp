// The body of the game thread.
#include "audio/game_sounds.h"
#include "display/colour.h"
#include "display/display_state.h"
#include "display/text.h"
#include "shell/main_frame.h"
#include "shell/shared_state.h"

void CMainFrame::RunGame() {
  g_game.effectsVolume = 10000;
  LoadGameSounds();
  const int w = g_config.screenWidth, h = g_config.screenHeight;
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
