// End-to-end: the program starts headless, takes its screen from game.ini (or
// --mode), shows the start-up picture, reads its data files and reports what
// is missing or broken and goes on, rebuilds its sprites after losing the
// display, and refuses bad options; with no display and no --headless it
// says so and ends.
#include <gtest/gtest.h>

#include "display/colour.h"
#include "support/game_run.h"
#include "support/sound_bank_builder.h"
#include "support/sprite_bank_bytes.h"

using namespace e2e;
using Texts = std::vector<std::string>;

namespace {

constexpr uint16_t kWhite = 0xFFDF;  // 31, 31, 31 in 5-6-5
constexpr const char* kVideoFailed = "ERROR DIRECT X Create surface video SPR no memory system";
constexpr const char* kSystemFailed = "ERROR DIRECT X Create surface ld";
constexpr const char* kBadBank = "error load music game";

// A game bank of 467 sprites of 2 x 2.
std::vector<uint8_t> SmallBank() {
  return testbank::MakeBank(std::vector<testbank::Picture>(467, testbank::SolidPicture(2, 2, 0x0421)));
}

}  // namespace

TEST(StartupE2E, TheStartupPictureShowsCentredOnWhiteInTheScreenGameIniChooses) {
  // Odd sizes, so that each half is taken on its own; some pixels transparent.
  const testbank::Picture picture = testbank::PatternPicture(201, 151, 42, true);
  struct Mode { std::vector<uint8_t> ini; std::vector<std::string> args; int w, h; };
  // The screen of option 0 (the other options are the configuration's own
  // test), and --mode winning over option 2 (800 x 600). The file is only read.
  for (const Mode& m : {Mode{{0, 0, 0}, {}, 320, 240}, Mode{{2, 1, 1}, {"--mode", "1024x768"}, 1024, 768}}) {
    SCOPED_TRACE(m.w);
    RunOptions o;
    o.gameIni = m.ini;
    o.extraArgs = m.args;
    o.dataFiles = {{"intro.spr", testbank::MakeBank({picture})}, {"small.spr", SmallBank()}};
    o.script = "130 shot start.png\n400 key 27\n450 key 27\n";
    const auto run = RunGame("startup-picture", o);
    EXPECT_TRUE(run.Clean()) << run.stderrText;
    EXPECT_EQ(ReadFile(run.dir + "/data/game.ini"), std::string(m.ini.begin(), m.ini.end()));
    const Shot s = run.LoadShot("start.png");
    ASSERT_EQ(std::pair(s.w, s.h), std::pair(m.w, m.h));
    const int left = m.w / 2 - 100, top = m.h / 2 - 75;
    std::vector<uint16_t> want(s.px.size(), kWhite);
    for (int y = 0; y < 151; ++y)
      for (int x = 0; x < 201; ++x)
        if (const uint16_t v = picture.pixels[y * 201 + x]) want[(top + y) * m.w + left + x] = ConvertFilePixel(v, kLayout565);
    EXPECT_TRUE(s.px == want);
  }
}

