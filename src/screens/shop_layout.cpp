#include "screens/shop_layout.h"

#include <string>

#include "display/display_state.h"
#include "players/current_player.h"
#include "screens/screen_text.h"
#include "sprites/blit.h"
#include "sprites/pointer.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/weapon_table.h"

namespace {

constexpr int kBackgroundSprite = 441;
constexpr int kFortSprite = 2;

constexpr ColorRef kDarkRed = Rgb(15, 0, 0);
constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr ColorRef kPriceShadow = Rgb(191, 191, 0);
constexpr ColorRef kNextColour = Rgb(255, 15, 0);
constexpr ColorRef kCustomerColour = Rgb(255, 255, 0);

// The texts, kept from frame to frame so that drawing allocates nothing.
std::string g_count, g_price, g_money;
const std::string kNext = "NEXT";

int Width() { return g_config.screenWidth; }
int Height() { return g_config.screenHeight; }

void Draw(int sprite, int x, int y) { DrawSprite(g_display.back, Sprite(sprite), x, y); }

void DrawSlots(const ShopState& shop, const PlayerRecord& customer) {
  for (int i = 1; i <= kShopSlots; ++i) {
    const ScreenPoint slot = ShopSlotPosition(i);
    Draw(i == shop.selectedWeapon ? kSelectedSlotSprite : kSlotSprite, slot.x, slot.y);
    const SpriteEntry& icon = Sprite(WeaponIcon(i));
    DrawSprite(g_display.back, icon, slot.x + 17 - (icon.width >> 1), slot.y + 17 - (icon.height >> 1));
    g_count.clear();
    AppendNumber(&g_count, customer.stock[i]);
    DrawShadowedCentered(slot.x + 17, slot.y + 35, g_count, kDarkRed, kWhite);
  }
}

void DrawPurchase(const ShopState& shop, const PlayerRecord& customer) {
  const int w = Width(), h = Height();
  const int weapon = shop.selectedWeapon;
  if (customer.money >= WeaponPrice(weapon)) {
    const ScreenPoint buy = BuyButtonPosition();
    Draw(g_phases.buyButton, buy.x, buy.y);
  }
  g_price.assign(WeaponName(weapon));
  g_price += ": ";
  AppendNumber(&g_price, WeaponPrice(weapon));
  g_price += '$';
  DrawShadowedCentered(w / 2 + 1, (h / 10) * 9 - static_cast<int>(g_display.fontHeight * 1.5) + 1, g_price,
                       kPriceShadow, kWhite);
}

void DrawCustomer(const PlayerRecord& customer) {
  const int w = Width(), h = Height(), lineHeight = g_display.fontHeight;
  Draw(g_phases.emblem + 10 * customer.colourIndex, w / 18 + 60, h / 10 - 20);
  Draw(kFortSprite, w / 18, h / 10 + 20);
  if (customer.control != 0) Draw(g_phases.computerBadge, w / 18 + 30, h / 10 + 5);
  DrawShadowedCentered(w / 18 + 41, h / 10 - lineHeight + 91, kNext, kDarkRed, kNextColour);
  const ScreenPoint next = NextButtonPosition();
  Draw(g_phases.nextButton, next.x, next.y);
  DrawShadowedCentered(w / 18 + 41, h / 20 - lineHeight + 1, customer.name, kDarkRed, kCustomerColour);
  g_money.clear();
  AppendNumber(&g_money, customer.money);
  g_money += '$';
  DrawShadowedCentered(w / 18 + 41, h / 20 + 1, g_money, kDarkRed, kCustomerColour);
}

}  // namespace

ScreenPoint ShopSlotPosition(int slot) {
  const int w = Width(), h = Height();
  return {w / 2 - static_cast<int>((w / 10) * 4.5) + (slot - 1) * (w / 10), (h / 10) * 7 - 20};
}

ScreenPoint BuyButtonPosition() { return {Width() / 2 - 12, (Height() / 10) * 9}; }

ScreenPoint NextButtonPosition() { return {Width() / 18 + 20, Height() / 10 + 90}; }

void DrawShop(const ShopState& shop) {
  const PlayerRecord& customer = CurrentPlayerRecord();
  StretchSurface(g_display.back, MutableSprite(kBackgroundSprite).surface.get());
  DrawSlots(shop, customer);
  DrawPurchase(shop, customer);
  DrawCustomer(customer);
  DrawMousePointer();
}
