// game.ini bytes -> configuration, and the font height each display option picks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "display/text.h"
#include "shell/config.h"

TEST(Config, TheBytesPickTheScreenOfTheirOptionAndStoreTheFlagsAsTheyAre) {
  // Unknown options (a text file's "100" among them) keep the default 640 x 480; a
  // short file keeps the defaults of its missing bytes; bytes after the third are ignored.
  struct Case { std::vector<uint8_t> bytes; std::vector<int> option_w_h_noVblank_noRefresh; };
  const Case cases[] = {
      {{0, 0, 0}, {0, 320, 240, 0, 0}},      {{1, 1, 1}, {1, 640, 480, 1, 1}},   {{2, 0, 0, 9, 9}, {2, 800, 600, 0, 0}},
      {{3, 0, 0}, {3, 1024, 768, 0, 0}},     {{4, 0, 0}, {4, 640, 480, 0, 0}},   {{255, 0, 0}, {255, 640, 480, 0, 0}},
      {{'1', '0', '0'}, {0x31, 640, 480, 0x30, 0x30}},                           {{2}, {2, 800, 600, 0, 0}},
      {{3, 5}, {3, 1024, 768, 5, 0}},        {{}, {0, 640, 480, 0, 0}},
  };
  for (const Case& c : cases) {
    uint8_t file[8];
    std::fill(std::begin(file), std::end(file), 0x77);  // beyond the file's bytes: never read
    std::copy(c.bytes.begin(), c.bytes.end(), file);
    ConfigState s;
    ApplyConfigBytes(file, c.bytes.size(), &s);
    EXPECT_EQ((std::vector<int>{s.displayOption, s.screenWidth, s.screenHeight, s.noVblankWait, s.noRefreshWarning}),
              c.option_w_h_noVblank_noRefresh)
        << testing::PrintToString(c.bytes);
  }
}

TEST(Config, FontHeightFollowsTheDisplayOptionAndOtherOptionsKeepTheHeightTheyHad) {
  for (const auto& [option, height] : {std::pair{0, 12}, {1, 18}, {2, 23}, {3, 30}, {4, 7}, {0x31, 7}})
    EXPECT_EQ(FontHeightForOption(option, 7), height) << option;
}
