// End-to-end: the game's flow up to its title, walked through headless with
// the generated data: the prompt, the wait for a key, the title menu over its
// background, hovering, the credits and back, Space to the players' set-up,
// clicks (on no item, held, quick) and leaving by Esc or EXIT.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "display/display_state.h"
#include "platform/runtime.h"
#include "sprites/sprite_loader.h"
#include "support/game_run.h"

using namespace e2e;

namespace {

// The generated game bank, read with the game's loader in the display's layout.
std::unique_ptr<SpriteTable> GameBank() {
  platform::InitForTests();  // so that a load problem is reported, not shown in a box
  g_display.pixelLayout = kLayout565;
  auto table = std::make_unique<SpriteTable>();
  LoadSpriteBank(std::string(BULWARK_BUILD_DIR) + "/data/small.spr", BankLoad::kGame, table.get());
  return table;
}

bool Inside(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

constexpr int kHalfScreen = 640 * 480 / 2;

}  // namespace

TEST(TitleFlowE2E, PromptTitleHoverCreditsBackSpaceToTheSetUpAndEscLeaves) {
  RunOptions o;  // game.ini 01 00 00: 640 x 480
  o.script = "300 shot prompt.png\n400 mouse 600 420\n450 key 65\n"  // any key leaves the wait
             "600 shot title.png\n700 mouse 144 228\n"                 // onto CREDITS (64, 210) to (224, 246)
             "800 shot hover.png\n850 ldown\n870 lup\n1000 shot credits.png\n1100 key 65\n1300 shot back.png\n"
             // Shots that cannot be saved are reported; SDL's error text they
             // leave with the game thread is freed when it ends.
             "1350 shot ..\n1360 shot " + std::string(300, 'a') + ".png\n"
             "1400 key 32\n1500 state menu.json\n1600 key 27\n1700 state title.json\n1800 key 27\n";
  const auto run = RunGame("title-flow", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  EXPECT_NE(run.stderrText.find("/shots/.. failed"), std::string::npos) << run.stderrText;
  EXPECT_NE(run.stderrText.find(std::string(300, 'a') + ".png failed"), std::string::npos) << run.stderrText;
  auto bank = GameBank();
  const SpriteEntry& prompt = (*bank)[466];
  const SpriteEntry& background = (*bank)[384];
  ASSERT_EQ(std::pair(int{background.width}, int{background.height}), std::pair(640, 480));

  // The prompt, straight on the visible picture, centred at four fifths of the height.
  const Shot p = run.LoadShot("prompt.png");
  ASSERT_EQ(p.w, 640);
  const int px = 320 - prompt.width / 2, py = 480 / 5 * 4 - prompt.height / 2;
  int promptPixels = 0;
  for (int y = 0; y < prompt.height; ++y)
    for (int x = 0; x < prompt.width; ++x)
      if (const uint16_t v = prompt.surface->At(x, y); v != 0) {
        ++promptPixels;
        ASSERT_EQ(p.At(px + x, py + y), v) << x << "," << y;
      }
  EXPECT_GT(promptPixels, 100);

  // The title: sprite 384 wherever no item (the fourth, OPTIONS, at y 310)
  // and no pointer lies.
  const Shot t = run.LoadShot("title.png");
  ASSERT_EQ(t.w, 640);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      ASSERT_TRUE(Inside(x, y, 64, 160, 64 + 200, 310 + 60) || Inside(x, y, 600 - 16, 420 - 16, 600 + 16, 420 + 16) ||
                  t.At(x, y) == background.surface->At(x, y)) << x << "," << y;

  // The credits are something else entirely; a key brought the title back as
  // it was, with the pointer on CREDITS (lit).
  EXPECT_GT(CountDiffering(run.LoadShot("credits.png"), t), kHalfScreen);
  EXPECT_EQ(run.LoadShot("back.png").px, run.LoadShot("hover.png").px);

  // Space started a new game from the title: the set-up, then back on the title.
  EXPECT_EQ(run.Snapshot("menu.json")["scene"], "menu");
  EXPECT_EQ(run.Snapshot("title.json")["scene"], "title");
  EXPECT_EQ(run.state["players"][0]["stock"][2], 1);  // GRENADEs: the new-game stock
}

TEST(TitleFlowE2E, ClicksEndTheWaitOnlyAndEachIsSeenOnceHeldOrQuick) {
  RunOptions o;
  o.script = Click(300, 100, 170) +  // over PLAY while the game waits: it chooses nothing
             "450 mouse 600 420\n900 shot before.png\n" + Click(950, 600, 420) +  // on no item
             "1150 shot after.png\n1200 mouse 144 228\n1250 shot title.png\n"
             "1300 ldown\n1500 shot credits.png\n1550 lup\n"  // held down, it does not close them
             + Click(1600, 144, 228, true) + "1800 shot back.png\n"  // the next one closes them
             // Pressed and released within one frame: it opens the credits and does not close them.
             + Click(1900, 144, 228, true) + "2100 shot quick.png\n" + Click(2200, 144, 228, true) +
             Click(2400, 144, 278, true) +  // EXIT
             "2700 shot left.png\n3200 key 27\n";  // never taken: the program has ended
  const auto run = RunGame("title-clicks", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  EXPECT_EQ(run.state["players"][0]["stock"][2], 0);  // no new game: the program-start stock
  EXPECT_EQ(run.LoadShot("before.png").px, run.LoadShot("after.png").px);
  const Shot title = run.LoadShot("title.png");
  ASSERT_EQ(title.w, 640);
  EXPECT_GT(CountDiffering(run.LoadShot("credits.png"), title), kHalfScreen);
  EXPECT_GT(CountDiffering(run.LoadShot("quick.png"), title), kHalfScreen);
  EXPECT_EQ(run.LoadShot("back.png").px, title.px);
  EXPECT_FALSE(std::filesystem::exists(run.dir + "/shots/left.png"));
}

TEST(TitleFlowE2E, SpaceTwiceWithinOneFrameOfTheTitleStartsTheSetUpWithTheNameUntouched) {
  RunOptions o;
  o.script = "300 key 65\n600 key 32\n600 key 32\n900 state menu.json\n1000 key 27\n1200 key 27\n";
  const auto run = RunGame("space-twice", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  const auto menu = run.Snapshot("menu.json");
  EXPECT_EQ(menu["scene"], "menu");
  EXPECT_EQ(menu["players"][0]["name"], "NONAME 01");
}
