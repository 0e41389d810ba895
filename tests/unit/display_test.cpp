// Display set-up step by step with its messages, and the recovery of lost
// surfaces, on a display device whose steps can be made to fail.
#include <gtest/gtest.h>

#include "display/display_state.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "shell/main_frame.h"
#include "state/shared_state.h"

namespace {

class FakeVideo : public platform::HeadlessVideo {
 public:
  bool failCreate = false, failCooperative = false, failMode60 = false, failModeAny = false, failPrimary = false;
  int primaryFailuresLeft = 0;  // CreatePrimary fails this many more times
  int modeCalls = 0, primaryCalls = 0;

  bool Create() override { return !failCreate; }
  bool SetCooperativeLevel() override { return !failCooperative; }
  bool SetDisplayMode(int w, int h, int refresh) override {
    ++modeCalls;
    if (failModeAny || (failMode60 && refresh == 60)) return false;
    return HeadlessVideo::SetDisplayMode(w, h, refresh);
  }
  bool CreatePrimary() override {
    ++primaryCalls;
    if (failPrimary) return false;
    if (primaryFailuresLeft > 0) {
      --primaryFailuresLeft;
      return false;
    }
    return HeadlessVideo::CreatePrimary();
  }
};

class Display : public testing::Test {
 protected:
  void SetUp() override {
    platform::ClearMessagesShown();
    g_config.Reset();
    g_display.Reset();
    auto video = std::make_unique<FakeVideo>();
    fake = video.get();
    frame = std::make_unique<CMainFrame>(std::move(video));
  }
  void TearDown() override {
    frame.reset();
    platform::SetVideo(nullptr);
    g_display.Reset();
  }
  std::vector<std::string> Messages() { return platform::MessagesShown(); }

  FakeVideo* fake = nullptr;
  std::unique_ptr<CMainFrame> frame;
};

TEST_F(Display, SuccessfulSetUpMakesSurfacesConfinesTheCursorAndSaysNothing) {
  g_config.screenWidth = 320;
  g_config.screenHeight = 240;
  frame->InitDisplay();
  EXPECT_TRUE(Messages().empty());
  ASSERT_NE(g_display.primary, nullptr);
  ASSERT_NE(g_display.back, nullptr);
  EXPECT_EQ(g_display.back->Width(), 320);
  EXPECT_EQ(g_display.back->Height(), 240);
  EXPECT_EQ(fake->modeCalls, 1);
  platform::SetCursorPos(0, 1000);
  int x, y;
  platform::GetCursorPos(&x, &y);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 240 - 6);
  frame->DetectPixelFormat();
  EXPECT_EQ(g_display.pixelLayout, kLayout565);
}

TEST_F(Display, EachFailingStepShowsItsMessageAndEndsTheSetUp) {
  fake->failCreate = true;
  frame->InitDisplay();
  EXPECT_EQ(Messages(), std::vector<std::string>{"ERROR DIRECT X DirectDrawCreate"});
  EXPECT_EQ(g_display.device, nullptr);
  EXPECT_EQ(g_display.back, nullptr);

  SetUp();
  fake->failCooperative = true;
  frame->InitDisplay();
  EXPECT_EQ(Messages(), std::vector<std::string>{"ERROR DIRECT X SetCooperativeLevel"});
  EXPECT_EQ(fake->modeCalls, 0);

  SetUp();
  fake->failPrimary = true;
  frame->InitDisplay();
  EXPECT_EQ(Messages(), std::vector<std::string>{"ERROR DIRECT X DirectDrawCreate Surface su"});
  EXPECT_EQ(g_display.back, nullptr);

  SetUp();
  fake->failModeAny = true;
  frame->InitDisplay();
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[1], "ERROR DIRECT X SetDisplayMode");
  EXPECT_EQ(fake->primaryCalls, 0);
}

TEST_F(Display, ARefused60HzModeWarnsUnlessSuppressedAndFallsBackToAnyRate) {
  fake->failMode60 = true;
  frame->InitDisplay();
  const std::string warning = std::string(26, ' ') + "ERROR DIRECT X SetDisplayMode - set refresh\n" +
                              "Для нормальной работы программы требуется установить частоту экрана-60Гц";
  EXPECT_EQ(Messages(), std::vector<std::string>{warning});
  EXPECT_EQ(fake->modeCalls, 2);
  EXPECT_NE(g_display.back, nullptr);

  SetUp();
  g_config.noRefreshWarning = 1;
  fake->failMode60 = true;
  frame->InitDisplay();
  EXPECT_TRUE(Messages().empty());
  EXPECT_NE(g_display.back, nullptr);
}

TEST_F(Display, LostSurfacesAreRebuiltOnceTheDisplayIsBack) {
  frame->InitDisplay();
  ASSERT_NE(g_display.back, nullptr);
  g_display.back->Data()[0] = 0x1234;
  frame->CheckSurfaces();  // nothing lost: nothing happens
  EXPECT_EQ(fake->primaryCalls, 1);
  EXPECT_EQ(g_display.back->At(0, 0), 0x1234);

  fake->LoseDisplay();
  EXPECT_EQ(g_display.back->Lock(), nullptr);
  fake->RestoreDisplay();
  fake->primaryFailuresLeft = 3;  // still away for three more tries
  frame->CheckSurfaces();
  EXPECT_EQ(fake->primaryCalls, 1 + 4);
  ASSERT_NE(g_display.primary, nullptr);
  ASSERT_NE(g_display.back, nullptr);
  EXPECT_NE(g_display.back->Lock(), nullptr);
  g_display.back->Unlock();
  EXPECT_FALSE(g_display.primary->IsLost());
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
