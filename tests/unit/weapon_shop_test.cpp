// The weapon shop: its layout at each screen size, the buy button only while
// the money covers the price, a human customer's choice, purchase and NEXT
// (which does not react during its press animation), and whole shops run
// frame by frame: computers alone, and Esc answered with N or Y.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "players/turns.h"
#include "recording_music_player.h"
#include "screen_test_fixture.h"
#include "screens/shop_layout.h"
#include "screens/weapon_shop.h"
#include "weapons/weapon_table.h"

namespace {

using screen_test::ScreenTest;

class WeaponShop : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    // Every picture a block holding its own index.
    Block(441, 64, 48);
    Block(kSlotSprite, 34, 34);
    Block(kSelectedSlotSprite, 34, 34);
    for (int w = 1; w < kWeaponCount; ++w) Block(WeaponIcon(w), 16, 16);
    for (int i = 385; i <= 404; ++i) Block(i, 24, 24);
    for (int i = 455; i <= 464; ++i) Block(i, 40, 28);
    for (int i = 450; i <= 454; ++i) Block(i, 20, 14);
    for (int i = 37; i <= 86; ++i) Block(i, 20, 20);
    Block(2, 80, 50);
    Block(14, 16, 16);
    Block(15, 9, 9);
    for (PlayerRecord& p : g_players) p.name = "TEST";
  }
  uint16_t At(int x, int y) const { return back.Row(y)[x]; }
  // Puts the pointer on the middle of a button drawn at place.
  static void PointAt(ScreenPoint place) { Pointer(place.x + 12, place.y + 12); }
};

TEST_F(WeaponShop, LayoutAtEachScreenSize) {
  struct Case {
    int w, h;
    ScreenPoint slot1, slot9, buy, next;
  };
  // Slots from W/2 - integer part of (W/10 x 4.5), W/10 apart, at (H/10) x 7 - 20.
  const Case cases[] = {
      {320, 240, {16, 148}, {272, 148}, {148, 216}, {37, 114}},
      {640, 480, {32, 316}, {544, 316}, {308, 432}, {55, 138}},
      {800, 600, {40, 400}, {680, 400}, {388, 540}, {64, 150}},
      {1024, 768, {53, 512}, {869, 512}, {500, 684}, {76, 166}},
  };
  for (const Case& c : cases) {
    UseScreen(c.w, c.h);
    const std::string size = std::to_string(c.w) + " x " + std::to_string(c.h);
    const ScreenPoint s1 = ShopSlotPosition(1), s9 = ShopSlotPosition(9), buy = BuyButtonPosition(),
                      next = NextButtonPosition();
    EXPECT_EQ(std::vector<int>({s1.x, s1.y, s9.x, s9.y, buy.x, buy.y, next.x, next.y}),
              std::vector<int>({c.slot1.x, c.slot1.y, c.slot9.x, c.slot9.y, c.buy.x, c.buy.y, c.next.x, c.next.y}))
        << size;

    g_players[0].colourIndex = 2;
    g_players[0].control = 1;
    g_players[0].money = 1400;
    Pointer(0, 0);
    ShopState shop;
    shop.selectedWeapon = 1;
    DrawShop(shop);
    EXPECT_EQ(At(s1.x, s1.y), kSelectedSlotSprite) << size;
    EXPECT_EQ(At(s9.x + 33, s9.y + 33), kSlotSprite) << size;
    EXPECT_EQ(At(s9.x + 17, s9.y + 17), WeaponIcon(kGimlet)) << size;  // the icon centred in its slot
    EXPECT_EQ(At(s9.x + 9, s9.y + 9), WeaponIcon(kGimlet)) << size;
    EXPECT_EQ(At(buy.x + 23, buy.y + 23), 385) << size;
    EXPECT_EQ(At(next.x, next.y + 27), 455) << size;
    // Corners away from the texts: the emblem of colour 2, the badge above the fort, the fort.
    const int x = c.w / 18, y = c.h / 10;
    EXPECT_EQ(At(x + 60 + 19, y - 20 + 19), 37 + 20) << size;
    EXPECT_EQ(At(x + 30 + 19, y + 5 + 13), 450) << size;
    EXPECT_EQ(At(x, y + 20 + 49), 2) << size;
    g_players[0].control = 0;  // no badge for a human
    DrawShop(shop);
    EXPECT_EQ(At(x + 30 + 19, y + 5 + 13), 441) << size;
  }
}

TEST_F(WeaponShop, BuyButtonOnlyWhileTheMoneyCoversThePrice) {
  const int price = WeaponPrice(kSuperGrenade);
  for (int32_t money : {price - 1, price}) {
    g_players[0].money = money;
    g_players[0].stock[kSuperGrenade] = 0;
    ShopState shop;
    shop.selectedWeapon = kSuperGrenade;
    const ScreenPoint buy = BuyButtonPosition();
    PointAt(buy);
    ReadCursor();
    DrawShop(shop);
    const bool covered = money >= price;
    EXPECT_EQ(At(buy.x + 1, buy.y + 1) == 385, covered) << money;
    g_input.leftButton = 1;
    HumanShopStep(shop);
    EXPECT_EQ(g_players[0].money, covered ? 0 : money);
    EXPECT_EQ(g_players[0].stock[kSuperGrenade], covered ? 1 : 0);
    EXPECT_EQ(g_input.leftButton, covered ? 0 : 1);
    EXPECT_EQ(Played(2), covered ? 1 : 0);  // the till rings for the purchase only
  }
}

