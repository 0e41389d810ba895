// The title menu: the item under the pointer, its trail, and sound effect 17
// once per change of item.
#include <gtest/gtest.h>

#include "audio/sound_system.h"
#include "fake_audio_device.h"
#include "screens/title_menu.h"
#include "sprite_test_fixture.h"
#include "support/sound_bank_builder.h"

using soundtest::BankSound;

namespace {

class TitleMenu : public SpriteTableTest {
 protected:
  void SetUp() override {
    SpriteTableTest::SetUp();
    g_config.screenWidth = 640;
    g_config.screenHeight = 480;
    g_display.pixelLayout = kLayout565;
    back.Allocate(640, 480);
    g_display.back = &back;
    Table()[15] = MakeSprite(9, 9, {}, 0x0421);
    for (int i = 0; i < 3; ++i) Table()[446 + i] = MakeSprite(160, 36, {}, static_cast<uint16_t>(0x1000 + i));
    Table()[14] = MakeSprite(16, 16, {}, 0xFFFF);

    auto sys = soundtest::SystemOnFake(&device);
    const auto bank = soundtest::BuildSoundBank({BankSound{17, 1, 44100, 16, 0, std::vector<uint8_t>(64, 7)}});
    ASSERT_TRUE(sys->LoadSoundBank(soundtest::WriteTestFile("title", "sound.sdf", &bank), 11));
    InstallSoundSystem(std::move(sys));
    g_game.Reset();
    g_game.effectsVolume = 10000;
    g_game.titleMenuItem = kTitleNone;
  }
  void TearDown() override {
    InstallSoundSystem(nullptr);
    g_game.Reset();
    g_input.Reset();
    SpriteTableTest::TearDown();
  }

  // One frame of the menu with the cursor at (x, y); returns the item chosen.
  int FrameAt(int x, int y) {
    g_input.cursorX = x;
    g_input.cursorY = y;
    DrawTitleMenu();
    return g_game.titleMenuItem;
  }
  // How many times sound 17 (the bank's only sound) was started.
  int Ticks() const {
    int n = 0;
    for (const auto& v : device->voices) n += v.sound == 1;
    return n;
  }

  platform::Surface back;
  std::shared_ptr<soundtest::FakeDeviceState> device;
};

TEST_F(TitleMenu, TheItemUnderThePointerIsChosenAndEachChangeTicksOnce) {
  const int x = TitleItemX() + 20, play = TitleItemY(kTitlePlay) + 10, credits = TitleItemY(kTitleCredits) + 10;
  EXPECT_EQ(TitleItemX(), 64);
  EXPECT_EQ(TitleItemY(kTitleCredits), 210);
  // Resting on an item does not repeat the tick; coming back to it does. The
  // probe (at the cursor - 4, 9 wide) counts when its corner only touches the item.
  struct Step {
    int x, y, item, ticks;
  };
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
  EXPECT_EQ(back.At(x + 160 + 9, y + 36 + 9), 0x1002);
  EXPECT_EQ(back.At(x + 160 + 4, y + 36 + 4), 0x1002);
  EXPECT_EQ(back.At(x + 160 + 10, y + 36 + 10), 0);
  EXPECT_EQ(back.At(x, y), 0x1002);
  // PLAY is not lit: nothing right of it.
  EXPECT_EQ(back.At(x + 160 + 4, TitleItemY(kTitlePlay) + 4), 0);
  EXPECT_EQ(back.At(x + 159, TitleItemY(kTitlePlay)), 0x1000);
}

}  // namespace
