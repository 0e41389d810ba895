#include "screens/quit_confirmation.h"

#include "audio/game_sounds.h"
#include "audio/sound_system.h"
#include "display/colour.h"
#include "display/display_state.h"
#include "display/frame_presenter.h"
#include "display/text.h"
#include "screens/round_scene.h"
#include "screens/screen_text.h"
#include "sprites/blit.h"
#include "sprites/panel.h"
#include "state/shared_state.h"

namespace {

constexpr int kKeyY = 89, kKeyN = 78;
constexpr const char* kQuestion = "ARE YOU SURE (Yes/No) ?";

// A question on a panel in the middle of the back surface.
void DrawQuestionPanel(const char* question) {
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  DrawPanel(g_display.back, w / 4 - 15, h / 2 - 30, w / 2, static_cast<int>(g_display.fontHeight * 1.5));
  DrawShadowedCentered(w / 2, h / 2 - 10, question, Rgb(15, 15, 15), Rgb(255, 15, 255));
}

void DrawQuestion(int mode) {
  if (mode == kQuitFromRound) {
    DrawRoundScene();
  } else {
    FillSurface(g_display.back, PackColor(10, 0, 10), nullptr);
  }
  DrawQuestionPanel(kQuestion);
}

}  // namespace

int QuitConfirmation(FramePresenter& frame, int mode) {
  const Scene previous = g_game.scene;
  g_game.scene = Scene::kQuitQuestion;
  g_input.leftButton = 0;
  ClearLastKey();
  SoundSystem().StopAllChannels();
  PlaySoundEffect(18);
  int key = 0;
  while (key != kKeyY && key != kKeyN) {
    ReadCursor();
    DrawQuestion(mode);
    frame.PresentFrame();
    key = g_input.lastKey;
  }
  PlaySoundEffect(18);
  g_input.lastKey = 0;
  g_game.scene = previous;
  return key == kKeyY ? 1 : 0;
}

void ReleaseChannelsAfterQuit() { SoundSystem().ReleaseAllChannelsBut(g_game.soundChannel); }

void DrawLeaveQuestion() { DrawQuestionPanel("LEAVE THE GAME? (Yes/No)"); }

void DrawCatchingUp(int step) {
  constexpr int kFirst = 426, kLast = 436, kBanner = 437;
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  const int span = kLast - kFirst, along = step % (2 * span);
  const int picture = kFirst + (along <= span ? along : 2 * span - along);
  Rect all{0, 0, w, h};
  FillSurface(g_display.primary, 0, &all);
  DrawSpriteOpaque(g_display.primary, Sprite(picture), (w >> 1) - 50, (h >> 1) + 10);
  DrawSpriteOpaque(g_display.primary, Sprite(kBanner), (w >> 1) - 100, (h >> 1) - 100);
}
