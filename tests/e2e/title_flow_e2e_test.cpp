// End-to-end: the game's flow up to its title, walked through headless with
// the generated data: start-up picture, loading, the prompt, the wait for a
// key, the title menu over its background, the credits and back, and leaving.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "display/display_state.h"
#include "platform/runtime.h"
#include "sprites/sprite_loader.h"
#include "support/game_run.h"

using e2e::RunGame;
using e2e::RunOptions;

namespace {

struct Shot {
  std::vector<uint16_t> px;
  int w = 0, h = 0;
  uint16_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

Shot LoadShot(const e2e::GameRun& run, const std::string& name) {
  Shot s;
  EXPECT_TRUE(run.LoadShot(name, &s.px, &s.w, &s.h)) << name;
  return s;
}

// The generated game bank, read with the game's loader in the display's layout.
std::unique_ptr<SpriteTable> GameBank() {
  static const bool headless = [] {  // so that a load problem is reported, not shown in a box
    platform::InitForTests();
    return true;
  }();
  (void)headless;
  g_display.pixelLayout = kLayout565;
  auto table = std::make_unique<SpriteTable>();
  LoadSpriteBank(std::string(BULWARK_BUILD_DIR) + "/data/small.spr", BankLoad::kGame, table.get());
  return table;
}

// How many pixels of two pictures of the same size differ.
int CountDiffering(const Shot& a, const Shot& b) {
  int n = 0;
  for (size_t i = 0; i < a.px.size() && i < b.px.size(); ++i) n += a.px[i] != b.px[i];
  return n;
}

bool Inside(int x, int y, int left, int top, int right, int bottom) {
  return x >= left && x < right && y >= top && y < bottom;
}

int StockOf(const e2e::GameRun& run, int player, int weapon) {
  return run.state["players"][player]["stock"][weapon].get<int>();
}

constexpr int kGrenade = 2;

}  // namespace

TEST(TitleFlowE2E, PromptTitleCreditsAndBackThenEscLeaves) {
  RunOptions o;  // game.ini 01 00 00: 640 x 480
  o.script =
      "300 shot prompt.png\n"
      "400 mouse 600 420\n"
      "450 key 65\n"  // any key leaves the wait
      "600 shot title.png\n"
      "700 mouse 144 228\n"  // onto CREDITS (64, 210) to (224, 246)
      "800 shot hover.png\n"
      "850 ldown\n"
      "870 lup\n"
      "1000 shot credits.png\n"
      "1100 key 65\n"
      "1300 shot back.png\n"
      "1400 key 27\n";
  auto run = RunGame("title-flow", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(run.Messages().empty()) << run.stderrText;
  auto bank = GameBank();
  const SpriteEntry& prompt = (*bank)[466];
  const SpriteEntry& background = (*bank)[384];
  ASSERT_EQ(background.width, 640);
  ASSERT_EQ(background.height, 480);

  // The prompt, straight on the visible picture, centred at four fifths of the height.
  const Shot p = LoadShot(run, "prompt.png");
  const int px = 320 - prompt.width / 2, py = 480 / 5 * 4 - prompt.height / 2;
  int promptPixels = 0;
  for (int y = 0; y < prompt.height; ++y)
    for (int x = 0; x < prompt.width; ++x) {
      const uint16_t v = prompt.surface->At(x, y);
      if (v == 0) continue;
      ++promptPixels;
      ASSERT_EQ(p.At(px + x, py + y), v) << x << "," << y;
    }
  EXPECT_GT(promptPixels, 100);

  // The title: sprite 384 wherever no item and no pointer lies.
  const Shot t = LoadShot(run, "title.png");
  int compared = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      if (Inside(x, y, 64, 160, 64 + 200, 260 + 60)) continue;  // the items and their trail
      if (Inside(x, y, 600 - 16, 420 - 16, 600 + 16, 420 + 16)) continue;  // the pointer
      ASSERT_EQ(t.At(x, y), background.surface->At(x, y)) << x << "," << y;
      ++compared;
    }
  EXPECT_GT(compared, 250000);

  // Hovering CREDITS lights it: its trail appears below and right of it.
  const Shot hover = LoadShot(run, "hover.png");
  int trail = 0;
  for (int y = 246; y < 256; ++y)
    for (int x = 74; x < 234; ++x) trail += hover.At(x, y) != t.At(x, y);
  EXPECT_GT(trail, 100);

  // The credits screen is something else entirely.
  const Shot c = LoadShot(run, "credits.png");
  EXPECT_GT(CountDiffering(c, t), 640 * 480 / 2);

  // A key brought the title back, as it was with the pointer on CREDITS.
  const Shot back = LoadShot(run, "back.png");
  EXPECT_EQ(back.px, hover.px);
}

TEST(TitleFlowE2E, TheClickThatEndsTheWaitChoosesNothingAndSpaceStartsAGame) {
  RunOptions click;
  click.script =
      "300 mouse 100 170\n"  // over PLAY while the game waits
      "400 ldown\n"
      "450 lup\n"
      "700 key 27\n";
  auto run = RunGame("wait-click", click);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  // No new game started: the records still hold the program-start stock.
  EXPECT_EQ(StockOf(run, 0, kGrenade), 0);

  RunOptions space;
  space.script =
      "300 mouse 600 420\n"  // on no item
      "400 key 65\n"
      "600 key 32\n"  // Space starts a game from anywhere: the players' set-up
      "700 state menu.json\n"
      "900 key 27\n"   // back to the title
      "1000 state title.json\n"
      "1100 key 27\n";
  run = RunGame("space", space);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.Snapshot("menu.json")["scene"], "menu");
  EXPECT_EQ(run.Snapshot("title.json")["scene"], "title");
  EXPECT_EQ(StockOf(run, 0, kGrenade), 1);  // the new-game stock
  EXPECT_EQ(StockOf(run, 0, 9), 10);
}

