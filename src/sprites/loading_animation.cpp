#include "sprites/loading_animation.h"

#include "display/colour.h"
#include "display/display_state.h"
#include "sprites/blit.h"
#include "state/shared_state.h"

void DrawLoadingAnimation() {
  if (g_game.landscapeBusy != 1) return;
  uint8_t phase = static_cast<uint8_t>(g_game.framePhase + 1);
  if (phase > 2) phase = 0;
  g_game.framePhase = phase;
  if (phase != 0) return;

  if (g_display.device) g_display.device->Flip();
  const uint16_t w = g_config.screenWidth, h = g_config.screenHeight;
  Rect all{0, 0, w, h};
  FillSurface(g_display.back, 0, &all);
  DrawSpriteOpaque(g_display.back, Sprite(g_game.loadingPicture), (w >> 1) - 50, (h >> 1) + 10);
  DrawSpriteOpaque(g_display.back, Sprite(437), (w >> 1) - 100, (h >> 1) - 100);

  int16_t picture = static_cast<int16_t>(g_game.loadingPicture + g_game.loadingStep);
  if (picture > 436) {
    picture = static_cast<int16_t>(picture - 1);
    g_game.loadingStep = -1;
  }
  if (picture < 426) {
    picture = static_cast<int16_t>(picture + 1);
    g_game.loadingStep = 1;
  }
  g_game.loadingPicture = picture;
}
