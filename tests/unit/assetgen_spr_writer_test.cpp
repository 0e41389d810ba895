// The sprite bank writer, read back by an independent reader of the format
// and by the game's loader: records and offsets, literals and runs, the run
// length limit and the clearing of bit 15, and the banks it refuses to write.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "assetgen/spr_writer.h"
#include "display/colour.h"
#include "spr_test_reader.h"
#include "sprites/sprite_bank_file.h"

namespace {

SpriteImage Image(int w, int h, std::vector<uint16_t> pixels) {
  SpriteImage s;
  s.width = static_cast<uint16_t>(w);
  s.height = static_cast<uint16_t>(h);
  s.pixels = std::move(pixels);
  return s;
}

std::vector<uint8_t> Encode(const std::vector<SpriteImage>& sprites) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(EncodeSpriteBank(sprites, &bytes, &error)) << error;
  return bytes;
}

TEST(AssetgenSprWriter, RoundTripsRunsLiteralsAndRecords) {
  // A mixture: lone pixels, pairs, runs of three and more, runs crossing
  // from one sprite into the next, and transparent pixels.
  std::vector<SpriteImage> sprites;
  sprites.push_back(Image(5, 2, {1, 2, 2, 3, 3, 3, 0, 0, 0, 0}));
  sprites.push_back(Image(3, 1, {0, 7, 0x7FFF}));
  std::vector<uint16_t> mixed(37 * 11);
  for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = static_cast<uint16_t>((i / 5) % 3 == 0 ? 0x0421 : (i * 2654435761u) & 0x7FFF);
  sprites.push_back(Image(37, 11, mixed));
  sprites.push_back(Image(1, 1, {0x7FFF}));

  spr_test::Bank bank;
  std::string why;
  ASSERT_TRUE(spr_test::Decode(Encode(sprites), &bank, &why)) << why;
  ASSERT_EQ(bank.records.size(), sprites.size());
  uint32_t offset = 0;
  for (size_t i = 0; i < sprites.size(); ++i) {
    EXPECT_EQ(bank.records[i].width, sprites[i].width);
    EXPECT_EQ(bank.records[i].height, sprites[i].height);
    EXPECT_EQ(bank.records[i].offset, offset) << "sprites follow each other";
    offset += sprites[i].width * sprites[i].height;
    EXPECT_EQ(bank.Pixels(i), sprites[i].pixels) << "sprite " << i;
  }
  EXPECT_EQ(bank.area.size(), offset) << "the last record ends the area";
  EXPECT_GT(bank.runWords, 0u);
  EXPECT_FALSE(bank.zeroLengthRun);
}

TEST(AssetgenSprWriter, LongRunsAreSplitAtTheLimitAndLargeCanvasesCostLittle) {
  const int w = 1536, h = 768;  // 1,179,648 pixels of one colour
  std::vector<SpriteImage> sprites{Image(w, h, std::vector<uint16_t>(size_t{w} * h, 0x2945)), Image(2, 1, {5, 5})};
  const std::vector<uint8_t> bytes = Encode(sprites);
  spr_test::Bank bank;
  std::string why;
  ASSERT_TRUE(spr_test::Decode(bytes, &bank, &why)) << why;
  EXPECT_EQ(bank.longestRun, static_cast<uint32_t>(kMaxRunLength));
  EXPECT_EQ(bank.Pixels(0), sprites[0].pixels);
  EXPECT_EQ(bank.Pixels(1), sprites[1].pixels);
  // 37 runs of at most 32767 cover the canvas; the pair is two literals.
  const size_t runs = (size_t{w} * h + kMaxRunLength - 1) / kMaxRunLength;
  EXPECT_EQ(bytes.size(), 4 + 2 * 8 + runs * 4 + 2 * 2);

  // A run of exactly the limit and one pixel more.
  std::vector<SpriteImage> edge{Image(kMaxRunLength + 1, 1, std::vector<uint16_t>(kMaxRunLength + 1, 9))};
  ASSERT_TRUE(spr_test::Decode(Encode(edge), &bank, &why)) << why;
  EXPECT_EQ(bank.Pixels(0), edge[0].pixels);
}

