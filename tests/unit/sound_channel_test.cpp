// The sound channels on a fake device: handing out channels with the
// housekeeping of finished auto-release ones, the game's effects released
// when they end, looping sounds, stopping and releasing, the overflow entry
// 0 with its message, volumes; the script commands the sound system adds.
#include <gtest/gtest.h>

#include "audio/game_sounds.h"
#include "audio/sound_script.h"
#include "audio/sound_system.h"
#include "fake_audio_device.h"
#include "platform/message_box.h"
#include "platform/script.h"
#include "state/shared_state.h"
#include "support/sound_bank_builder.h"

using platform::MessagesShown;
using platform::ParseScript;
using platform::ScriptCommand;
using soundtest::BankSound;
using soundtest::FakeDeviceState;

namespace {

constexpr int kShort = 1;    // a sound played once
constexpr int kLooping = 3;  // a sound with the loop flag

// The program's sound system on a fake device with the two sounds loaded,
// and the effects volume the game sets.
class SoundChannel : public testing::Test {
 protected:
  CSoundSystem& Install() {
    auto sys = soundtest::SystemOnFake(&dev);
    const auto bank = soundtest::BuildSoundBank({BankSound{kShort, 1, 44100, 16, 0, std::vector<uint8_t>(64, 7)},
                                                 BankSound{kLooping, 2, 44100, 16, 1, std::vector<uint8_t>(64, 9)}});
    EXPECT_TRUE(sys->LoadSoundBank(testfiles::WriteTestFile("channels", "sound.sdf", &bank), 11));
    InstallSoundSystem(std::move(sys));
    g_game.Reset();
    g_game.effectsVolume = 10000;
    platform::ClearMessagesShown();
    return SoundSystem();
  }
  ~SoundChannel() override {
    InstallSoundSystem(nullptr);
    g_game.Reset();
    platform::ClearMessagesShown();
  }
  // Makes the sound on a channel end, as when it has played to its end.
  void Finish(int channel) { dev->voices.at(static_cast<size_t>(channel)).playing = false; }

  std::shared_ptr<FakeDeviceState> dev;
  CSoundSystem& sys = Install();
};

}  // namespace

TEST_F(SoundChannel, FreeChannelsAreHandedOutLowestFirstAndFinishedOnesReclaimed) {
  for (int c : {1, 2}) {
    ASSERT_EQ(sys.FindFreeChannel(), c);
    ASSERT_EQ(sys.PlayOnChannel(c, kShort, 1, 10000), 1);
  }
  EXPECT_EQ(sys.FindFreeChannel(), 3);  // 1 and 2 still play
  EXPECT_EQ(sys.IsChannelPlaying(1), 1);
  Finish(1);
  EXPECT_EQ(sys.IsChannelPlaying(1), 0);
  EXPECT_EQ(sys.FindFreeChannel(), 1);  // reclaimed by the housekeeping
  EXPECT_EQ(dev->voices[1].sound, 0);  // its copy was released
  EXPECT_TRUE(sys.Channel(2).reserved);
  EXPECT_EQ(sys.FindFreeChannel(), 4);
}

TEST_F(SoundChannel, TheGamesEffectsAreReleasedWhenTheyEnd) {
  // More effects than there are channels, each played to its end.
  for (int i = 0; i < 600; ++i) {
    PlaySoundEffect(kShort);
    ASSERT_EQ(g_game.soundChannel, 1) << "effect " << i;
    ASSERT_TRUE(dev->voices[1].playing);
    Finish(1);
  }
  EXPECT_TRUE(MessagesShown().empty());
  EXPECT_EQ(sys.FindFreeChannel(), 1);
  for (int c = 2; c <= 500; ++c) ASSERT_FALSE(sys.Channel(c).reserved) << "channel " << c;
}

TEST_F(SoundChannel, LoopingAndKeptChannelsAreNotReclaimedWhilePlaying) {
  const int looping = sys.FindFreeChannel();
  ASSERT_EQ(sys.PlayOnChannel(looping, kLooping, 1, 10000), 1);
  EXPECT_TRUE(dev->voices[looping].loop);
  const int kept = sys.FindFreeChannel();  // a shell's flight channel: auto-release 0
  ASSERT_EQ(sys.PlayOnChannel(kept, kShort, 0, 10000), 1);
  EXPECT_FALSE(dev->voices[kept].loop);
  Finish(kept);
  for (int i = 0; i < 20; ++i) {
    const int c = sys.FindFreeChannel();
    EXPECT_TRUE(c != looping && c != kept) << c;
    sys.PlayOnChannel(c, kShort, 1, 10000);
  }
  // The owner of a kept channel stops and releases it itself.
  EXPECT_EQ(sys.StopChannel(kept), 1);
  EXPECT_TRUE(sys.Channel(kept).reserved);
  EXPECT_EQ(sys.ReleaseChannel(kept), 1);
  EXPECT_EQ(sys.ReleaseChannel(kept), 0);
  EXPECT_EQ(sys.StopChannel(kept), 0);
  // StopAllChannels: every auto-release channel, the looping one too, is
  // reclaimed by the next search.
  EXPECT_EQ(sys.StopAllChannels(), 1);
  EXPECT_EQ(sys.FindFreeChannel(), 1);
  for (int c = 2; c <= 30; ++c) EXPECT_FALSE(sys.Channel(c).reserved) << "channel " << c;
}

