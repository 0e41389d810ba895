#include "screens/credits.h"

#include "audio/game_sounds.h"
#include "display/colour.h"
#include "display/display_state.h"
#include "display/frame_presenter.h"
#include "platform/version.h"
#include "screens/screen_text.h"
#include "sprites/panel.h"
#include "state/shared_state.h"

namespace {

constexpr ColorRef kTitle = Rgb(15, 255, 15);
constexpr ColorRef kContact = Rgb(159, 159, 255);
constexpr ColorRef kShadow = Rgb(15, 15, 15);

const CreditLine kLines[kCreditLines] = {
    {"", kTitle},
    {"BULWARK v" BULWARK_VERSION, kTitle},
    {"", kTitle},
    {"DEVELOPER OF THE GAME:", kTitle},
    {"THE BULWARK TEAM", kTitle},
    {"EVERY PICTURE, SOUND AND LEVEL", kContact},
    {"IS MADE BY THE GAME'S OWN CODE", kContact},
    {"", kTitle},
    {"PROGRAMMERS:", kTitle},
    {"THE PLATFORM AND FLOW CREW", kTitle},
    {"THE WORLD AND WEAPONS CREW", kTitle},
    {"", kTitle},
    {"ARTIST:", kTitle},
    {"THE PIXEL AND SOUND WORKSHOP", kTitle},
    {"", kTitle},
};

void DrawCredits() {
  const int w = g_config.screenWidth, h = g_config.screenHeight, band = h / 20;
  for (int i = 0; i < 20; ++i) {
    Rect r{0, i * band, w, (i + 1) * band};
    FillSurface(g_display.back, PackColor(31 - i, 10, i), &r);
  }
  Rect bottom{0, h - 20, w, h};
  FillSurface(g_display.back, PackColor(10, 10, 21), &bottom);
  DrawPanel(g_display.back, 0, 0, w - 30, h - 30);
  const int line = g_display.fontHeight;
  for (int i = 0; i < kCreditLines; ++i) {
    DrawShadowedCentered(w / 2, i * line + 20, kLines[i].text, kShadow, kLines[i].colour);
  }
}

}  // namespace

const CreditLine& Credit(int line) { return kLines[line]; }

void ShowCredits(FramePresenter& frame) {
  g_game.scene = Scene::kCredits;
  g_input.leftButton = 0;
  ClearLastKey();
  for (;;) {
    DrawCredits();
    frame.PresentFrame();
    if (g_input.lastKey != 0 || g_input.leftButton == 1) {
      g_input.lastKey = 0;
      g_input.leftButton = 0;
      PlaySoundEffect(18);
      g_game.scene = Scene::kTitle;
      return;
    }
  }
}
