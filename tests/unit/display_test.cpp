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
  enum Step { kNone, kCreate, kCooperative, kMode60, kModeAny, kPrimary } fail = kNone;  // the step that fails
  int primaryFailuresLeft = 0;  // CreatePrimary fails this many more times
  int modeCalls = 0, primaryCalls = 0;

  bool Create() override { return fail != kCreate; }
  bool SetCooperativeLevel() override { return fail != kCooperative; }
  bool SetDisplayMode(int w, int h, int refresh) override {
    ++modeCalls;
    return fail != kModeAny && !(fail == kMode60 && refresh == 60) && HeadlessVideo::SetDisplayMode(w, h, refresh);
  }
  bool CreatePrimary() override {
    ++primaryCalls;
    return fail != kPrimary && primaryFailuresLeft-- <= 0 && HeadlessVideo::CreatePrimary();
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

TEST_F(Display, SuccessfulSetUpMakesSurfacesConfinesThePointerAndSaysNothing) {
  g_config.screenWidth = 320;
  g_config.screenHeight = 240;
  frame->InitDisplay();
  EXPECT_TRUE(Messages().empty());
  ASSERT_TRUE(g_display.primary && g_display.back);
  EXPECT_EQ(std::pair(g_display.back->Width(), g_display.back->Height()), std::pair(320, 240));
  frame->DetectPixelFormat();
  EXPECT_EQ(g_display.pixelLayout, kLayout565);
  // The pointer stays 5 pixels inside every edge: a position past the left,
  // top, right or bottom one lands on the last pixel inside (right - 1, bottom - 1).
  struct Case { int x, y, wantX, wantY; };
  for (const Case c : {Case{-50, 100, 5, 100}, {100, -50, 100, 5}, {1000, 100, 314, 100}, {100, 1000, 100, 234}}) {
    platform::SetCursorPos(c.x, c.y);
    int x, y;
    platform::GetCursorPos(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(c.wantX, c.wantY)) << "set to " << c.x << ", " << c.y;
  }
}

TEST_F(Display, EachFailingStepShowsItsMessageAndEndsTheSetUp) {
  // A refused 60 Hz mode warns (unless the configuration says not to) and the
  // set-up goes on at any rate.
  const std::string warning = std::string(26, ' ') + "ERROR DIRECT X SetDisplayMode - set refresh\n" +
                              "Для нормальной работы программы требуется установить частоту экрана-60Гц";
  struct Case { FakeVideo::Step fail; uint8_t noRefreshWarning; std::vector<std::string> messages;
                std::vector<int> modeCalls_primaryCalls_noDevice_noBack; };
  const Case cases[] = {
      {FakeVideo::kCreate, 0, {"ERROR DIRECT X DirectDrawCreate"}, {0, 0, 1, 1}},
      {FakeVideo::kCooperative, 0, {"ERROR DIRECT X SetCooperativeLevel"}, {0, 0, 0, 1}},
      {FakeVideo::kPrimary, 0, {"ERROR DIRECT X DirectDrawCreate Surface su"}, {1, 1, 0, 1}},
      {FakeVideo::kModeAny, 0, {warning, "ERROR DIRECT X SetDisplayMode"}, {2, 0, 0, 1}},
      {FakeVideo::kMode60, 0, {warning}, {2, 1, 0, 0}},
      {FakeVideo::kMode60, 1, {}, {2, 1, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.messages.empty() ? "no warning" : c.messages.back());
    TearDown();
    SetUp();
    fake->fail = c.fail;
    g_config.noRefreshWarning = c.noRefreshWarning;
    frame->InitDisplay();
    EXPECT_EQ(Messages(), c.messages);
    // A device that cannot be created is deleted by the set-up: its counts
    // are not read then (no call came after the failed creation).
    const bool deleted = c.fail == FakeVideo::kCreate;
    EXPECT_EQ((std::vector<int>{deleted ? 0 : fake->modeCalls, deleted ? 0 : fake->primaryCalls,
                                g_display.device == nullptr, g_display.back == nullptr}),
              c.modeCalls_primaryCalls_noDevice_noBack);
  }
}

TEST_F(Display, LostSurfacesAreRebuiltOnceTheDisplayIsBack) {
  frame->InitDisplay();
  ASSERT_NE(g_display.back, nullptr);
  g_display.back->Data()[0] = 0x1234;
  frame->CheckSurfaces();  // nothing lost: nothing happens
  EXPECT_EQ(std::pair(fake->primaryCalls, int{g_display.back->At(0, 0)}), std::pair(1, 0x1234));

  fake->LoseDisplay();
  EXPECT_EQ(g_display.back->Lock(), nullptr);
  fake->RestoreDisplay();
  fake->primaryFailuresLeft = 3;  // still away for three more tries
  frame->CheckSurfaces();
  EXPECT_EQ(fake->primaryCalls, 1 + 4);
  ASSERT_TRUE(g_display.primary && g_display.back);
  EXPECT_NE(g_display.back->Lock(), nullptr);
  g_display.back->Unlock();
  EXPECT_FALSE(g_display.primary->IsLost());
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
