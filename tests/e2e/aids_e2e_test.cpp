// End-to-end: the player aids over a round of two humans, at 640 x 480 and
// 1024 x 768: the overview map in the top right corner, hidden by M, and
// none of the aids with --classic.
#include <gtest/gtest.h>

#include "support/game_run.h"

using namespace e2e;

namespace {

// The pixels of a rectangle that differ between two pictures.
int Differing(const Shot& a, const Shot& b, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += a.At(x, y) != b.At(x, y);
  return n;
}

}  // namespace

TEST(AidsE2E, TheMapShowsUntilMAndNotWithClassic) {
  const struct { const char* mode; int w, h, fontHeight, arrowSize; } modes[] = {{"640x480", 640, 480, 18, 14},
                                                                               {"1024x768", 1024, 768, 30, 18}};
  for (const auto& m : modes) {
    // Space on the title, NEXT OPPONENT and PLAY GAME (the menu's buttons at
    // (3 w / 4, 9 h / 10) and (w / 4, 9 h / 10)), then M once the round is on.
    const int buttonY = 9 * m.h / 10 + 8;
    RunOptions o;
    o.script = "300 key 65\n600 key 32\n" + Click(800, 3 * m.w / 4, buttonY, true) +
               Click(1000, m.w / 4, buttonY, true) + "1200 mouse 100 100\n3000 shot aids.png\n3100 key 77\n" +
               "3300 shot nomap.png\n3400 quit\n";
    GameRun runs[2];
    for (const bool classic : {false, true}) {
      o.extraArgs = {"--mode", m.mode};
      if (classic) o.extraArgs.push_back("--classic");
      runs[classic] = RunGame(std::string(classic ? "aids-classic-" : "aids-") + m.mode, o);
      ASSERT_TRUE(runs[classic].Clean()) << runs[classic].stderrText;
    }
    // The map's upper rows: above where any arrow or its name may be drawn.
    const int left = m.w - 19 - m.w / 6, right = m.w - 19, top = m.fontHeight + 19,
              bottom = 2 * m.fontHeight + m.arrowSize;
    const Shot aids = runs[0].LoadShot("aids.png"), classic = runs[1].LoadShot("aids.png");
    ASSERT_EQ(aids.w, m.w);
    EXPECT_GT(Differing(aids, classic, left, top, right, bottom), (right - left) * (bottom - top) / 2) << m.mode;
    EXPECT_EQ(Differing(runs[0].LoadShot("nomap.png"), runs[1].LoadShot("nomap.png"), left, top, right, bottom), 0)
        << m.mode;
  }
}