TEST_F(WeaponShop, HumanChoosesBuysAndNextRestsDuringItsAnimation) {
  g_players[0].money = 2000;
  ShopState shop;
  const auto click = [&](ScreenPoint place) {
    PointAt(place);
    ReadCursor();
    g_input.leftButton = 1;
    HumanShopStep(shop);
  };
  click(ShopSlotPosition(kHyperTube));
  EXPECT_EQ(shop.selectedWeapon, kHyperTube);
  EXPECT_EQ(g_input.leftButton, 0);
  click(BuyButtonPosition());  // 2300: too dear
  EXPECT_EQ(g_players[0].money, 2000);
  click(ShopSlotPosition(kGrenade));
  click(BuyButtonPosition());
  click(BuyButtonPosition());
  EXPECT_EQ(g_players[0].money, 2000 - 2 * 450);
  EXPECT_EQ(g_players[0].stock[kGrenade], 2);
  EXPECT_EQ(Played(2), 2);
  EXPECT_EQ(Played(18), 2);

  // NEXT, then held down: one frame of the shop is a step and then the frame phase.
  click(NextButtonPosition());
  EXPECT_EQ(g_game.currentPlayer, 1);
  EXPECT_EQ(g_input.leftButton, 1);  // NEXT leaves the button down
  int frame = 0;
  while (g_game.currentPlayer == 1 && frame < 100) {
    StepFramePhase();
    ++frame;
    HumanShopStep(shop);
  }
  EXPECT_EQ(frame, 27);  // the press animation, 456 to 464, nine game ticks
  EXPECT_EQ(g_game.currentPlayer, 2);
}

TEST_F(WeaponShop, WholeShopsFrameByFrame) {
  struct Case {
    const char* what;
    bool computers;
    int answer;  // the key answering Esc, pressed with the second customer; 0: no Esc
    int result;
  };
  const Case cases[] = {
      {"computers alone", true, 0, 0},
      {"Esc then N, then NEXT for the second", false, 'N', 0},
      {"Esc then Y", false, 'Y', 1},
  };
  for (const Case& c : cases) {
    MusicLog music;
    UsePlayers(2);
    const int32_t money[2] = {3000, 800};
    for (int i = 0; i < 2; ++i) {
      g_players[i].control = c.computers ? 1 : 0;
      g_players[i].money = money[i];
      g_players[i].stock[kGimlet] = 10;
      g_players[i].stock[kGroundDefense] = 1;
    }
    g_input.Reset();
    Pointer(0, 0);
    g_game.currentPlayer = 1;  // the shop starts again from the first customer
    g_phases.nextButton = 460;
    video->flips = 0;
    int answeredAt = 0, customerAfterAnswer = -1;
    Scene sceneAfterAnswer = Scene::kTitle;
    // NEXT for the first customer, released; Esc with the second; NEXT again
    // once the question is answered and the button rests.
    video->onFlip = [&](int flip) {
      PointAt(NextButtonPosition());
      if (flip == 3) g_input.leftButton = 1;
      if (flip == 4) g_input.leftButton = 0;
      if (c.answer && flip == 10) g_input.lastKey = 27;
      if (g_game.scene == Scene::kQuitQuestion && answeredAt == 0) {
        g_input.lastKey = c.answer;
        answeredAt = flip;
      }
      if (answeredAt == 0) return;
      if (flip == answeredAt + 2) {
        customerAfterAnswer = g_game.currentPlayer;
        sceneAfterAnswer = g_game.scene;
      }
      if (flip == answeredAt + 40) g_input.leftButton = 1;
    };
    EXPECT_EQ(RunWeaponShop(*frame), c.result) << c.what;
    EXPECT_EQ(music.cues, (std::vector<std::string>{"stop", "mag.mid"})) << c.what;
    if (c.answer && c.result == 0) {
      EXPECT_EQ(customerAfterAnswer, 1) << c.what;
      EXPECT_EQ(sceneAfterAnswer, Scene::kShop) << c.what;
    }
    EXPECT_EQ(g_game.currentPlayer, c.result == 1 ? 1 : 2) << c.what;
    EXPECT_EQ(g_input.lastKey, 0) << c.what;
    if (c.computers) {
      // Each left with less than 400, its GIMLET topped up as far as the money went.
      EXPECT_LT(g_players[0].money, 400);
      EXPECT_GE(g_players[0].stock[kGimlet], 14);
      EXPECT_EQ(g_players[0].stock[kDefense], 1);
      EXPECT_EQ(g_players[1].money, 300);
      EXPECT_EQ(g_players[1].stock[kGimlet], 12);
    } else {
      EXPECT_EQ(g_players[0].money, 3000) << c.what;
    }
  }
}

}  // namespace
