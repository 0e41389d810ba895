// End-to-end: the start-up picture of intro.spr centred on white in every
// screen size, the game bank loaded after it, and the display-memory sprites
// rebuilt from small.spr after the display was lost.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/colour.h"
#include "support/game_run.h"
#include "support/sprite_bank_bytes.h"

using e2e::RunGame;
using e2e::RunOptions;

namespace {

constexpr const char* kVideoFailed = "ERROR DIRECT X Create surface video SPR no memory system";
constexpr const char* kSystemFailed = "ERROR DIRECT X Create surface ld";

// A game bank of 467 small sprites.
std::vector<uint8_t> GameBank() {
  return testbank::MakeBank(std::vector<testbank::Picture>(467, testbank::SolidPicture(2, 2, 0x0421)));
}

// A game bank of 467 sprites of 2 x 2 sharing one solid area, but the given
// indices, which no surface can hold.
std::vector<uint8_t> BankWithUnmakeable(const std::vector<int>& indices) {
  std::vector<testbank::Record> records(467, testbank::Record{2, 2, 0});
  for (int i : indices) records[static_cast<size_t>(i)] = testbank::kUnmakeable;
  records.back().offset = testbank::kUnmakeablePixels - 4;  // the last record ends the area
  return testbank::RawBank(467, records, testbank::RunsOf(testbank::kUnmakeablePixels, 0x0421));
}

// Runs the game, which should end by the script's Esc having shown no message.
e2e::GameRun RunQuietly(const std::string& tag, const RunOptions& o) {
  e2e::GameRun run = RunGame(tag, o);
  EXPECT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_TRUE(run.Messages().empty()) << run.stderrText;
  return run;
}

}  // namespace

TEST(SpriteStartupE2E, TheStartupPictureShowsCentredOnWhiteInEveryScreenSize) {
  // Odd sizes, so that each half is taken on its own; some pixels transparent.
  const testbank::Picture picture = testbank::PatternPicture(201, 151, 42, true);
  struct Mode {
    uint8_t option;
    int w, h;
  };
  for (const Mode m : {Mode{0, 320, 240}, Mode{1, 640, 480}, Mode{3, 1024, 768}}) {
    SCOPED_TRACE(m.w);
    RunOptions o;
    o.gameIni = {m.option, 0, 0};
    o.dataFiles = {{"intro.spr", testbank::MakeBank({picture})}, {"small.spr", GameBank()}};
    o.script = "130 shot start.png\n400 key 27\n450 key 27\n";
    const auto run = RunQuietly("startup-picture", o);
    std::vector<uint16_t> px;
    int w = 0, h = 0;
    ASSERT_TRUE(run.LoadShot("start.png", &px, &w, &h));
    ASSERT_EQ(w, m.w);
    ASSERT_EQ(h, m.h);
    const uint16_t white = 0xFFDF;  // 31, 31, 31 in 5-6-5
    const int left = m.w / 2 - 100, top = m.h / 2 - 75;
    int mismatches = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int sx = x - left, sy = y - top;
        uint16_t want = white;
        if (sx >= 0 && sx < 201 && sy >= 0 && sy < 151) {
          const uint16_t v = picture.pixels[static_cast<size_t>(sy) * 201 + sx];
          if (v) want = ConvertFilePixel(v, kLayout565);
        }
        if (px[static_cast<size_t>(y) * w + x] != want && mismatches++ < 5)
          ADD_FAILURE() << "pixel " << x << ", " << y << ": " << px[static_cast<size_t>(y) * w + x] << " not " << want;
      }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(SpriteStartupE2E, AfterTheDisplayIsLostSprites0And441AreRebuiltFromTheGameBank) {
  RunOptions o;
  o.script =
      "400 lose-display\n"
      "700 restore-display\n"
      "1000 shot after.png\n"
      "1100 key 27\n1150 key 27\n";
  o.dataFiles = {{"small.spr", GameBank()}};
  auto run = RunQuietly("reload-clean", o);
  std::vector<uint16_t> px;
  int w = 0, h = 0;
  EXPECT_TRUE(run.LoadShot("after.png", &px, &w, &h));

  // Sprites 0 and 441 (display memory) and 2 (system memory) that cannot be
  // made show which entries each load builds: all three at start, only the
  // two display-memory ones again after the display came back.
  o.dataFiles = {{"small.spr", BankWithUnmakeable({0, 2, 441})}};
  run = RunGame("reload-which", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  EXPECT_EQ(run.Messages(), (std::vector<std::string>{kVideoFailed, kSystemFailed, kVideoFailed,  // the load
                                                      kVideoFailed, kVideoFailed}))            // the rebuild
      << run.stderrText;
  EXPECT_TRUE(run.LoadShot("after.png", &px, &w, &h));
}

TEST(SpriteStartupE2E, AMissingGameBankIsReportedAndTheGameGoesOn) {
  RunOptions o;
  o.withGeneratedData = false;
  o.dataFiles = {{"intro.spr", testbank::MakeBank({testbank::SolidPicture(10, 10, 0x001F)})}};
  o.script = "130 shot start.png\n400 key 27\n450 key 27\n";
  auto run = RunGame("no-small", o);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText;
  const auto messages = run.Messages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "no open load"), 1) << run.stderrText;
  std::vector<uint16_t> px;
  int w = 0, h = 0;
  ASSERT_TRUE(run.LoadShot("start.png", &px, &w, &h));
  EXPECT_EQ(px[static_cast<size_t>(h / 2) * w + w / 2], 0x001F);
  EXPECT_EQ(px[0], 0xFFDF);
}
