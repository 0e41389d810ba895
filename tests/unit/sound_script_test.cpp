// Script commands the game adds (as the sound system adds `sound N` and
// `wait-sound`): they are known to the parser only once registered, their
// arguments are checked, and applying one runs its handler.
#include <gtest/gtest.h>

#include "audio/sound_script.h"
#include "audio/sound_system.h"
#include "fake_audio_device.h"
#include "platform/script.h"
#include "state/shared_state.h"
#include "support/sound_bank_builder.h"

using platform::ParseScript;
using platform::ScriptCommand;

TEST(SoundScript, RegisteredCommandsAreParsedCheckedAndApplied) {
  std::vector<ScriptCommand> cmds;
  std::string error;
  EXPECT_FALSE(ParseScript("100 chime 3\n", &cmds, &error));
  EXPECT_NE(error.find("unknown command 'chime'"), std::string::npos) << error;

  // The command stays registered after the test: its handler owns what it writes.
  auto heard = std::make_shared<std::vector<long>>();
  ASSERT_TRUE(platform::RegisterScriptCommand("chime", 1, [heard](const std::vector<long>& a) { *heard = a; }));
  EXPECT_FALSE(platform::RegisterScriptCommand("chime", 0, [](const std::vector<long>&) {}));
  EXPECT_FALSE(platform::RegisterScriptCommand("key", 1, [](const std::vector<long>&) {}));

  ASSERT_TRUE(ParseScript("100 chime 3\n200 key 27\n", &cmds, &error)) << error;
  ASSERT_EQ(cmds.size(), 2u);
  platform::ApplyScriptCommand(cmds[0]);
  EXPECT_EQ(*heard, std::vector<long>{3});

  EXPECT_FALSE(ParseScript("100 chime\n", &cmds, &error));
  EXPECT_NE(error.find("'chime' takes 1 argument(s)"), std::string::npos) << error;
  EXPECT_FALSE(ParseScript("100 chime loud\n", &cmds, &error));
  EXPECT_NE(error.find("'loud' is not a whole number"), std::string::npos) << error;
  // A handler takes its numbers as they were written: nothing beyond an int.
  EXPECT_FALSE(ParseScript("100 chime 4294967299\n", &cmds, &error));
  EXPECT_NE(error.find("'4294967299' is out of range for 'chime'"), std::string::npos) << error;
}

TEST(SoundScript, SoundCommandPlaysAnEffectAndWaitSoundReturnsWhenQuiet) {
  RegisterSoundScriptCommands();
  std::shared_ptr<soundtest::FakeDeviceState> dev;
  auto sys = soundtest::SystemOnFake(&dev);
  const auto bank = soundtest::BuildSoundBank({{18, 1, 44100, 16, 0, std::vector<uint8_t>(100, 3)}});
  ASSERT_TRUE(sys->LoadSoundBank(soundtest::WriteTestFile("script-sound", "sound.sdf", &bank), 11));
  InstallSoundSystem(std::move(sys));
  g_game.effectsVolume = 10000;

  std::vector<ScriptCommand> cmds;
  std::string error;
  for (const char* outside : {"100 sound 0\n", "100 sound 401\n"})
    EXPECT_FALSE(ParseScript(outside, &cmds, &error)) << outside;
  ASSERT_TRUE(ParseScript("100 sound 18\n200 wait-sound\n", &cmds, &error)) << error;
  platform::ApplyScriptCommand(cmds[0]);
  EXPECT_EQ(g_game.soundChannel, 1);
  EXPECT_TRUE(dev->voices[1].playing);
  EXPECT_EQ(dev->voices[1].sound, SoundSystem().Slot(18).buffer);
  dev->voices[1].playing = false;  // the sound has ended
  platform::ApplyScriptCommand(cmds[1]);
  EXPECT_FALSE(SoundSystem().AnyChannelPlaying());

  InstallSoundSystem(nullptr);
  g_game.Reset();
}
