// The player aids over the round display: the overview map agrees with the
// terrain and follows a crater through the world's change marks only; the
// arrows point at the forts off screen; the aim readout shows the angle and
// power of the shot then fired; the round clock; the stock figures; the aids'
// keys; and none of it with --classic.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "display/colour.h"
#include "platform/runtime.h"
#include "players/human.h"
#include "players/last_shot.h"
#include "screen_test_fixture.h"
#include "screens/aim_readout.h"
#include "screens/fort_arrows.h"
#include "screens/overview_map.h"
#include "screens/round_scene.h"
#include "screens/small_digits.h"
#include "screens/status_aids.h"
#include "shell/round_aid_keys.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"
#include "world/crater.h"
#include "world/terrain.h"
#include "world/terrain_changes.h"

namespace {

class PlayerAids : public screen_test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    g_config.displayOption = 1;
    Table()[1] = MakeSprite(kWorldWidth, kWorldHeight);
    for (int i : {3, 9, 10}) Block(i, 80, 50);
    for (int i = 93; i <= 103; ++i) Block(i, 100, 10);
    Block(104, 24, 24);
    g_turn.Reset();
    ResetProjectiles();
    ClearSupplyDrops();
    ClearLastShots();
    ResetOverviewMap();
    TakeTerrainChanges();
    platform::SetClassicForTests(false);
  }
  void TearDown() override {
    platform::SetClassicForTests(false);
    ResetOverviewMap();
    ClearLastShots();
    g_turn.Reset();
    ScreenTest::TearDown();
  }
  uint16_t& Terrain(int x, int y) { return Table()[1].surface->Row(y)[x]; }
  uint16_t At(int x, int y) const { return back.Row(y)[x]; }
};

// Ground where a wave, a block and a hole say so.
bool Solid(int x, int y) {
  if (x >= 900 && x < 1000 && y >= 100 && y < 200) return true;
  if (x >= 300 && x < 360 && y >= 600 && y < 700) return false;
  return y > 450 + 120 * std::sin(x / 90.0);
}

// Cells of a map that stand for nearly all ground (or nearly all sky) must
// show ground (sky); the cells on an edge may show either.
int CheckMap(const platform::Surface& map, const platform::Surface& terrain) {
  int checked = 0;
  for (int my = 0; my < map.Height(); ++my)
    for (int mx = 0; mx < map.Width(); ++mx) {
      const int x0 = mx * kWorldWidth / map.Width(), x1 = (mx + 1) * kWorldWidth / map.Width();
      const int y0 = my * kWorldHeight / map.Height(), y1 = (my + 1) * kWorldHeight / map.Height();
      int solid = 0;
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) solid += terrain.At(x, y) != 0;
      const double share = static_cast<double>(solid) / ((x1 - x0) * (y1 - y0));
      if (share > 0.1 && share < 0.9) continue;
      ++checked;
      const uint16_t expected = share >= 0.9 ? OverviewGroundColour() : OverviewSkyColour();
      EXPECT_EQ(map.At(mx, my), expected) << mx << "," << my << " share " << share;
    }
  return checked;
}

TEST_F(PlayerAids, MapAgreesWithTheTerrainAndFollowsItsMarkedChangesOnly) {
  for (int y = 0; y < kWorldHeight; ++y)
    for (int x = 0; x < kWorldWidth; ++x) Terrain(x, y) = Solid(x, y) ? 0x1234 : 0;
  for (const auto& [w, h] : {std::pair{106, 53}, {53, 26}, {170, 85}}) {
    const platform::Surface* map = OverviewTerrainPicture(w, h);
    ASSERT_NE(map, nullptr);
    EXPECT_GT(CheckMap(*map, *Table()[1].surface), w * h * 3 / 4) << w;
  }
  // A crater through the wave: its cells turn to sky.
  const platform::Surface* map = OverviewTerrainPicture(106, 53);
  const int cx = 400 * 106 / kWorldWidth, cy = 520 * 53 / kWorldHeight;
  ASSERT_EQ(map->At(cx, cy), OverviewGroundColour());
  CarveCrater(400, 520, 80);
  map = OverviewTerrainPicture(106, 53);
  EXPECT_EQ(map->At(cx, cy), OverviewSkyColour());
  CheckMap(*map, *Table()[1].surface);
  // Ground that appears without a mark is not looked for: no rescan of the
  // world; marked, it shows.
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) Terrain(x, y) = 0x1234;
  EXPECT_EQ(OverviewTerrainPicture(106, 53)->At(2, 2), OverviewSkyColour());
  MarkTerrainChanged(0, 0, 100, 100);
  EXPECT_EQ(OverviewTerrainPicture(106, 53)->At(2, 2), OverviewGroundColour());
}

