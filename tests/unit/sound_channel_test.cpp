// The sound channels on a fake device: handing out channels with the
// housekeeping of finished auto-release ones, looping sounds, stopping and
// releasing, the overflow entry 0 with its message, volumes, and the silent
// system without a device.
#include <gtest/gtest.h>

#include "audio/game_sounds.h"
#include "audio/sound_system.h"
#include "fake_audio_device.h"
#include "platform/message_box.h"
#include "state/shared_state.h"
#include "support/sound_bank_builder.h"

using soundtest::BankSound;
using soundtest::FakeDeviceState;

namespace {

constexpr int kShort = 1;    // a sound played once
constexpr int kLooping = 3;  // a sound with the loop flag

std::unique_ptr<CSoundSystem> LoadedSystem(std::shared_ptr<FakeDeviceState>* dev) {
  auto sys = soundtest::SystemOnFake(dev);
  const auto bank = soundtest::BuildSoundBank({BankSound{kShort, 1, 44100, 16, 0, std::vector<uint8_t>(64, 7)},
                                               BankSound{kLooping, 2, 44100, 16, 1, std::vector<uint8_t>(64, 9)}});
  EXPECT_TRUE(sys->LoadSoundBank(soundtest::WriteTestFile("channels", "sound.sdf", &bank), 11));
  return sys;
}

// Makes the sound on a channel end, as when it has played to its end.
void Finish(FakeDeviceState* dev, int channel) { dev->voices.at(static_cast<size_t>(channel)).playing = false; }

// The program's sound system for one test, and the effects volume the game sets.
class InstalledSystem {
 public:
  explicit InstalledSystem(std::unique_ptr<CSoundSystem> sys) {
    InstallSoundSystem(std::move(sys));
    g_game.Reset();
    g_game.effectsVolume = 10000;
    platform::ClearMessagesShown();
  }
  ~InstalledSystem() {
    InstallSoundSystem(nullptr);
    g_game.Reset();
    platform::ClearMessagesShown();
  }
};

}  // namespace

TEST(SoundChannel, FreeChannelsAreHandedOutLowestFirstAndFinishedOnesReclaimed) {
  std::shared_ptr<FakeDeviceState> dev;
  auto sys = LoadedSystem(&dev);
  ASSERT_EQ(sys->FindFreeChannel(), 1);
  ASSERT_EQ(sys->PlayOnChannel(1, kShort, 1, 10000), 1);
  ASSERT_EQ(sys->FindFreeChannel(), 2);
  ASSERT_EQ(sys->PlayOnChannel(2, kShort, 1, 10000), 1);
  EXPECT_EQ(sys->FindFreeChannel(), 3);  // 1 and 2 still play
  EXPECT_EQ(sys->IsChannelPlaying(1), 1);

  Finish(dev.get(), 1);
  EXPECT_EQ(sys->IsChannelPlaying(1), 0);
  EXPECT_EQ(sys->FindFreeChannel(), 1);  // reclaimed by the housekeeping
  EXPECT_EQ(sys->Channel(1).autoRelease, 0);
  EXPECT_EQ(sys->Channel(1).hasCopy, 0);
  EXPECT_EQ(dev->voices[1].sound, 0);  // its copy was released
  EXPECT_TRUE(sys->Channel(2).reserved);
  EXPECT_EQ(sys->FindFreeChannel(), 4);
}

TEST(SoundChannel, LoopingAndKeptChannelsAreNotReclaimedWhilePlaying) {
  std::shared_ptr<FakeDeviceState> dev;
  auto sys = LoadedSystem(&dev);
  const int looping = sys->FindFreeChannel();
  ASSERT_EQ(sys->PlayOnChannel(looping, kLooping, 1, 10000), 1);
  EXPECT_TRUE(dev->voices[looping].loop);
  const int kept = sys->FindFreeChannel();  // a shell's flight channel: auto-release 0
  ASSERT_EQ(sys->PlayOnChannel(kept, kShort, 0, 10000), 1);
  EXPECT_FALSE(dev->voices[kept].loop);
  Finish(dev.get(), kept);

  for (int i = 0; i < 20; ++i) {
    const int c = sys->FindFreeChannel();
    EXPECT_NE(c, looping);
    EXPECT_NE(c, kept);
    sys->PlayOnChannel(c, kShort, 1, 10000);
  }
  // The owner of a kept channel stops and releases it itself.
  EXPECT_EQ(sys->StopChannel(kept), 1);
  EXPECT_TRUE(sys->Channel(kept).reserved);
  EXPECT_EQ(sys->ReleaseChannel(kept), 1);
  EXPECT_EQ(sys->ReleaseChannel(kept), 0);
  EXPECT_EQ(sys->StopChannel(kept), 0);

  // StopAllChannels: every auto-release channel, the looping one too, is
  // reclaimed by the next search.
  EXPECT_EQ(sys->StopAllChannels(), 1);
  EXPECT_EQ(sys->FindFreeChannel(), 1);
  for (int c = 2; c <= 30; ++c) EXPECT_FALSE(sys->Channel(c).reserved) << "channel " << c;
}

