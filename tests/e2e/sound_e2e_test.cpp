// End-to-end: sound effects and music heard through SDL's disk audio driver
// (the output written to a file in the run's folder). A scripted sound is
// heard at full volume; the title's tune gives
// way to a round's and comes back after the game; with --no-music, without
// the tunes, a soundfont or a sound device the game is silent, says nothing
// and ends in order on SIGTERM.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/game_run.h"
#include "support/sound_analysis.h"
#include "support/sound_bank_builder.h"

using namespace e2e;

namespace {

constexpr size_t kFramesPerSecond = 44100;

// Stereo frames: a frame is two samples.
bool FramesEqual(const std::vector<int16_t>& s, size_t a, size_t b, size_t count) {
  return std::equal(s.begin() + 2 * a, s.begin() + 2 * (a + count), s.begin() + 2 * b);
}

size_t FirstSoundingFrame(const std::vector<int16_t>& s) {
  return (std::find_if(s.begin(), s.end(), [](int16_t v) { return v != 0; }) - s.begin()) / 2;
}

int CountAbove(const std::vector<int16_t>& s, int level) {
  return std::count_if(s.begin(), s.end(), [level](int16_t v) { return v > level || v < -level; });
}

}  // namespace

TEST(SoundE2E, AScriptedSoundIsHeardAtFullVolume) {
  // The sound bank is loaded once the start-up picture has been shown (about
  // 250 ms of the game's clock): sounds are played after that. Sound 18: a
  // fifth of a second of a square wave, mono 44100 Hz 16-bit.
  RunOptions o;
  o.diskAudio = true;
  o.dataFiles = {{"sound.sdf", soundtest::BuildSoundBank({{18, 1, 44100, 16, 0, soundtest::SquareWave16(8820, 1, 12000)}})}};
  o.script = "500 sound 18\n550 wait-sound\n700 key 27\n750 key 27\n";
  const auto run = RunGame("sound-heard", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  // The square wave at full volume on both stereo channels: most of its
  // samples are there at (nearly) their full amplitude of 12000.
  EXPECT_GE(CountAbove(run.DiskAudio(), 10000), 8820);
  // The title's hover sound is the title menu's unit test's; that nothing
  // else is heard at the title, the silent runs below show.
}

TEST(SoundE2E, TheTitleTuneGivesWayToTheRoundsTuneAndComesBackAfterTheGame) {
  // The title comes with the key at 400 ms; its tune plays on through the
  // players' set-up; PLAY GAME starts a round (the music stops, the round's
  // tune starts); Esc then Y leave the game, and the title's tune starts again.
  RunOptions o;
  o.diskAudio = o.withTunes = true;
  o.extraArgs = {"--classic"};  // Y leaves straight to the title, as designed
  o.script = "400 key 65\n500 wait-music 1000\n600 key 32\n" + Click(800, 480, 440, true) +
             Click(1000, 160, 440, true) + "1200 wait-music 1500\n1300 key 27\n1400 key 89\n1500 wait-music 1000\n1600 key 27\n";
  auto run = RunGame("music-title", o);
  ASSERT_TRUE(run.Clean()) << run.stderrText;
  const std::vector<int16_t> out = run.DiskAudio();
  const size_t frames = out.size() / 2, first = FirstSoundingFrame(out);
  ASSERT_LT(first + kFramesPerSecond, frames) << "no music after the title cue";

  // Heard, and well under the full-scale level the effects reach.
  namespace sa = sound_analysis;
  const double start = first / sa::kRate;
  const double level = sa::Db(sa::Rms(sa::Slice(sa::Mix(out, 2), start, start + 1.0)));
  EXPECT_GT(level, -40.0);
  EXPECT_LT(level, -18.0);

  // Where the title's tune starts again: the first later frame from which a
  // quarter second of it, half a second in, comes back sample for sample (the
  // click of the Y may still sound over its first moments).
  const size_t opening = kFramesPerSecond / 4, skip = kFramesPerSecond / 2;
  size_t again = first + 1;
  while (again + skip + opening <= frames && !FramesEqual(out, first + skip, again + skip, opening)) ++again;
  ASSERT_LE(again + skip + opening, frames) << "the title's tune did not come back after the game";

  // The first play (the second of music waited for, or more), then (after
  // whatever silence the change of tune leaves) the round's own tune, which
  // opens differently.
  size_t played = skip;
  while (first + played < again && again + played < frames && FramesEqual(out, first + played, again + played, 1)) ++played;
  EXPECT_GE(played, kFramesPerSecond * 9 / 10);
  size_t round = first + played;
  while (round < again && out[2 * round] == 0 && out[2 * round + 1] == 0) ++round;
  ASSERT_LT(round + opening, again) << "no round tune between the title's two plays";
  EXPECT_FALSE(FramesEqual(out, first, round, opening)) << "the round played the title's tune";
}

TEST(SoundE2E, WithoutMusicTunesSoundfontOrDeviceTheTitleIsSilentAndSaysNothing) {
  struct Case {
    const char* name;
    std::vector<std::string> args, env;
    bool tunes;
  };
  const Case cases[] = {
      {"no-music", {"--no-music"}, {}, true},
      {"no-tunes", {}, {}, false},
      {"no-soundfont", {}, {"SDL_SOUNDFONTS=/nonexistent/none.sf2"}, true},
      {"no-device", {}, {"SDL_AUDIODRIVER=no-such-driver"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool device = c.env.empty() || c.env[0].find("DRIVER") == std::string::npos;
    RunOptions o;
    o.diskAudio = true;
    o.withTunes = c.tunes;
    o.extraArgs = c.args;
    o.env = c.env;
    // A second of the title in real time, then the run is ended. Without a
    // device sounds are not played and the (here empty) bank is not even read.
    o.script = device ? "400 key 65\n500 shot title.png\n"
                      : "300 sound 18\n350 wait-sound\n360 sound 400\n400 key 65\n500 shot title.png\n";
    if (!device) o.dataFiles = {{"sound.sdf", {}}};
    o.sigtermAfterShot = "title.png";
    const auto run = RunGame(std::string("music-") + c.name, o);
    EXPECT_TRUE(run.Clean()) << run.stderrText;
    EXPECT_GE(run.state["frames"].get<int>(), 5);  // the summary is written after SIGTERM too
    const std::vector<int16_t> out = run.DiskAudio();
    EXPECT_TRUE(!device || out.size() > 2 * kFramesPerSecond / 4) << "too little output to judge";
    EXPECT_EQ(FirstSoundingFrame(out), out.size() / 2) << "music was heard";
  }
}
