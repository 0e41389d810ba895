// The round's picture: what is drawn for placed, unplaced and destroyed forts,
// the power gauge's split, the current weapon's slot, the sky bands, and the
// status bar's texts.
#include <gtest/gtest.h>

#include "display/colour.h"
#include "screens/round_scene.h"
#include "sprite_test_fixture.h"
#include "state/player_record.h"
#include "state/turn_state.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"

namespace {

constexpr int kW = 640, kH = 480;

class RoundScene : public SpriteTableTest {
 protected:
  void SetUp() override {
    SpriteTableTest::SetUp();
    g_config.screenWidth = kW;
    g_config.screenHeight = kH;
    g_config.displayOption = 1;
    g_display.pixelLayout = kLayout565;
    back.Allocate(kW, kH);
    g_display.back = &back;
    // Every picture a solid block whose pixels hold its own index.
    Table()[1] = MakeSprite(1536, 768);
    for (int i : {3, 9, 10}) Table()[i] = MakeSprite(80, 50, {}, static_cast<uint16_t>(i));
    for (int i : {14, 37, 47, 106, 183, 239, 385, 405, 450}) Table()[i] = MakeSprite(16, 16, {}, static_cast<uint16_t>(i));
    for (int i = 93; i <= 102; ++i) Table()[i] = MakeSprite(100, 10, {}, static_cast<uint16_t>(i));
    Table()[103] = MakeSprite(100, 10, {}, 103);
    Table()[104] = MakeSprite(24, 24, {}, 104);
    for (PlayerRecord& p : g_players) p = PlayerRecord();
    g_game.Reset();
    g_game.numberOfPlayers = 2;
    g_turn.Reset();
    g_phases.Reset();
    ResetProjectiles();
    ClearSupplyDrops();
  }
  void TearDown() override {
    for (PlayerRecord& p : g_players) p = PlayerRecord();
    g_game.Reset();
    g_turn.Reset();
    SpriteTableTest::TearDown();
  }
  uint16_t At(int x, int y) const { return back.Row(y)[x]; }

  platform::Surface back;
};

}  // namespace

TEST_F(RoundScene, FortsPlacedUnplacedAndDestroyed) {
  g_players[0].x = 100;
  g_players[0].y = 200;
  g_players[1].x = 300;
  g_players[1].y = 200;
  g_players[1].destroyed = 1;
  g_players[1].colourIndex = 1;
  g_players[1].shieldCharges = 2;
  DrawRoundScene();
  EXPECT_EQ(At(140, 225), 9);      // player 0's fort picture over sprite 3
  EXPECT_EQ(At(165, 130), 37);     // the current player's emblem, raised to y - 75
  EXPECT_EQ(At(340, 225), 10);     // a destroyed fort is still drawn...
  EXPECT_NE(At(365, 165), 47);     // ...without its emblem
  EXPECT_EQ(At(282, 167), 239);    // its shield at (x - 20, y - 35)
  g_players[0].y = 0.5f;           // a fort whose y truncates to 0 is not drawn at all
  DrawRoundScene();
  EXPECT_NE(At(140, 10), 9);
  EXPECT_NE(At(140, 10), 3);
}

TEST_F(RoundScene, GaugeAndWeaponSlots) {
  g_game.shotPower = 37;
  g_game.currentWeapon = kGrenade;
  g_players[0].stock[kMissile] = kUnlimitedStock;  // icon 106 shown; GRENADE's stock is 0
  DrawRoundScene();
  const int gx = kW - 120, gy = kH - 20;
  EXPECT_EQ(At(gx + 36, gy + 5), 93);   // 37 pixels of the fill frame
  EXPECT_EQ(At(gx + 37, gy + 5), 103);  // then the empty part
  EXPECT_EQ(At(gx + 99, gy + 5), 103);
  const uint16_t colour = static_cast<uint16_t>(PlayerColour(0));
  EXPECT_EQ(At(22 + 48, kH - 18), colour);  // the current slot is filled, with no icon
  EXPECT_EQ(At(22, kH - 18), 106);          // MISSILE's icon in its slot
  EXPECT_EQ(At(12 + 72, kH - 28), 104);     // an empty slot's frame
  // The status bar with the packed colour of components 60 as they stand.
  EXPECT_EQ(PlayerColour(0), static_cast<uint32_t>(60 << 11));
}

TEST_F(RoundScene, SkyBandsStepFromTheStartColour) {
  DrawSky(10, 20, 5, 1, -1, 0);
  EXPECT_EQ(At(0, 0), PackColor(10, 20, 5));
  EXPECT_EQ(At(5, kH / 3 + (3 * kH) / 100 + 1), PackColor(13, 17, 5));  // band 3, past its overlap
  EXPECT_EQ(At(5, kH - 1), PackColor(35, -5, 5) & 0xFFFF);                // start + 25 steps
}

TEST_F(RoundScene, StatusTexts) {
  g_players[1].stock[kMissile] = kUnlimitedStock;
  g_players[1].stock[kGrenade] = 3;
  EXPECT_EQ(WeaponLineText(1, kMissile), "MISSILE : UNLIMITED");
  EXPECT_EQ(WeaponLineText(1, kGrenade), "GRENADE : 3");
  EXPECT_EQ(WeaponLineText(1, kGimlet), "GIMLET : 0");
  g_turn.turnTimer = 499;
  EXPECT_EQ(TurnTimerText(), "49");
  g_turn.turnTimer = 9;
  EXPECT_EQ(TurnTimerText(), "0");
}
