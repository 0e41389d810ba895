// Shared set-up of the screen and menu tests: a 640 x 480 display whose
// flips run the test's own input frame by frame (so a screen's frame loop can
// be driven from inside), n players, sounds 2, 6, 17 and 18 counted on a fake
// sound device, and the game's state and random numbers put back afterwards.
#pragma once

#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>

#include "audio/sound_system.h"
#include "fake_audio_device.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/video.h"
#include "shell/main_frame.h"
#include "sprite_test_fixture.h"
#include "state/turn_state.h"
#include "support/sound_bank_builder.h"
#include "world_test_sprites.h"

namespace screen_test {

// Flips call the test's hook with the flip's number (from 1). A screen that
// never closes fails the test instead of hanging it.
class FrameVideo final : public platform::HeadlessVideo {
 public:
  static constexpr int kMaxFlips = 20000;
  std::function<void(int)> onFlip;
  int flips = 0;

  bool Flip() override {
    if (++flips > kMaxFlips) throw std::runtime_error("the screen did not close");
    if (onFlip) onFlip(flips);
    return true;
  }
};

class ScreenTest : public SpriteTableTest {
 protected:
  static constexpr int kW = 640, kH = 480;
  // The sound effects the screens and menus play, in the bank's order (handles 1 to 4).
  static constexpr int kSounds[] = {2, 6, 17, 18};

  void SetUp() override {
    SpriteTableTest::SetUp();
    savedRand_ = platform::RandState();
    g_game.Reset();
    g_input.Reset();
    g_phases.Reset();
    g_game.effectsVolume = 10000;
    UseScreen(kW, kH);
    platform::ClipCursor(0, 0, 1024, 768);
    auto video = std::make_unique<FrameVideo>();
    this->video = video.get();
    frame = std::make_unique<CMainFrame>(std::move(video));

    auto sys = soundtest::SystemOnFake(&device);
    std::vector<soundtest::BankSound> sounds;
    for (int s : kSounds) sounds.push_back({s, 1, 44100, 16, 0, std::vector<uint8_t>(64, 7)});
    const auto bank = soundtest::BuildSoundBank(sounds);
    ASSERT_TRUE(sys->LoadSoundBank(testfiles::WriteTestFile("screens", "sound.sdf", &bank), 11));
    InstallSoundSystem(std::move(sys));
    UsePlayers(2);
  }
  void TearDown() override {
    frame.reset();
    InstallSoundSystem(nullptr);
    players_.reset();
    g_input.Reset();
    g_phases.Reset();
    platform::SeedRand(savedRand_);
    SpriteTableTest::TearDown();
  }

  // A screen of w x h with the font height of its display option.
  void UseScreen(int w, int h) {
    g_config.screenWidth = static_cast<uint16_t>(w);
    g_config.screenHeight = static_cast<uint16_t>(h);
    g_display.pixelLayout = kLayout565;
    g_display.fontHeight = 18;
    back.Allocate(w, h);
    primary.Allocate(w, h);
    g_display.back = &back;
    g_display.primary = &primary;
  }
  // n players in the game, every record empty.
  void UsePlayers(int n) {
    players_.reset();
    players_.emplace(n);
  }
  // Sprite i as a w x h block of pixels holding i.
  void Block(int i, int w, int h) { Table()[i] = MakeSprite(w, h, {}, static_cast<uint16_t>(i)); }
  // Puts the pointer on (x, y); the screens read it at their next frame.
  static void Pointer(int x, int y) { platform::SetCursorPos(x, y); }
  // How many times sound effect `sound` (2, 6, 17 or 18) was started.
  int Played(int sound) const {
    int handle = 0;
    for (int i = 0; i < static_cast<int>(std::size(kSounds)); ++i)
      if (kSounds[i] == sound) handle = i + 1;
    int n = 0;
    for (const auto& v : device->voices) n += v.sound == handle;
    return n;
  }

  platform::Surface back, primary;
  FrameVideo* video = nullptr;
  std::unique_ptr<CMainFrame> frame;
  std::shared_ptr<soundtest::FakeDeviceState> device;

 private:
  std::optional<world_test::Players> players_;
  uint32_t savedRand_ = 0;
};

}  // namespace screen_test
