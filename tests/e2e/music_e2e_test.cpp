// End-to-end: the music cues heard through SDL's disk audio driver (the
// output written to a file in the run's folder). The title screen plays its
// tune; a round stops it and plays its own; the title, coming back, plays its
// tune from the start again. With --no-music, without the tune files, without
// a soundfont or without a sound device the game is silent and says nothing.
#include <gtest/gtest.h>

#include <cmath>

#include "support/game_run.h"
#include "support/sound_analysis.h"

using e2e::RunGame;
using e2e::RunOptions;

namespace {

constexpr size_t kFramesPerSecond = 44100;

RunOptions DiskAudioRun() {
  RunOptions o;
  o.withTunes = true;
  o.env = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=audio.raw"};
  return o;
}

// Stereo frames: a frame is two samples.
bool FramesEqual(const std::vector<int16_t>& s, size_t a, size_t b, size_t count) {
  for (size_t i = 0; i < 2 * count; ++i)
    if (s[2 * a + i] != s[2 * b + i]) return false;
  return true;
}

size_t FirstSoundingFrame(const std::vector<int16_t>& s) {
  size_t i = 0;
  while (i < s.size() && s[i] == 0) ++i;
  return i / 2;
}

}  // namespace

TEST(MusicE2E, TheTitleTuneGivesWayToTheRoundsTuneAndComesBackAfterTheGame) {
  // The title comes with the key at 400 ms; its tune plays on through the
  // players' set-up; PLAY GAME starts a round (the music stops, the round's
  // tune starts); Esc then Y leave the game, and the title's tune starts again.
  RunOptions o = DiskAudioRun();
  o.script =
      "400 key 65\n500 wait-music 1000\n600 key 32\n"
      "800 mouse 480 440\n850 ldown\n850 lup\n1000 mouse 160 440\n1050 ldown\n1050 lup\n"
      "1200 wait-music 1500\n1300 key 27\n1400 key 89\n1500 wait-music 1000\n1600 key 27\n";
  auto run = RunGame("music-title", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(run.Messages().empty()) << run.stderrText;
  const std::vector<int16_t> out = run.DiskAudio("audio.raw");
  const size_t frames = out.size() / 2, first = FirstSoundingFrame(out);
  ASSERT_LT(first + kFramesPerSecond, frames) << "no music after the title cue";

  // Heard, and well under the full-scale level the effects reach.
  const double level = sound_analysis::Db(
      sound_analysis::Rms(sound_analysis::Slice(sound_analysis::Mix(out, 2), first / 44100.0, first / 44100.0 + 1.0)));
  EXPECT_GT(level, -40.0);
  EXPECT_LT(level, -18.0);

  // Where the title's tune starts again: the first later frame from which its
  // opening quarter second comes back sample for sample.
  const size_t opening = kFramesPerSecond / 4;
  size_t again = first + 1;
  while (again + opening <= frames && !FramesEqual(out, first, again, opening)) ++again;
  ASSERT_LE(again + opening, frames) << "the title's tune did not come back after the game";

  // The first play (the second of music waited for, or more), then (after
  // whatever silence the change of tune leaves) the round's own tune, which
  // opens differently.
  size_t played = 0;
  while (first + played < again && again + played < frames && FramesEqual(out, first + played, again + played, 1)) ++played;
  EXPECT_GE(played, kFramesPerSecond * 9 / 10);
  size_t round = first + played;
  while (round < again && out[2 * round] == 0 && out[2 * round + 1] == 0) ++round;
  ASSERT_LT(round + opening, again) << "no round tune between the title's two plays";
  EXPECT_FALSE(FramesEqual(out, first, round, opening)) << "the round played the title's tune";
}

TEST(MusicE2E, WithoutMusicTunesSoundfontOrDeviceTheTitleIsSilentAndSaysNothing) {
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
    RunOptions o = DiskAudioRun();
    o.withTunes = c.tunes;
    o.extraArgs = c.args;
    o.env.insert(o.env.end(), c.env.begin(), c.env.end());  // later settings win
    // A second of the title in real time, then the run is ended.
    o.script = "400 key 65\n500 shot title.png\n";
    o.sigtermAfterShot = "title.png";
    o.sigtermAfterMs = 1000;
    auto run = RunGame(std::string("music-") + c.name, o);
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    EXPECT_TRUE(run.Messages().empty()) << run.stderrText;
    const std::vector<int16_t> out = run.DiskAudio("audio.raw");
    const bool device = std::string(c.name) != "no-device";
    if (device) {
      EXPECT_GT(out.size(), 2 * kFramesPerSecond / 4) << "too little output to judge";
    }
    EXPECT_EQ(FirstSoundingFrame(out), out.size() / 2) << "music was heard";
  }
}
