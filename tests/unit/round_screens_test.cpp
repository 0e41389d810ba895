// The round's picture (forts placed, unplaced and destroyed, the power
// gauge's split, the weapon slots, the sky bands, the status texts) and the
// round results (the ranking and its counts, the title and line colours, the
// lock-out that remembers a key but not a released button, a click from the
// round that never closes them) and the quit question (its background, and
// the click of its Y heard to the end).
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "display/colour.h"
#include "screen_test_fixture.h"
#include "screens/quit_confirmation.h"
#include "screens/round_results.h"
#include "screens/round_scene.h"
#include "shell/input_handlers.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"

namespace {

using RoundResults = screen_test::ScreenTest;

class RoundScene : public screen_test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    g_config.displayOption = 1;
    // Every picture a solid block whose pixels hold its own index.
    Table()[1] = MakeSprite(1536, 768);  // the terrain, empty
    for (int i : {3, 9, 10}) Block(i, 80, 50);
    for (int i : {14, 37, 47, 106, 183, 239, 385, 405, 450}) Block(i, 16, 16);
    for (int i = 93; i <= 103; ++i) Block(i, 100, 10);
    Block(104, 24, 24);
    g_turn.Reset();
    ResetProjectiles();
    ClearSupplyDrops();
  }
  void TearDown() override {
    g_turn.Reset();
    ScreenTest::TearDown();
  }
  uint16_t At(int x, int y) const { return back.Row(y)[x]; }
};

TEST_F(RoundScene, FortsPlacedUnplacedAndDestroyed) {
  g_players[0].x = 100;
  g_players[1].x = 300;
  g_players[0].y = g_players[1].y = 200;
  g_players[1].destroyed = 1;
  g_players[1].colourIndex = 1;
  g_players[1].shieldCharges = 2;
  DrawRoundScene();
  EXPECT_EQ(At(140, 225), 9);    // player 0's fort picture over sprite 3
  EXPECT_EQ(At(165, 130), 37);   // the current player's emblem, raised to y - 75
  EXPECT_EQ(At(340, 225), 10);   // a destroyed fort is still drawn...
  EXPECT_NE(At(365, 165), 47);   // ...without its emblem
  EXPECT_EQ(At(282, 167), 239);  // its shield at (x - 20, y - 35)
  // Every standing fort's flag stands on a pole down to its castle, in the
  // emblem's colours: the raised one of the current player and the others.
  EXPECT_EQ(At(165, 200 - 75 + 16), 37);
  EXPECT_EQ(At(165, 199), 37);
  EXPECT_EQ(At(165, 200), 9);    // the castle itself keeps its pixels
  EXPECT_NE(At(365, 199), 47);   // none for a destroyed fort
  g_players[1].destroyed = 0;
  // A castle empty in its top rows: the pole reaches the first pixel of the
  // fort or of its interior under it, column by column.
  Table()[9] = MakeSprite(80, 50, {}, 9);
  Table()[3] = MakeSprite(80, 50, {}, 3);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 80; ++x) {
      Table()[9].surface->Row(y)[x] = 0;
      if (y < 12 || x < 64) Table()[3].surface->Row(y)[x] = 0;
    }
  DrawRoundScene();
  EXPECT_EQ(std::vector<int>({At(162, 219), At(162, 220), At(165, 211), At(165, 212), At(365, 199), At(365, 200)}),
            std::vector<int>({37, 9, 37, 3, 47, 10}));
  g_players[0].y = 0.5f;         // a fort whose y truncates to 0 is not drawn at all
  DrawRoundScene();
  EXPECT_TRUE(At(140, 10) != 9 && At(140, 10) != 3);
}

