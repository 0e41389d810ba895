// End-to-end: the game's sound reaches the audio output (SDL's disk driver
// writes it to a file in the run's folder), a bad or missing sound bank is
// reported and the game goes on, and without a sound device the game runs
// silent with no message at all.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/game_run.h"
#include "support/sound_bank_builder.h"

using e2e::RunGame;
using e2e::RunOptions;

namespace {

// The sound bank is loaded once the start-up picture has been shown (about
// 250 ms of the game's clock): the scripts play their sounds after that.

// Sound 18: a fifth of a second of a square wave, mono 44100 Hz 16-bit.
std::vector<uint8_t> BankWithSound18() {
  return soundtest::BuildSoundBank({{18, 1, 44100, 16, 0, soundtest::SquareWave16(8820, 1, 12000)}});
}

RunOptions DiskAudioRun(const std::string& script) {
  RunOptions o;
  o.script = script;
  o.dataFiles = {{"sound.sdf", BankWithSound18()}};
  o.env = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=audio.raw"};
  return o;
}

std::vector<int16_t> AudioOutput(const e2e::GameRun& run) { return run.DiskAudio("audio.raw"); }

bool HasMessage(const e2e::GameRun& run, const std::string& text) {
  for (const auto& m : run.Messages())
    if (m == text) return true;
  return false;
}

}  // namespace

TEST(SoundE2E, AScriptedSoundIsHeardInTheAudioOutputAndSilenceOtherwise) {
  auto run = RunGame("sound-heard", DiskAudioRun("500 sound 18\n550 wait-sound\n700 key 27\n750 key 27\n"));
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(run.Messages().empty()) << run.stderrText;
  ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(run.dir) / "audio.raw")) << run.stderrText;
  const auto heard = AudioOutput(run);
  // The square wave at full volume on both stereo channels: most of its
  // samples are there at (nearly) their full amplitude of 12000.
  int loud = 0;
  for (int16_t s : heard) loud += (s > 10000 || s < -10000);
  EXPECT_GE(loud, 8820);

  auto quiet = RunGame("sound-quiet", DiskAudioRun("550 wait-sound\n700 key 27\n750 key 27\n"));
  ASSERT_EQ(quiet.exitCode, 0) << quiet.stderrText;
  ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(quiet.dir) / "audio.raw"));
  for (int16_t s : AudioOutput(quiet)) ASSERT_EQ(s, 0);
}

TEST(SoundE2E, BadOrMissingBanksAreReportedAndTheGameGoesOn) {
  RunOptions missing;
  missing.withGeneratedData = false;
  missing.script = "500 sound 18\n700 key 27\n750 key 27\n";
  auto run = RunGame("bank-missing", missing);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(HasMessage(run, "error load music game")) << run.stderrText;

  auto bank = BankWithSound18();
  RunOptions shortBank;
  shortBank.dataFiles = {{"sound.sdf", std::vector<uint8_t>(bank.begin(), bank.begin() + 3000)}};
  shortBank.script = "700 key 27\n750 key 27\n";
  run = RunGame("bank-short", shortBank);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.Messages(), std::vector<std::string>{"error load music game"}) << run.stderrText;

  RunOptions cut;
  cut.dataFiles = {{"sound.sdf", std::vector<uint8_t>(bank.begin(), bank.end() - 1)}};
  cut.script = "500 sound 18\n700 key 27\n750 key 27\n";
  run = RunGame("bank-cut", cut);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.Messages(), std::vector<std::string>{"error load music game"}) << run.stderrText;
}

TEST(SoundE2E, WithoutASoundDeviceTheGameIsSilentAndSaysNothing) {
  RunOptions o;
  o.withGeneratedData = false;  // not even a bank: without a device it is not needed
  o.gameIni = {1, 0, 0};
  o.env = {"SDL_AUDIODRIVER=no-such-driver"};
  o.script = "500 sound 18\n550 wait-sound\n600 sound 400\n700 key 27\n750 key 27\n";
  auto run = RunGame("no-device", o);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_FALSE(HasMessage(run, "error load music game")) << run.stderrText;
  EXPECT_FALSE(HasMessage(run, "error music FormatPrimaryBufer")) << run.stderrText;
  EXPECT_FALSE(HasMessage(run, "no free chanel")) << run.stderrText;
}

TEST(SoundE2E, HoveringTheTitleMenuItemsIsHeard) {
  // The generated sound bank; the pointer moves over PLAY, then CREDITS.
  RunOptions o;
  o.env = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=audio.raw"};
  o.script =
      "300 mouse 600 420\n"
      "400 key 65\n"
      "500 mouse 140 175\n"
      "600 mouse 140 228\n"
      "650 wait-sound\n"
      "700 key 27\n";
  auto run = RunGame("hover-heard", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(run.Messages().empty()) << run.stderrText;
  int nonZero = 0;
  for (int16_t s : AudioOutput(run)) nonZero += s != 0;
  EXPECT_GT(nonZero, 500);

  o.script = "300 mouse 600 420\n400 key 65\n650 wait-sound\n700 key 27\n";  // the pointer stays off the items
  auto still = RunGame("hover-still", o);
  ASSERT_EQ(still.exitCode, 0) << still.stderrText;
  for (int16_t s : AudioOutput(still)) ASSERT_EQ(s, 0);
}
