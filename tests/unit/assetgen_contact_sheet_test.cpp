// The contact sheet reads the banks back through the game's loader and lays
// their pictures out in cells: a small bank written here, its sheet read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "assetgen/art/passes.h"
#include "assetgen/contact_sheet.h"
#include "assetgen/spr_writer.h"
#include "platform/png.h"

namespace {

using art::FlatSprite;

void WriteBank(const std::string& path, const std::vector<SpriteImage>& sprites) {
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodeSpriteBank(sprites, &bytes, &error)) << error;
  ASSERT_TRUE(WriteBytesToFile(path, bytes, &error)) << error;
}

TEST(AssetgenContactSheet, ShowsTheBanksAsTheGamesLoaderReadsThem) {
  const std::string dir = testing::TempDir() + "/assetgen_sheet_" + std::to_string(getpid());
  std::filesystem::create_directories(dir);
  // White (5-5-5 0x7FFF), then pure red with a transparent corner, then blue.
  SpriteImage red = FlatSprite(3, 2, 0x7C00);
  red.pixels[0] = 0;
  WriteBank(dir + "/small.spr", {FlatSprite(4, 4, 0x7FFF), red, FlatSprite(2, 2, 0x001F)});
  WriteBank(dir + "/intro.spr", {FlatSprite(5, 5, 0x03E0)});

  const std::string png = dir + "/sheet.png";
  std::string error;
  ASSERT_TRUE(WriteContactSheetOf(dir, png, SheetOptions{}, &error)) << error;
  std::vector<uint16_t> px;
  int w = 0, h = 0;
  ASSERT_TRUE(platform::LoadPng565(png, &px, &w, &h, &error)) << error;
  // The first cell starts at (6, 6); small sprites are shown twice their size,
  // in the 5-6-5 pixels the loader converts them to.
  auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * w + x]; };
  EXPECT_EQ(at(6, 6), 0xFFDF);
  EXPECT_EQ(at(6 + 7, 6 + 7), 0xFFDF);
  EXPECT_NE(at(6 + 8, 6 + 8), 0xFFDF) << "the white sprite is 8 x 8 on the sheet";

  // Only sprite 1, shown 3 times its size: its transparent pixel shows the
  // checkerboard, the others are red.
  SheetOptions one;
  one.first = one.last = 1;
  one.zoom = 3;
  ASSERT_TRUE(WriteContactSheetOf(dir, png, one, &error)) << error;
  ASSERT_TRUE(platform::LoadPng565(png, &px, &w, &h, &error)) << error;
  EXPECT_NE(at(6, 6), 0xF800);
  EXPECT_EQ(at(6 + 3, 6), 0xF800);
  EXPECT_EQ(at(6 + 8, 6 + 5), 0xF800);

  // A range past the bank shows the start-up picture, green.
  SheetOptions intro;
  intro.first = intro.last = 467;
  ASSERT_TRUE(WriteContactSheetOf(dir, png, intro, &error)) << error;
  ASSERT_TRUE(platform::LoadPng565(png, &px, &w, &h, &error)) << error;
  EXPECT_EQ(at(6, 6), 0x07C0);

  // Without the banks there is no sheet, and a message says why.
  std::filesystem::remove(dir + "/small.spr");
  EXPECT_FALSE(WriteContactSheetOf(dir, png, SheetOptions{}, &error));
  EXPECT_NE(error.find("small.spr"), std::string::npos) << error;
  std::filesystem::remove_all(dir);
}

}  // namespace