TEST_F(RoundScene, GaugeWeaponSlotsSkyAndStatusTexts) {
  g_game.shotPower = 37;
  g_game.currentWeapon = kGrenade;
  g_players[0].stock[kMissile] = kUnlimitedStock;  // icon 106 shown; GRENADE's stock is 0
  DrawRoundScene();
  const int gx = kW - 120, gy = kH - 20;
  EXPECT_EQ(At(gx + 36, gy + 5), 93);   // 37 pixels of the fill frame
  EXPECT_EQ(At(gx + 37, gy + 5), 103);  // then the empty part
  EXPECT_EQ(PlayerColour(0), static_cast<uint32_t>(60 << 11));  // components 60 as they stand
  EXPECT_EQ(At(22 + 48, kH - 18), static_cast<uint16_t>(PlayerColour(0)));  // the current slot filled, no icon
  EXPECT_EQ(At(22, kH - 18), 106);                                           // MISSILE's icon in its slot
  EXPECT_EQ(At(12 + 72, kH - 28), 104);                                      // an empty slot's frame

  DrawSky(10, 20, 5, 1, -1, 0);
  EXPECT_EQ(At(0, 0), PackColor(10, 20, 5));
  EXPECT_EQ(At(5, kH / 3 + (3 * kH) / 100 + 1), PackColor(13, 17, 5));  // band 3, past its overlap
  EXPECT_EQ(At(5, kH - 1), PackColor(35, -5, 5) & 0xFFFF);                // start + 25 steps

  g_players[1].stock[kGrenade] = 3;
  EXPECT_EQ(WeaponLineText(0, kMissile), "MISSILE : UNLIMITED");
  EXPECT_EQ(WeaponLineText(1, kGrenade), "GRENADE : 3");
  g_turn.turnTimer = 499;
  EXPECT_EQ(TurnTimerText(), "49");
  g_turn.turnTimer = 9;
  EXPECT_EQ(TurnTimerText(), "0");
}

std::tuple<int, int, int> Components(ColorRef c) { return {c.red, c.green, c.blue}; }

TEST_F(RoundResults, RankingByRoundsSurvivedWithTiesInIndexOrderAndFourDigitCounts) {
  const std::pair<std::vector<int32_t>, std::vector<int>> cases[] = {
      {{2, 2}, {0, 1}}, {{1, 4, 4}, {1, 2, 0}}, {{0, 3, 1, 3, 2}, {1, 3, 4, 2, 0}}, {{0, 0, 0, 0, 5}, {4, 0, 1, 2, 3}}};
  for (const auto& [rounds, expected] : cases) {
    UsePlayers(static_cast<int>(rounds.size()));
    for (size_t i = 0; i < rounds.size(); ++i) g_players[i].roundsSurvived = rounds[i];
    int order[kMaxPlayers] = {};
    const int rows = RankPlayers(order);
    EXPECT_EQ(std::vector<int>(order, order + rows), expected) << "first rounds " << rounds[0];
  }
  std::string text;
  for (const auto& [rounds, expected] : {std::pair{0, "0000"}, {7, "0007"}, {512, "0512"}, {1234, "1234"}}) {
    RoundsSurvivedText(rounds, &text);
    EXPECT_EQ(text, expected);
  }
}

TEST_F(RoundResults, TitleAndLineColours) {
  const ColorRef green = Rgb(15, 255, 15), yellow = Rgb(255, 255, 15), survivor = Rgb(255, 15, 0);
  struct { int32_t roundTimer; int16_t destroyed0, destroyed1; const char* title; ColorRef titleColour, line0, line1; }
      cases[] = {
      {1234, 0, 1, "CONGRATULATION!!!", green, survivor, green},  // won
      {1, 1, 1, "CONGRATULATION!!!", green, green, green},        // no survivor
      {0, 0, 0, "END OF TIME", yellow, green, green},
  };
  for (const auto& c : cases) {
    g_game.roundTimer = c.roundTimer;
    g_players[0].destroyed = c.destroyed0;
    g_players[1].destroyed = c.destroyed1;
    EXPECT_STREQ(ResultsTitle(), c.title) << c.roundTimer;
    EXPECT_EQ(std::vector({Components(ResultsTitleColour()), Components(ResultLineColour(g_players[0])),
                           Components(ResultLineColour(g_players[1]))}),
              std::vector({Components(c.titleColour), Components(c.line0), Components(c.line1)})) << c.roundTimer;
  }
}

