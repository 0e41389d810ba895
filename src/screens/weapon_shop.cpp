#include "screens/weapon_shop.h"

#include "audio/game_sounds.h"
#include "audio/music.h"
#include "display/frame_presenter.h"
#include "players/current_player.h"
#include "players/turns.h"
#include "screens/quit_confirmation.h"
#include "screens/shop_computer.h"
#include "screens/shop_layout.h"
#include "sprites/blit.h"
#include "sprites/pointer.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/weapon_table.h"
#include "world/fort.h"

namespace {

constexpr int kKeyEsc = 27;
constexpr uint16_t kNextButtonResting = 455;

// A click: the left button is down and the pointer probe touches the sprite
// drawn at place.
bool Clicked(int sprite, ScreenPoint place) {
  return g_input.leftButton == 1 && PointerTouches(Sprite(sprite), place.x, place.y);
}

}  // namespace

void HumanShopStep(ShopState& shop) {
  for (int i = 1; i <= kShopSlots; ++i) {
    if (Clicked(kSlotSprite, ShopSlotPosition(i))) {
      shop.selectedWeapon = static_cast<uint16_t>(i);
      g_input.leftButton = 0;
      PlaySoundEffect(kShopClickSound);
    }
  }
  PlayerRecord& customer = CurrentPlayerRecord();
  if (customer.money >= WeaponPrice(shop.selectedWeapon) && Clicked(g_phases.buyButton, BuyButtonPosition())) {
    BuyWeapon(customer, shop.selectedWeapon);
    g_input.leftButton = 0;
    PlaySoundEffect(kPurchaseSound);
  }
  // NEXT reacts only at rest, not while its press animation runs.
  // The click is used up, so that a button held on does not press the next
  // customer's NEXT as well.
  if (g_phases.nextButton == kNextButtonResting && Clicked(g_phases.nextButton, NextButtonPosition())) {
    g_input.leftButton = 0;
    PlaySoundEffect(kShopClickSound);
    g_game.currentPlayer = static_cast<uint16_t>(g_game.currentPlayer + 1);
    ++g_phases.nextButton;
  }
}

int RunWeaponShop(FramePresenter& frame) {
  g_game.scene = Scene::kShop;
  StopMusic();
  PlayTune("mag.mid");
  AnimationPhaseReset();
  ShopState shop;
  g_game.currentPlayer = 0;
  for (;;) {
    frame.FlipFrame();
    ReadCursor();
    frame.CheckSurfaces();
    DrawShop(shop);
    if (CurrentPlayerRecord().control == 0) {
      HumanShopStep(shop);
    } else {
      ComputerShopStep(shop);
    }
    if (g_game.currentPlayer >= FortCount()) {
      g_input.lastKey = 0;
      return 0;
    }
    StepFramePhase();
    if (g_input.lastKey == kKeyEsc && QuitConfirmation(frame, kQuitFromShop) == 1) return 1;
  }
}