TEST(StartupE2E, MissingOrBrokenDataFilesAreReportedAndTheGameGoesOn) {
  const auto bank = soundtest::BuildSoundBank({{18, 1, 44100, 16, 0, soundtest::SquareWave16(8820, 1, 12000)}});
  // Sprites 0 and 441 (display memory) and 2 (system memory) that cannot be
  // made show which entries each load builds: all three at start, only the
  // two display-memory ones again after the display came back.
  std::vector<testbank::Record> records(467, testbank::Record{2, 2, 0});
  for (int i : {0, 2, 441}) records[i] = testbank::kUnmakeable;
  records.back().offset = testbank::kUnmakeablePixels - 4;  // the last record ends the shared area
  const auto unmakeable = testbank::RawBank(467, records, testbank::RunsOf(testbank::kUnmakeablePixels, 0x0421));
  const std::string toTheTitle = "300 key 32\n400 sound 18\n";
  const std::string loseDisplay = toTheTitle + "500 lose-display\n1500 restore-display\n1700 shot after.png\n1800 key 27\n";
  struct Case { const char* tag; bool generated; std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
                std::string script; Texts messages; int minFrames, maxFrames; };
  const Case cases[] = {
      // Nothing but the start-up picture, and a directory named game.ini,
      // which is no file (not an empty one).
      {"missing", false, {{"intro.spr", testbank::MakeBank({testbank::SolidPicture(10, 10, 0x001F)})}, {"game.ini/", {}}},
       toTheTitle + "650 key 27\n",
       {"no open game.ini", "no open load", kBadBank, "no open earth"}, 15, 1000},
      // A sound bank a byte short of its last sound. While the display was away
      // the game thread waited in the recovery and presented no frames: about
      // 500 ms of frames instead of 1500.
      {"rebuild", true, {{"small.spr", unmakeable}, {"sound.sdf", {bank.begin(), bank.end() - 1}}}, loseDisplay,
       {kVideoFailed, kSystemFailed, kVideoFailed, kBadBank, kVideoFailed, kVideoFailed}, 20, 60},
  };
  for (const Case& c : cases) {
    RunOptions o;
    o.withGeneratedData = c.generated;
    o.dataFiles = c.files;
    o.script = c.script;
    if (!c.generated) o.gameIni.clear();
    const auto run = RunGame(c.tag, o);
    EXPECT_EQ(run.exitCode, 0) << run.stderrText;
    EXPECT_EQ(run.Messages(), c.messages) << run.stderrText;
    EXPECT_GE(run.state["frames"].get<int>(), c.minFrames) << c.tag;
    EXPECT_LE(run.state["frames"].get<int>(), c.maxFrames) << c.tag;
    EXPECT_TRUE(c.script != loseDisplay || run.LoadShot("after.png").w == 640) << c.tag;
    EXPECT_TRUE(c.generated || run.stderrText.find("message: no open game.ini") != std::string::npos) << run.stderrText;
  }
}

TEST(StartupE2E, BadOptionsScriptsAndDisplaysAreRefusedClearly) {
  struct Case { std::vector<std::string> args, env; int exitCode; std::string text; };
  const std::string noDisplay = "no display found; run it on a desktop, or use --headless for tests";
  // A directory opens but holds no script, /dev/zero never ends: both
  // refused, not waited on forever.
  // With no X or Wayland display the windowing driver cannot start, or SDL
  // falls back on one that draws nowhere.
  const Case cases[] = {
      {{}, {}, 1, "line 1: unknown command 'jump'"},
      {{"--script", "."}, {}, 1, "cannot open script '.'"},
      {{"--script", "/dev/zero"}, {}, 1, "script '/dev/zero' is larger than 4 MB"},
      {{"--scale", "zero"}, {}, 2, "--scale"},
      {{"--scale", "3x"}, {}, 2, "--scale wants a whole number from 1 to 8, not '3x'"},
      {{"--scale"}, {}, 2, "option --scale needs a value"},
      {{"--mode", "1280x1024"}, {}, 2, "--mode wants 320x240, 640x480, 800x600 or 1024x768, not '1280x1024'"},
      {{}, {"SDL_VIDEODRIVER"}, 1, noDisplay},
      {{}, {"SDL_VIDEODRIVER=x11"}, 1, noDisplay},
      {{}, {"SDL_VIDEODRIVER=offscreen"}, 1, noDisplay},
  };
  for (const Case& c : cases) {
    RunOptions o;
    o.script = c.env.empty() ? "100 jump 3\n" : "100 quit\n";
    o.extraArgs = c.args;
    o.headless = c.env.empty();
    o.env = c.env;
    o.env.insert(o.env.end(), {"DISPLAY", "WAYLAND_DISPLAY"});
    o.timeoutSeconds = 20;
    const auto run = RunGame("refused", o);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.text;
    EXPECT_NE(run.stderrText.find(c.text), std::string::npos) << run.stderrText;
    EXPECT_TRUE(o.headless || run.stderrText == "bulwark: " + noDisplay + "\n") << run.stderrText;
    EXPECT_TRUE(run.state.is_null()) << c.text;  // the game never started
  }
}