TEST(TitleFlowE2E, AClickOnNoItemDoesNothingAndCreditsCloseOnTheNextClick) {
  RunOptions o;
  o.script =
      "300 mouse 600 420\n"
      "400 key 65\n"
      "500 shot before.png\n"
      "550 ldown\n"  // on no item
      "600 lup\n"
      "700 shot after.png\n"
      "750 mouse 144 228\n"
      "800 ldown\n"  // opens the credits; held down, it does not close them
      "1000 shot credits.png\n"
      "1050 lup\n"
      "1100 ldown\n"  // the next click closes them
      "1150 lup\n"
      "1300 shot title.png\n"
      "1400 key 27\n";
  auto run = RunGame("click-nothing", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(StockOf(run, 0, kGrenade), 0);
  EXPECT_EQ(LoadShot(run, "before.png").px, LoadShot(run, "after.png").px);
  const Shot credits = LoadShot(run, "credits.png"), title = LoadShot(run, "title.png");
  EXPECT_GT(CountDiffering(credits, title), 640 * 480 / 2);
  // Back on the title with the pointer on CREDITS.
  const Shot before = LoadShot(run, "before.png");
  EXPECT_LT(CountDiffering(title, before), 640 * 480 / 10);
}

TEST(TitleFlowE2E, ClicksPressedAndReleasedWithinOneFrameAreEachSeenOnce) {
  RunOptions o;
  o.script =
      "300 key 65\n"
      "500 mouse 144 228\n"  // on CREDITS
      "550 shot title.png\n"
      "600 ldown\n"  // press and release at the same moment, as a tap does:
      "600 lup\n"    // the credits open, and the same click does not close them
      "900 shot credits.png\n"
      "1000 ldown\n"
      "1000 lup\n"  // the next one closes them
      "1200 shot back.png\n"
      "1300 mouse 144 278\n"  // on EXIT
      "1400 ldown\n"
      "1400 lup\n"
      "1600 shot left.png\n"  // never taken: the program has ended
      "2000 key 27\n";
  auto run = RunGame("quick-clicks", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  const Shot title = LoadShot(run, "title.png");
  EXPECT_GT(CountDiffering(LoadShot(run, "credits.png"), title), 640 * 480 / 2);
  EXPECT_EQ(LoadShot(run, "back.png").px, title.px);
  EXPECT_FALSE(std::filesystem::exists(run.dir + "/shots/left.png"));
}