TEST_F(PlayerAids, ArrowsPointAtTheFortsOffScreen) {
  const struct { float x, y; int viewX, viewY; int16_t destroyed; bool arrow; } cases[] = {
      {1200, 300, 0, 0, 0, true},   // to the right
      {100, 300, 800, 0, 0, true},  // to the left
      {300, 700, 0, 0, 0, true},    // below
      {1400, 80, 0, 200, 0, true},  // up and right, under the map
      {100, 300, 0, 0, 0, false},   // on the screen
      {600, 300, 0, 0, 0, false},   // partly on the screen
      {1200, 300, 0, 0, 1, false},  // destroyed
  };
  for (const auto& c : cases) {
    g_players[1].x = c.x;
    g_players[1].y = c.y;
    g_players[1].destroyed = c.destroyed;
    g_game.viewX = c.viewX;
    g_game.viewY = c.viewY;
    FortArrow a;
    ASSERT_EQ(FortArrowTo(1, &a), c.arrow) << c.x << "," << c.y;
    if (!c.arrow) continue;
    EXPECT_TRUE(a.x >= 0 && a.x < kW && a.y >= 0 && a.y < kH);
    const float tx = c.x + 40 - c.viewX - a.x, ty = c.y + 25 - c.viewY - a.y;  // to the fort's middle
    EXPECT_NEAR((a.dx * tx + a.dy * ty) / std::sqrt(tx * tx + ty * ty), 1.0f, 1e-4) << c.x << "," << c.y;
    // The arrow is drawn in the player's colour there.
    DrawRoundScene();
    EXPECT_EQ(At(static_cast<int>(a.x), static_cast<int>(a.y)), static_cast<uint16_t>(PlayerColour(g_players[1].colourIndex)));
    // Clear of the status bar's text and slots, and of the map.
    EXPECT_LT(a.y + FortArrowSize(), kH - 18 - 41);
    const MapPlace m = OverviewMapPlace();
    EXPECT_FALSE(a.x + FortArrowSize() > m.x - 15 && a.y - FortArrowSize() < m.y + m.h + 15);
  }
}

TEST_F(PlayerAids, TheReadoutShowsTheShotThatIsFired) {
  EXPECT_EQ(std::vector<int>({AimDegrees(1, 0), AimDegrees(0, -1), AimDegrees(-1, 0), AimDegrees(3, -3),
                              AimDegrees(80, 30)}),
            std::vector<int>({0, 90, 180, 45, -21}));
  // The pointer from the aim point (340, 410) of the fort at (300, 400); frames held.
  const struct { int dx, dy, frames; } cases[] = {{100, -100, 62}, {-150, -40, 30}, {0, -80, 70}, {200, 30, 12}};
  g_players[0].x = 300;
  g_players[0].y = 400;
  g_players[0].stock[kMissile] = kUnlimitedStock;
  for (const auto& c : cases) {
    ResetProjectiles();
    g_turn.turnOver = 0;
    g_game.shotPower = 0;
    g_input.cursorX = 340 + c.dx;
    g_input.cursorY = 410 + c.dy;
    g_input.leftButton = 1;
    std::string shown;
    for (int f = 0; f < c.frames && g_turn.turnOver == 0; ++f) {
      shown = AimReadoutText();
      HumanTurnStep();
    }
    if (g_turn.turnOver == 0) {
      g_input.leftButton = 0;
      shown = AimReadoutText();
      HumanTurnStep();
    }
    ASSERT_EQ(g_turn.turnOver, 1) << c.dx;
    EXPECT_EQ("LAST" + shown.substr(3), LastShotText(0)) << c.dx;
    // The shell really flies at that angle.
    const Projectile& shell = g_projectiles[0];
    const int flown = static_cast<int>(std::lround(std::atan2(-shell.vy, shell.vx) * 180 / 3.14159265));
    EXPECT_EQ(shown.substr(0, shown.find(' ', 4)), "AIM " + std::to_string(flown)) << c.dx;
    // Its path is followed while it flies, from where it starts.
    HumanTurnStep();
    ASSERT_GT(g_lastShots[0].count, 0);
    EXPECT_EQ(std::make_tuple(g_lastShots[0].x[0], g_lastShots[0].y[0]), std::make_tuple(340, 410));
  }
}

