// game.ini bytes -> configuration, and the font height each display option picks.
#include <gtest/gtest.h>

#include "display/text.h"
#include "shell/config.h"

namespace {

ConfigState Apply(std::vector<uint8_t> bytes) {
  ConfigState c;
  ApplyConfigBytes(bytes.data(), bytes.size(), &c);
  return c;
}

}  // namespace

TEST(Config, EachDisplayOptionPicksItsScreenAndTheFlagsAreStoredAsTheyAre) {
  ConfigState c = Apply({3, 0, 0});
  EXPECT_EQ(c.screenWidth, 1024);
  EXPECT_EQ(c.screenHeight, 768);
  EXPECT_EQ(c.displayOption, 3);
  EXPECT_EQ(c.noVblankWait, 0);
  EXPECT_EQ(c.noRefreshWarning, 0);

  c = Apply({1, 1, 1});
  EXPECT_EQ(c.screenWidth, 640);
  EXPECT_EQ(c.screenHeight, 480);
  EXPECT_EQ(c.noVblankWait, 1);
  EXPECT_EQ(c.noRefreshWarning, 1);

  EXPECT_EQ(Apply({0, 0, 0}).screenWidth, 320);
  EXPECT_EQ(Apply({0, 0, 0}).screenHeight, 240);
  EXPECT_EQ(Apply({2, 0, 0}).screenWidth, 800);
  EXPECT_EQ(Apply({2, 0, 0}).screenHeight, 600);
  // Bytes after the third are ignored.
  EXPECT_EQ(Apply({2, 0, 0, 9, 9}).noRefreshWarning, 0);
}

TEST(Config, ATextFileIsNotAnOptionAndUnknownOptionsKeepTheDefaultScreen) {
  // "100" as text: option 0x31, the default 640 x 480, both flags set (0x30 != 0).
  ConfigState c = Apply({'1', '0', '0'});
  EXPECT_EQ(c.displayOption, 0x31);
  EXPECT_EQ(c.screenWidth, 640);
  EXPECT_EQ(c.screenHeight, 480);
  EXPECT_EQ(c.noVblankWait, 0x30);
  EXPECT_EQ(c.noRefreshWarning, 0x30);
  EXPECT_EQ(Apply({4, 0, 0}).screenWidth, 640);
  EXPECT_EQ(Apply({255, 0, 0}).screenHeight, 480);
}

TEST(Config, AShortFileKeepsTheDefaultsOfTheMissingBytes) {
  ConfigState c = Apply({2});
  EXPECT_EQ(c.screenWidth, 800);
  EXPECT_EQ(c.noVblankWait, 0);
  EXPECT_EQ(c.noRefreshWarning, 0);
  c = Apply({3, 5});
  EXPECT_EQ(c.noVblankWait, 5);
  EXPECT_EQ(c.noRefreshWarning, 0);
  c = Apply({});
  EXPECT_EQ(c.displayOption, 0);
  EXPECT_EQ(c.screenWidth, 640);
}

TEST(Config, FontHeightFollowsTheDisplayOption) {
  EXPECT_EQ(FontHeightForOption(0, 0), 12);
  EXPECT_EQ(FontHeightForOption(1, 0), 18);
  EXPECT_EQ(FontHeightForOption(2, 0), 23);
  EXPECT_EQ(FontHeightForOption(3, 0), 30);
  // Any other option keeps the height it had (0: the face's default).
  EXPECT_EQ(FontHeightForOption(4, 0), 0);
  EXPECT_EQ(FontHeightForOption(0x31, 0), 0);
}