TEST(AssetgenSprWriter, Bit15IsClearedSoNoPixelReadsAsARunWord) {
  std::vector<SpriteImage> sprites{Image(4, 1, {0x8001, 0xFFFF, 0x8000, 0x1234}), Image(4, 1, {0xC000, 0xC000, 0xC000, 0x4000})};
  spr_test::Bank bank;
  std::string why;
  ASSERT_TRUE(spr_test::Decode(Encode(sprites), &bank, &why)) << why;
  EXPECT_EQ(bank.Pixels(0), (std::vector<uint16_t>{0x0001, 0x7FFF, 0x0000, 0x1234}));
  // 0xC000 and 0x4000 are the same 15-bit colour: one run of four.
  EXPECT_EQ(bank.Pixels(1), (std::vector<uint16_t>(4, 0x4000)));
  EXPECT_FALSE(bank.literalWithBit15);
}

TEST(AssetgenSprWriter, TheGamesLoaderReadsWhatItWrites) {
  std::vector<SpriteImage> sprites;
  sprites.push_back(Image(200, 200, std::vector<uint16_t>(40000, 0x1357)));  // runs longer than one run word
  std::vector<uint16_t> mixed(64);
  for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = static_cast<uint16_t>(i % 7 < 3 ? 0 : 0x8000 | (i * 977));
  sprites.push_back(Image(8, 8, mixed));  // literals and short runs, some with bit 15 set
  sprites.push_back(Image(3, 1, {0x7FFF, 0x7FFF, 0x7FFF}));
  std::vector<uint8_t> bytes = Encode(sprites);
  const std::string path = testing::TempDir() + "/assetgen_writer_" + std::to_string(getpid()) + ".spr";
  std::string error;
  ASSERT_TRUE(WriteBytesToFile(path, bytes, &error)) << error;

  const int32_t layout = g_display.pixelLayout;
  for (int32_t l : {kLayout555, kLayout565}) {
    SCOPED_TRACE(l);
    g_display.pixelLayout = l;
    SpriteBankWork work;
    ASSERT_TRUE(work.Allocate());
    ReadSpriteBank(path, &work);
    uint32_t offset = 0;
    for (size_t i = 0; i < sprites.size(); ++i) {
      ASSERT_EQ(work.widths[i], sprites[i].width) << i;
      ASSERT_EQ(work.heights[i], sprites[i].height) << i;
      ASSERT_EQ(work.offsets[i], offset) << i;
      for (size_t k = 0; k < sprites[i].pixels.size(); ++k)
        ASSERT_EQ(work.pixels[offset + k], ConvertFilePixel(sprites[i].pixels[k] & 0x7FFF, l)) << i << " " << k;
      offset += static_cast<uint32_t>(sprites[i].pixels.size());
    }
    EXPECT_EQ(work.widths[sprites.size()], 0) << "nothing after the last record";
    EXPECT_EQ(work.pixelCount, offset);
  }
  g_display.pixelLayout = layout;
  std::filesystem::remove(path);
}

TEST(AssetgenSprWriter, RefusesBanksTheGameCouldNotLoad) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_FALSE(EncodeSpriteBank({}, &bytes, &error));
  EXPECT_FALSE(error.empty());
  SpriteImage zero = Image(0, 3, {});
  EXPECT_FALSE(EncodeSpriteBank({Image(1, 1, {1}), zero}, &bytes, &error));
  EXPECT_NE(error.find("sprite 1"), std::string::npos) << error;
  EXPECT_FALSE(EncodeSpriteBank({Image(2, 2, {1, 2, 3})}, &bytes, &error)) << "too few pixels";
  EXPECT_FALSE(EncodeSpriteBank(std::vector<SpriteImage>(1025), &bytes, &error));
  EXPECT_TRUE(EncodeSpriteBank(std::vector<SpriteImage>(1024), &bytes, &error)) << error;
}

}  // namespace
