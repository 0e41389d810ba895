// The loading animation of the main thread's timer: every third timer message
// while a landscape is built it shows the next picture of 426..436, running up
// and down, under the loading banner.
#include <gtest/gtest.h>

#include "sprite_test_fixture.h"
#include "sprites/blit.h"
#include "sprites/loading_animation.h"

class SpriteLoadingAnimationTest : public SpriteTableTest {
 protected:
  void SetUp() override {
    SpriteTableTest::SetUp();
    savedGame_ = g_game;
    for (int i = 426; i <= 436; ++i) Table()[i] = MakeSprite(100, 30, {}, static_cast<uint16_t>(0x1000 + i));
    Table()[437] = MakeSprite(200, 80, {}, 0x0777);
    g_display.device = nullptr;  // nothing to flip
  }
  void TearDown() override {
    g_game = savedGame_;
    SpriteTableTest::TearDown();
  }

 private:
  GameState savedGame_;
};

TEST_F(SpriteLoadingAnimationTest, EveryThirdMessageWhileALandscapeIsBuiltDrawsTheNextPictureRunningUpAndDown) {
  const int w = 320, h = 240;
  platform::Surface back(w, h);
  g_display.back = &back;
  g_config.screenWidth = w;
  g_config.screenHeight = h;
  g_game.landscapeBusy = 0;  // no landscape being built: nothing happens
  g_game.framePhase = 0;
  g_game.loadingPicture = 426;
  g_game.loadingStep = 1;
  for (int i = 0; i < 5; ++i) DrawLoadingAnimation();
  EXPECT_EQ(std::pair(int{g_game.framePhase}, int{g_game.loadingPicture}), std::pair(0, 426));
  EXPECT_EQ(PixelsOf(back), std::vector<uint16_t>(w * h, 0));

  g_game.landscapeBusy = 1;
  std::vector<int> shown;
  for (int message = 1; message <= 3 * 26; ++message) {
    std::fill_n(back.Data(), w * h, 0x5555);
    DrawLoadingAnimation();
    EXPECT_EQ(g_game.framePhase, message % 3);
    if (message % 3) {
      ASSERT_EQ(back.At(0, 0), 0x5555) << "drew on message " << message;
      continue;
    }
    // Black everywhere but the picture and the loading banner above it.
    shown.push_back(back.At((w >> 1) - 50 + 5, (h >> 1) + 10 + 5) - 0x1000);
    ASSERT_TRUE(shown.back() >= 426 && shown.back() <= 436) << shown.back();
    platform::Surface want(w, h);
    DrawSprite(&want, Table()[shown.back()], (w >> 1) - 50, (h >> 1) + 10);
    DrawSprite(&want, Table()[437], (w >> 1) - 100, (h >> 1) - 100);
    ASSERT_EQ(PixelsOf(back), PixelsOf(want)) << "message " << message;
  }
  // Up to 436, which shows twice, down to 426, which shows twice, and up again.
  std::vector<int> want;
  for (int i = 426; i <= 436; ++i) want.push_back(i);
  for (int i = 436; i >= 426; --i) want.push_back(i);
  for (int i = 426; want.size() < shown.size(); ++i) want.push_back(i);
  EXPECT_EQ(shown, want);
}
