#include "screens/title_menu.h"

#include "audio/game_sounds.h"
#include "display/display_state.h"
#include "screens/aids.h"
#include "sprites/blit.h"
#include "sprites/pointer.h"
#include "state/shared_state.h"

namespace {

constexpr int kItemWidth = 160, kItemHeight = 36;

// The fourth item has no room under the others on the smallest screen.
bool OptionsBesideTheOthers() { return g_config.screenHeight / 3 + 50 * kTitleOptions + kItemHeight > g_config.screenHeight; }

}  // namespace

int TitleItemX(int item) {
  if (item == kTitleOptions && OptionsBesideTheOthers()) return g_config.screenWidth - kItemWidth - 4;
  return g_config.screenWidth / 10;
}

int TitleItemY(int item) {
  if (item == kTitleOptions && OptionsBesideTheOthers()) return 4;
  return g_config.screenHeight / 3 + 50 * item;
}

void DrawTitleMenu() {
  bool touched = false;
  // The screens as designed (--classic) have no OPTIONS item.
  const int last = AidsShown() ? kTitleOptions : kTitleExit;
  for (int i = kTitlePlay; i <= last; ++i) {
    const SpriteEntry& picture = Sprite(i == kTitleOptions ? 467 : 446 + i);
    const int x = TitleItemX(i), y = TitleItemY(i);
    if (PointerTouches(picture, x, y)) {
      if (g_game.titleMenuItem != i) PlaySoundEffect(17);
      g_game.titleMenuItem = static_cast<uint16_t>(i);
      touched = true;
      DrawSprite(g_display.back, picture, x + 10, y + 10);
      DrawSprite(g_display.back, picture, x + 5, y + 5);
    }
    DrawSprite(g_display.back, picture, x, y);
  }
  if (!touched) g_game.titleMenuItem = kTitleNone;
}
