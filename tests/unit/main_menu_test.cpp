// The player set-up menu: which buttons there are for one to five players,
// the NEXT button's lock while it animates, the colour rule, and typing names.
#include <gtest/gtest.h>

#include "platform/runtime.h"
#include "players/player_resets.h"
#include "screen_test_fixture.h"
#include "shell/input_handlers.h"
#include "shell/main_menu.h"
#include "state/player_record.h"

namespace {

// Points on the buttons at 640 x 480 (W2 320, W4 160, H10 48).
constexpr int kColourX = 320, kColourY = 120;
constexpr int kPlayX = 160, kPlayY = 440;
constexpr int kNextX = 480, kNextY = 440;
constexpr int kControlX = 320, kControlY = 300;
constexpr int kRoundsX = 160, kRoundsY = 300;

class MainMenu : public screen_test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Block(0, 640, 480);
    Block(2, 80, 50);
    Block(15, 9, 9);
    for (int i : {438, 439, 440}) Block(i, 40, 28);
    for (int i = 455; i <= 464; ++i) Block(i, 40, 28);
    ProgramStartReset();
    NewGameReset();
    g_game.numberOfPlayers = 1;
  }
  // One frame of the menu with a click at (x, y); true when the click was taken.
  bool ClickAt(int x, int y) {
    g_input.cursorX = x;
    g_input.cursorY = y;
    g_input.leftButton = 1;
    frame->DrawMainMenu();
    return g_input.leftButton == 0;
  }
};

}  // namespace

TEST_F(MainMenu, ButtonsForOneToFivePlayers) {
  EXPECT_FALSE(ClickAt(kPlayX, kPlayY));  // one player: no PLAY GAME
  EXPECT_TRUE(ClickAt(kNextX, kNextY));
  EXPECT_EQ(g_game.numberOfPlayers, 2);
  EXPECT_EQ(g_players[1].colourIndex, 2);  // the first opponent moves on from 1 at least once
  EXPECT_FALSE(ClickAt(kNextX, kNextY));   // animating: not taken, nobody added
  EXPECT_EQ(g_game.numberOfPlayers, 2);
  for (int n = 3; n <= 5; ++n) {
    g_phases.nextButton = 455;
    ASSERT_TRUE(ClickAt(kNextX, kNextY));
    EXPECT_EQ(g_game.numberOfPlayers, n);
  }
  g_phases.nextButton = 455;
  EXPECT_FALSE(ClickAt(kNextX, kNextY));  // five players: no NEXT OPPONENT
  EXPECT_EQ(g_game.numberOfPlayers, 5);
  // HUMAN, COMPUTER, HARD, EASY: the computers' button (438) steps on, and back.
  for (const int control : {1, 1, 1, 0}) {
    EXPECT_TRUE(ClickAt(kControlX, kControlY));
    EXPECT_EQ(g_players[4].control, control);
  }
  EXPECT_EQ(g_players[4].strength, kStrengthNormal);
  EXPECT_TRUE(ClickAt(kRoundsX, kRoundsY));
  EXPECT_EQ(g_game.roundsToPlay, 3);
  EXPECT_TRUE(ClickAt(kPlayX, kPlayY));
}

TEST_F(MainMenu, ColourButtonSkipsTheColoursOfLowerPlayers) {
  // The colours of players 0..2, player 3's colour before and after.
  struct Case { int lower[3], start, expected; };
  const Case cases[] = {
      {{0, 1, 2}, 3, 4},  // free
      {{0, 1, 4}, 3, 2},  // 4 taken, 0 and 1 taken: wraps past them
      {{3, 4, 0}, 2, 1},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 3; ++i) g_players[i].colourIndex = static_cast<int16_t>(c.lower[i]);
    g_players[3].colourIndex = static_cast<int16_t>(c.start);
    NextFreeColour(3);
    EXPECT_EQ(g_players[3].colourIndex, c.expected) << c.start;
  }
  g_players[0].colourIndex = 4;
  NextFreeColour(0);  // the first player wraps from 4 to 0 whatever the others have
  EXPECT_EQ(g_players[0].colourIndex, 0);
  g_game.numberOfPlayers = 1;
  ASSERT_TRUE(ClickAt(kColourX, kColourY));
  EXPECT_EQ(g_players[0].colourIndex, 1);
}

TEST_F(MainMenu, TypingTheName) {
  // Backspace empties, capitals, digits and space go in up to 12 characters;
  // any other key, and a 13th character, is left in last key.
  struct Step { const char* before; int key; const char* after; int keyLeft; };
  const Step steps[] = {{"NONAME 01", 8, "", 0},   {"", 'A', "A", 0},        {"A", '7', "A7", 0},
                        {"A7", ' ', "A7 ", 0},     {"A7 ", 'a', "A7 ", 'a'}, {"A7 ", 190, "A7 ", 190},
                        {"ABCDEFGHIJKL", 'M', "ABCDEFGHIJKL", 'M'}};
  for (const Step& s : steps) {
    g_players[0].name = s.before;
    g_input.lastKey = s.key;
    TypeIntoName(g_players[0]);
    EXPECT_EQ(g_players[0].name, s.after) << s.key;
    EXPECT_EQ(g_input.lastKey, s.keyLeft) << s.key;
  }
}

TEST_F(MainMenu, TheFirstLetterTypedReplacesADefaultName) {
  const struct { bool classic; const char* before; int key; const char* after; } steps[] = {
      {false, "NONAME 02", 'Z', "Z"}, {false, "NONAME 05", '7', "7"}, {false, "NONAME 0", 'Z', "NONAME 0Z"},
      {false, "NONAME 02", 190, "NONAME 02"}, {true, "NONAME 02", 'Z', "NONAME 02Z"}};
  for (const auto& s : steps) {
    platform::SetClassicForTests(s.classic);
    g_players[1].name = s.before;
    g_input.lastKey = s.key;
    TypeIntoName(g_players[1]);
    EXPECT_EQ(g_players[1].name, s.after) << s.before << " " << s.key;
  }
  platform::SetClassicForTests(false);
}

TEST_F(MainMenu, EscReturnsAtOnce) {
  g_input.lastKey = 27;
  EXPECT_EQ(frame->MainMenu(), 0);
  EXPECT_EQ(g_input.lastKey, 0);
}

TEST_F(MainMenu, APressThatComesWhileAFrameRunsIsTakenNextFrameWithItsPointer) {
  // The frame begins with the pointer on the control button; the pointer
  // moves to NEXT OPPONENT and the button goes down while the frame runs.
  g_framedInput = 1;
  Pointer(kControlX, kControlY);
  OnGameFrame();
  Pointer(kNextX, kNextY);
  OnLButtonDown();
  frame->DrawMainMenu();
  OnLButtonUp();
  OnGameFrame();
  frame->DrawMainMenu();
  g_framedInput = 0;
  EXPECT_EQ(std::make_tuple(g_players[0].control.load(), g_game.numberOfPlayers), std::make_tuple(0, 2));
}