TEST_F(SoundChannel, WhenAllAreReservedEntryZeroTakesTheSoundAfterAMessage) {
  for (int c = 1; c <= 500; ++c) ASSERT_EQ(sys.FindFreeChannel(), c);
  PlaySoundEffect(kShort);
  EXPECT_EQ(g_game.soundChannel, 0);
  ASSERT_EQ(MessagesShown(), std::vector<std::string>{"no free chanel"});
  EXPECT_EQ(dev->voices[0].sound, sys.Slot(kShort).buffer);
  EXPECT_TRUE(dev->voices[0].playing);
  // The next overflow replaces the sound on entry 0; releasing everything
  // leaves entry 0 alone.
  PlaySoundEffect(kLooping);
  EXPECT_EQ(dev->voices[0].sound, sys.Slot(kLooping).buffer);
  EXPECT_EQ(MessagesShown().size(), 2u);
  EXPECT_EQ(sys.ReleaseAllChannels(), 1);
  EXPECT_EQ(dev->voices[0].sound, sys.Slot(kLooping).buffer);
  EXPECT_EQ(sys.FindFreeChannel(), 1);
  // A free channel: no message, the sound plays there at full level.
  platform::ClearMessagesShown();
  PlaySoundEffect(kShort);
  EXPECT_EQ(g_game.soundChannel, 2);
  EXPECT_TRUE(MessagesShown().empty());
  EXPECT_EQ(dev->voices[2].volume, 0);
}

TEST_F(SoundChannel, PlayReportsFailuresAndTheChannelIsStillReclaimed) {
  int c = sys.FindFreeChannel();
  EXPECT_EQ(sys.PlayOnChannel(c, 2, 1, 10000), 0);  // slot 2 is empty
  EXPECT_EQ(sys.Channel(c).hasCopy, 0);
  EXPECT_TRUE(sys.Channel(c).reserved);
  EXPECT_EQ(sys.FindFreeChannel(), c);  // not held for ever
  EXPECT_EQ(sys.PlayOnChannel(c, kShort, 1, 7000), 1);
  EXPECT_EQ(dev->voices[c].volume, -3000);  // attenuation in hundredths of a decibel

  dev->failDuplicate = true;
  c = sys.FindFreeChannel();
  EXPECT_EQ(sys.PlayOnChannel(c, kShort, 1, 10000), 0);
  EXPECT_EQ(sys.Channel(c).hasCopy, 0);
  dev->failDuplicate = false;
  dev->failPlay = true;
  EXPECT_EQ(sys.PlayOnChannel(c, kShort, 1, 10000), 0);
  EXPECT_EQ(sys.Channel(c).hasCopy, 1);
  dev->failPlay = false;
  dev->failStop = true;
  EXPECT_EQ(sys.StopChannel(c) + sys.StopAllChannels(), 0);
  // Numbers outside the tables do nothing.
  for (int bad : {-1, 501, 100000})
    EXPECT_EQ(sys.PlayOnChannel(bad, kShort, 1, 10000) + sys.StopChannel(bad) + sys.ReleaseChannel(bad) + sys.IsChannelPlaying(bad), 0);
  for (int bad : {0, 401, -5}) EXPECT_EQ(sys.PlayOnChannel(1, bad, 1, 10000), 0);
}

// Without a device every operation succeeds silently: the game run end to
// end without one plays sounds, waits for them and shows no message.

// Script commands the game adds: a name is registered once and never
// shadows a built-in one, and their arguments are checked. (That they are
// parsed and applied, the scripted sounds of the end-to-end runs show.)
TEST(SoundScript, RegisteredCommandsAreCheckedLikeBuiltInOnes) {
  std::vector<ScriptCommand> cmds;
  std::string error;
  auto fails = [&](const char* script, const std::string& message) {
    EXPECT_FALSE(ParseScript(script, &cmds, &error)) << script;
    EXPECT_NE(error.find(message), std::string::npos) << error;
  };
  // The command stays registered after the test.
  ASSERT_TRUE(platform::RegisterScriptCommand("chime", 1, [](const std::vector<long>&) {}));
  EXPECT_FALSE(platform::RegisterScriptCommand("chime", 0, [](const std::vector<long>&) {}));
  EXPECT_FALSE(platform::RegisterScriptCommand("key", 1, [](const std::vector<long>&) {}));
  // A handler takes its numbers as they were written: nothing beyond an int.
  fails("100 chime 4294967299\n", "'4294967299' is out of range for 'chime'");
  // The sound system's own: `sound` takes the numbers of the bank (its
  // playing and `wait-sound` are heard end to end).
  RegisterSoundScriptCommands();
  for (const char* outside : {"100 sound 0\n", "100 sound 401\n"}) fails(outside, "is out of range for 'sound'");
}

// The music cues: the shop's tests hear them through a MusicLog; the game
// run end to end with --no-music gives them with no player installed.