TEST(SoundChannel, WhenAllAreReservedEntryZeroTakesTheSoundAfterAMessage) {
  std::shared_ptr<FakeDeviceState> dev;
  InstalledSystem installed(LoadedSystem(&dev));
  CSoundSystem& sys = SoundSystem();
  for (int c = 1; c <= 500; ++c) ASSERT_EQ(sys.FindFreeChannel(), c);

  PlaySoundEffect(kShort);
  EXPECT_EQ(g_game.soundChannel, 0);
  ASSERT_EQ(platform::MessagesShown(), std::vector<std::string>{"no free chanel"});
  EXPECT_TRUE(sys.Channel(0).reserved);
  EXPECT_EQ(dev->voices[0].sound, sys.Slot(kShort).buffer);
  EXPECT_TRUE(dev->voices[0].playing);

  // The next overflow replaces the sound on entry 0; releasing everything
  // leaves entry 0 alone.
  PlaySoundEffect(kLooping);
  EXPECT_EQ(dev->voices[0].sound, sys.Slot(kLooping).buffer);
  EXPECT_EQ(platform::MessagesShown().size(), 2u);
  EXPECT_EQ(sys.ReleaseAllChannels(), 1);
  EXPECT_TRUE(sys.Channel(0).hasCopy);
  EXPECT_EQ(sys.FindFreeChannel(), 1);

  // A free channel: no message, the sound plays there at full level.
  platform::ClearMessagesShown();
  PlaySoundEffect(kShort);
  EXPECT_EQ(g_game.soundChannel, 2);
  EXPECT_TRUE(platform::MessagesShown().empty());
  EXPECT_EQ(dev->voices[2].volume, 0);
}

TEST(SoundChannel, PlayReportsFailuresAndTheChannelIsStillReclaimed) {
  std::shared_ptr<FakeDeviceState> dev;
  auto sys = LoadedSystem(&dev);
  int c = sys->FindFreeChannel();
  EXPECT_EQ(sys->PlayOnChannel(c, 2, 1, 10000), 0);  // slot 2 is empty
  EXPECT_EQ(sys->Channel(c).hasCopy, 0);
  EXPECT_TRUE(sys->Channel(c).reserved);
  EXPECT_EQ(sys->FindFreeChannel(), c);  // not held for ever

  EXPECT_EQ(sys->PlayOnChannel(c, kShort, 1, 7000), 1);
  EXPECT_EQ(dev->voices[c].volume, -3000);  // attenuation in hundredths of a decibel

  dev->failDuplicate = true;
  c = sys->FindFreeChannel();
  EXPECT_EQ(sys->PlayOnChannel(c, kShort, 1, 10000), 0);
  EXPECT_EQ(sys->Channel(c).hasCopy, 0);
  dev->failDuplicate = false;
  dev->failPlay = true;
  EXPECT_EQ(sys->PlayOnChannel(c, kShort, 1, 10000), 0);
  EXPECT_EQ(sys->Channel(c).hasCopy, 1);
  dev->failPlay = false;
  dev->failStop = true;
  EXPECT_EQ(sys->StopChannel(c), 0);
  EXPECT_EQ(sys->StopAllChannels(), 0);

  // Numbers outside the tables do nothing.
  for (int bad : {-1, 501, 100000}) {
    EXPECT_EQ(sys->PlayOnChannel(bad, kShort, 1, 10000), 0);
    EXPECT_EQ(sys->StopChannel(bad), 0);
    EXPECT_EQ(sys->ReleaseChannel(bad), 0);
    EXPECT_EQ(sys->IsChannelPlaying(bad), 0);
  }
  for (int bad : {0, 401, -5}) EXPECT_EQ(sys->PlayOnChannel(1, bad, 1, 10000), 0);
}

TEST(SoundChannel, WithoutADeviceEveryOperationSucceedsSilently) {
  InstalledSystem installed(std::make_unique<CSoundSystem>(nullptr));
  CSoundSystem& sys = SoundSystem();
  EXPECT_FALSE(sys.Available());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(sys.FindFreeChannel(), 1);
  EXPECT_EQ(sys.PlayOnChannel(1, 18, 1, 10000), 1);
  EXPECT_EQ(sys.PlayOnChannel(1, 999, 1, 10000), 1);
  EXPECT_EQ(sys.StopChannel(1), 1);
  EXPECT_EQ(sys.ReleaseChannel(1), 1);
  EXPECT_EQ(sys.IsChannelPlaying(1), 1);
  EXPECT_EQ(sys.StopAllChannels(), 1);
  EXPECT_EQ(sys.ReleaseAllChannels(), 1);
  EXPECT_FALSE(sys.AnyChannelPlaying());
  PlaySoundEffect(18);
  EXPECT_EQ(g_game.soundChannel, 1);
  EXPECT_TRUE(platform::MessagesShown().empty());
}