TEST_F(PlayerAids, ClockStockFiguresAndKeys) {
  for (const auto& [ticks, text] :
       {std::pair{8000, "ROUND 6:40"}, {1200, "ROUND 1:00"}, {1181, "ROUND 1:00"}, {1, "ROUND 0:01"}, {0, "ROUND 0:00"}}) {
    g_game.roundTimer = ticks;
    EXPECT_EQ(RoundClockText(), text);
  }
  // GRENADE's 3 in the bottom right corner of its slot; none for MISSILE's unlimited stock.
  g_players[0].stock[kMissile] = kUnlimitedStock;
  g_players[0].stock[kGrenade] = 3;
  DrawRoundScene();
  const uint16_t white = static_cast<uint16_t>(PackColor(31, 31, 31));
  const int left = 28 + 24 * kGrenade - kSmallDigitWidth, top = kH - 17;
  for (int y = 0; y < kSmallDigitHeight; ++y)
    for (int x = 0; x < kSmallDigitWidth; ++x)
      EXPECT_EQ(At(left + x, top + y) == white, SmallDigitPixel(3, x, y)) << x << "," << y;
  EXPECT_NE(At(25, top), white);

  // A weapon key with no stock says so and is used up; with stock, for a
  // computer or with --classic it is left alone.
  const struct { int key; int16_t stock; uint8_t control; bool classic; const char* message; } keys[] = {
      {'4', 0, 0, false, "NO SUPER GRENADE LEFT"}, {'0', 0, 0, false, "NO GIMLET LEFT"}, {'4', 2, 0, false, ""},
      {'4', 0, 1, false, ""}, {'4', 0, 0, true, ""}, {'A', 0, 0, false, ""}};
  for (const auto& k : keys) {
    g_game.statusMessage.clear();
    g_players[0].stock[kSuperGrenade] = g_players[0].stock[kGimlet] = k.stock;
    g_players[0].control = k.control;
    platform::SetClassicForTests(k.classic);
    g_input.lastKey = k.key;
    RoundAidKeys();
    EXPECT_EQ(g_game.statusMessage, k.message) << k.key;
    EXPECT_EQ(g_input.lastKey, *k.message ? 0 : k.key) << k.key;
  }
  // M shows and hides the map (shown by default from 640 x 480 on).
  platform::SetClassicForTests(false);
  EXPECT_TRUE(OverviewMapShown());
  for (const bool shown : {false, true}) {
    g_input.lastKey = kKeyMap;
    RoundAidKeys();
    EXPECT_EQ(OverviewMapShown(), shown);
  }
}

TEST_F(PlayerAids, ClassicDrawsNoneOfThem) {
  // Every aid has something to show: a fort off screen, a last shot, stocks,
  // the map, the clock and the readout.
  g_players[0].x = 100;
  g_players[0].y = 300;
  g_players[1].x = 1300;
  g_players[1].y = 300;
  g_players[0].stock[kGrenade] = 3;
  g_game.roundTimer = 4000;
  RecordShot(0, -1, 45, 50);
  g_lastShots[0].count = 1;
  g_lastShots[0].x[0] = 200;
  g_lastShots[0].y[0] = 200;
  platform::SetClassicForTests(true);
  DrawRoundScene();
  const std::vector<uint16_t> classic(back.Data(), back.Data() + kW * kH);
  platform::SetClassicForTests(false);
  DrawRoundScene();
  const std::vector<uint16_t> aids(back.Data(), back.Data() + kW * kH);
  // Where each aid is drawn, the classic picture has none of it.
  const MapPlace m = OverviewMapPlace();
  FortArrow arrow;
  ASSERT_TRUE(FortArrowTo(1, &arrow));
  const std::pair<int, int> places[] = {{m.x + 1, m.y + 1}, {static_cast<int>(arrow.x), static_cast<int>(arrow.y)},
                                        {200, 200}, {28 + 24 * kGrenade - 1, kH - 17}};
  for (const auto& [x, y] : places) {
    EXPECT_NE(aids[y * kW + x], classic[y * kW + x]) << x << "," << y;
  }
}

}  // namespace