TEST_F(RoundResults, LockOutRemembersAKeyButNotAReleasedButton) {
  struct Input { int flip, key, button; };  // at this flip, the last key (0: none) and the button (-1: unchanged)
  // The inputs, and the flip after which the screen has closed.
  const struct { const char* what; std::vector<Input> inputs; int closesAt; } cases[] = {
      {"key during the lock-out", {{10, 65, -1}}, kResultsLockOut},
      {"key after it", {{150, 65, -1}}, 150},
      {"button held into its end", {{90, 0, 1}}, kResultsLockOut},
      {"button released during it, key later", {{10, 0, 1}, {20, 0, 0}, {130, 32, -1}}, 130},
      {"key remembered past a released button", {{10, 0, 1}, {11, 27, -1}, {20, 0, 0}}, kResultsLockOut},
  };
  for (const auto& c : cases) {
    video->flips = 0;
    g_input.lastKey = 65;  // a key from the round does not close the screen
    g_input.leftButton = 1;
    video->onFlip = [&](int flip) {
      for (const Input& in : c.inputs) {
        if (in.flip != flip) continue;
        if (in.key) g_input.lastKey = in.key;
        if (in.button >= 0) g_input.leftButton = static_cast<uint8_t>(in.button);
      }
    };
    const int opened = Played(6), closed = Played(18);
    ShowRoundResults(*frame);
    EXPECT_EQ(video->flips, c.closesAt) << c.what;
    EXPECT_EQ(g_game.scene, Scene::kResults) << c.what;
    EXPECT_EQ(std::make_tuple(g_input.lastKey.load(), g_input.leftButton.load()), std::make_tuple(0, 0)) << c.what;
    EXPECT_EQ(std::make_tuple(Played(6), Played(18)), std::make_tuple(opened + 1, closed + 1)) << c.what;
  }
}

TEST_F(RoundResults, OnlyAPressThatStartsOnTheScreenClosesIt) {
  // The round ends under a click: held on, or pressed and let go within the
  // frame (its release held back by the latch).
  for (const bool releasedAtOnce : {false, true}) {
    video->flips = 0;
    g_input.Reset();
    OnLButtonDown();
    if (releasedAtOnce) OnLButtonUp();
    video->onFlip = [&](int flip) {
      if (flip == 150 && !releasedAtOnce) OnLButtonUp();
      if (flip == 200) OnLButtonDown();  // a new press, held
      if (flip == 210) OnLButtonUp();
    };
    ShowRoundResults(*frame);
    EXPECT_EQ(video->flips, 200) << releasedAtOnce;
  }
}

TEST_F(RoundResults, QuitQuestionOverTheRoundOrAPlainFillAndItsYHeardToTheEnd) {
  g_game.sky.red = 20;  // the round's sky, unlike the shop's fill
  for (const int mode : {kQuitFromRound, kQuitFromShop}) {
    // A shell's looping sound, as a shot in flight keeps it.
    CSoundSystem& sounds = SoundSystem();
    const int shell = sounds.FindFreeChannel();
    sounds.PlayOnChannel(shell, 2, 0, 10000);
    uint16_t background = 0;
    video->flips = 0;
    video->onFlip = [&](int flip) {
      background = back.Row(5)[5];
      if (flip == 3) g_input.lastKey = 'Y';
    };
    EXPECT_EQ(QuitConfirmation(*frame, mode), 1);
    EXPECT_EQ(background, mode == kQuitFromRound ? PackColor(20, 0, 0) : PackColor(10, 0, 10)) << mode;
    ReleaseChannelsAfterQuit();
    const int click = g_game.soundChannel;
    EXPECT_TRUE(sounds.Channel(click).hasCopy && device->voices.at(click).playing) << mode;
    EXPECT_FALSE(sounds.Channel(shell).reserved || sounds.Channel(shell).hasCopy) << mode;
    sounds.ReleaseAllChannels();
  }
}

}  // namespace
