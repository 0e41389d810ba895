// The title menu: the item under the pointer, its trail, and sound effect 17
// once per change of item.
#include <gtest/gtest.h>

#include "platform/runtime.h"
#include "screen_test_fixture.h"
#include "screens/title_menu.h"

namespace {

class TitleMenu : public screen_test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Block(14, 16, 16);
    Block(15, 9, 9);
    for (int i = 446; i <= 448; ++i) Block(i, 160, 36);
    Block(467, 160, 36);
    g_game.titleMenuItem = kTitleNone;
  }
  // One frame of the menu with the cursor at (x, y); returns the item chosen.
  int FrameAt(int x, int y) {
    g_input.cursorX = x;
    g_input.cursorY = y;
    DrawTitleMenu();
    return g_game.titleMenuItem;
  }
  int Ticks() const { return Played(17); }
};

TEST_F(TitleMenu, TheItemUnderThePointerIsChosenAndEachChangeTicksOnce) {
  const int x = TitleItemX() + 20, play = TitleItemY(kTitlePlay) + 10, credits = TitleItemY(kTitleCredits) + 10;
  // Resting on an item does not repeat the tick; coming back to it does. The
  // probe (at the cursor - 4, 9 wide) counts when its corner only touches the item.
  struct Step { int x, y, item, ticks; };
  const Step steps[] = {{400, 400, kTitleNone, 0},   {x, play, kTitlePlay, 1},       {x + 5, play + 2, kTitlePlay, 1},
                        {x, credits, kTitleCredits, 2}, {600, 20, kTitleNone, 2},       {x, credits, kTitleCredits, 3},
                        {TitleItemX() - 4, credits, kTitleCredits, 3}, {TitleItemX() - 5, credits, kTitleNone, 3}};
  for (const Step& s : steps) {
    EXPECT_EQ(FrameAt(s.x, s.y), s.item) << s.x << ", " << s.y;
    EXPECT_EQ(Ticks(), s.ticks) << s.x << ", " << s.y;
  }
}

TEST_F(TitleMenu, TheLitItemLeavesATrailAndTheOthersDoNot) {
  FrameAt(TitleItemX() + 20, TitleItemY(kTitleExit) + 10);
  const int x = TitleItemX(), y = TitleItemY(kTitleExit);
  // The trail: copies 5 and 10 pixels down and right of the item.
  EXPECT_EQ(back.At(x + 160 + 9, y + 36 + 9), 448);
  EXPECT_EQ(back.At(x + 160 + 4, y + 36 + 4), 448);
  EXPECT_EQ(back.At(x + 160 + 10, y + 36 + 10), 0);
  // PLAY is not lit: nothing right of it.
  EXPECT_EQ(back.At(x + 160 + 4, TitleItemY(kTitlePlay) + 4), 0);
  EXPECT_EQ(back.At(x + 159, TitleItemY(kTitlePlay)), 446);
}

TEST_F(TitleMenu, OptionsIsAFourthItemButNotInTheScreensAsDesigned) {
  const int x = TitleItemX(kTitleOptions) + 20, y = TitleItemY(kTitleOptions) + 10;
  EXPECT_EQ(FrameAt(x, y), kTitleOptions);
  platform::SetClassicForTests(true);
  EXPECT_EQ(FrameAt(x, y), kTitleNone);
  platform::SetClassicForTests(false);
}

}  // namespace
