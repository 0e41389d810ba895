// The sprite bank loader: decoding of records, runs and literals with the
// pixel conversion, which entries a load replaces, the reload of the display
// memory canvases, and banks that are missing or broken.
#include <gtest/gtest.h>

#include "display/colour.h"
#include "sprite_test_fixture.h"
#include "sprites/blit.h"
#include "sprites/collision.h"
#include "sprites/sprite_bank_file.h"
#include "sprites/sprite_loader.h"
#include "support/sprite_bank_bytes.h"

using testbank::MakeBank;
using testbank::PatternPicture;
using testbank::Picture;
using testbank::RawBank;
using testbank::Record;
using testbank::RunsOf;

namespace {

// The pixels a picture should have in the table, converted to the layout.
std::vector<uint16_t> Converted(const Picture& p, int32_t layout) {
  std::vector<uint16_t> out;
  for (uint16_t v : p.pixels) out.push_back(ConvertFilePixel(v, layout));
  return out;
}

// Old contents of entries 0..n-1: distinct 1 x 1 sprites.
void FillOld(SpriteTable& table, int n) {
  for (int i = 0; i < n; ++i) table[i] = MakeSprite(1, 1, {}, static_cast<uint16_t>(0x100 + i));
}

}  // namespace

class SpriteBankTest : public SpriteTableTest {};

TEST_F(SpriteBankTest, DecodesIntoTheAreaOfTheLastRecordAndARunOfZeroGivesNoPixel) {
  g_display.pixelLayout = kLayout555;  // pixels as in the file
  // Three records; the last (10 x 2 at 100) alone gives the area: 120 pixels.
  const std::vector<Record> records = {{5, 2, 0}, {4, 5, 10}, {10, 2, 100}};
  const std::vector<uint16_t> stream = {0x8005, 0x7FFF,                   // five white pixels
                                        0x8000, 0x1234,                   // a run of 0: no pixel
                                        0x001F, 0x03E0, 0x7C00, 0x7FFF,   // literals
                                        0x8000 + 111, 0xFFFF,             // bit 15 of a value is ignored
                                        0x2222};                          // beyond the area: unread
  SpriteBankWork work;
  ASSERT_TRUE(work.Allocate());
  ReadSpriteBank(WriteTemp("decode.spr", RawBank(3, records, stream)), &work);
  ASSERT_EQ(work.pixelCount, 120u);
  EXPECT_EQ((std::vector<int>{work.widths[2], work.heights[1], int(work.offsets[1])}), (std::vector<int>{10, 5, 10}));
  std::vector<uint16_t> want(120, 0x7FFF);
  want[5] = 0x001F, want[6] = 0x03E0, want[7] = 0x7C00;
  EXPECT_EQ(std::vector<uint16_t>(work.pixels.get(), work.pixels.get() + 120), want);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SpriteBankTest, ALoadReplacesEntriesInFileOrderUpToTheFirstWidthZeroAndKeepsTheRest) {
  g_display.pixelLayout = kLayout565;
  FillOld(Table(), 25);
  std::vector<Picture> pictures;
  for (int i = 0; i < 20; ++i) pictures.push_back(PatternPicture(static_cast<uint16_t>(3 + i), 2, i, true));
  pictures[7] = Picture{0, 4, {}};  // width 0: the load stops here
  LoadSpriteBank(WriteTemp("twenty.spr", MakeBank(pictures)), BankLoad::kGame, &Table());

  EXPECT_TRUE(Messages().empty());
  for (int i = 0; i < 25; ++i) {
    SCOPED_TRACE(i);
    const SpriteEntry& e = Table()[i];
    ASSERT_TRUE(e.surface);
    EXPECT_EQ(std::pair(int{e.width}, int{e.height}), i < 7 ? std::pair(3 + i, 2) : std::pair(1, 1));
    EXPECT_EQ(PixelsOf(*e.surface), i < 7 ? Converted(pictures[i], kLayout565) : std::vector<uint16_t>{uint16_t(0x100 + i)});
  }
}

TEST_F(SpriteBankTest, TheReloadRebuildsSprites0And441FromTheFileAndNothingElseAndAMissingBankChangesNothing) {
  g_display.pixelLayout = kLayout565;
  std::vector<Picture> pictures(442, testbank::SolidPicture(1, 1, 0x0421));
  for (int i : {0, 1, 2, 441}) pictures[i] = PatternPicture(static_cast<uint16_t>(3 + i % 5), 4, i);
  const std::string path = WriteTemp("small.spr", MakeBank(pictures));
  LoadSpriteBank(path, BankLoad::kGame, &Table());
  for (int i : {0, 1, 2, 441}) {
    platform::Surface& s = *Table()[i].surface;
    std::fill_n(s.Data(), s.Width() * s.Height(), 0x1234);
  }

  LoadSpriteBank(path, BankLoad::kVideoReload, &Table());

  EXPECT_TRUE(Messages().empty());
  for (int i : {0, 441}) EXPECT_EQ(PixelsOf(*Table()[i].surface), Converted(pictures[i], kLayout565));
  for (int i : {1, 2}) EXPECT_EQ(PixelsOf(*Table()[i].surface), std::vector<uint16_t>(pictures[i].pixels.size(), 0x1234));

  for (BankLoad load : {BankLoad::kGame, BankLoad::kVideoReload})
    LoadSpriteBank(::testing::TempDir() + "bulwark_no_such_bank.spr", load, &Table());
  EXPECT_EQ(Messages(), (std::vector<std::string>{"no open load", "no open load"}));
  EXPECT_EQ(PixelsOf(*Table()[0].surface), Converted(pictures[0], kLayout565));
}

TEST_F(SpriteBankTest, BrokenBanksAreReportedAndLoadNothing) {
  const std::vector<uint16_t> four = {1, 2, 3, 4};
  std::vector<uint8_t> oddTail = RawBank(1, {{2, 2, 0}}, {1, 2, 3});
  // Sprites may share pixels, but five of 4096 x 4096 on one area ask for
  // more surface than any bank may (such a file of a few kilobytes, with more
  // records, once made the loader take gigabytes).
  const std::vector<Record> shared(5, Record{4096, 4096, 0});
  oddTail.push_back(0x04);  // half of the last pixel
  struct Case { const char* name; std::vector<uint8_t> bytes; const char* message; };
  const std::vector<Case> cases = {
      {"count cut short", {1, 0, 0}, kBankShort},
      {"count 0", RawBank(0, {}, four), kBankBadCount},
      {"count 1025", RawBank(1025, {{2, 2, 0}}, four), kBankBadCount},
      {"records cut short", RawBank(3, {{2, 2, 0}, {2, 2, 4}}, {}), kBankShort},
      {"half a pixel at the end", oddTail, kBankShort},
      {"run without its value", RawBank(1, {{2, 2, 0}}, {1, 0x8003}), kBankShort},
      {"record beyond the area", RawBank(2, {{10, 10, 0}, {2, 2, 0}}, four), kBankBadSize},
      {"absurd area", RawBank(1, {{0xFFFF, 0xFFFF, 0xFFFFFFFF}}, four), kBankBadSize},
      {"area the file cannot hold", RawBank(1, {{1000, 1000, 0}}, four), kBankShort},
      {"run over the end after literals", RawBank(1, {{4, 1, 0}}, {7, 7, 0x8003, 0x1111}), kBankBadRun},
      {"a width but no height", MakeBank({PatternPicture(2, 2, 1), Picture{3, 0, {}}, PatternPicture(1, 1, 2)}), kBankBadSize},
      {"sprites together beyond the bound", RawBank(5, shared, RunsOf(4096 * 4096, 0x1234)), kBankBadSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::ClearMessagesShown();
    FillOld(Table(), 4);
    const std::string path = WriteTemp("broken.spr", c.bytes);
    SpriteBankWork work;
    ASSERT_TRUE(work.Allocate());
    ReadSpriteBank(path, &work);
    EXPECT_EQ(work.widths[0], 0);
    EXPECT_FALSE(work.pixels);
    LoadSpriteBank(path, BankLoad::kGame, &Table());
    EXPECT_EQ(Messages(), (std::vector<std::string>{c.message, c.message}));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Table()[i].surface->At(0, 0), 0x100 + i);
  }
}

TEST_F(SpriteBankTest, ASpriteThatCannotBeCreatedIsReportedAndDrawsAndCollidesAsNothing) {
  // Entry 0 is a display-memory canvas of the game bank, entry 2 a plain
  // sprite; neither can be made. All four records share one white area.
  using testbank::kUnmakeable;
  using testbank::kUnmakeablePixels;
  const std::string path =
      WriteTemp("cannot.spr", RawBank(4, {kUnmakeable, {2, 2, 0}, kUnmakeable, {4, 4, kUnmakeablePixels - 16}},
                                      RunsOf(kUnmakeablePixels, 0x7FFF)));
  FillOld(Table(), 4);
  LoadSpriteBank(path, BankLoad::kGame, &Table());
  EXPECT_EQ(Messages(), (std::vector<std::string>{"ERROR DIRECT X Create surface video SPR no memory system",
                                                  "ERROR DIRECT X Create surface ld"}));
  for (int i : {0, 2}) {
    SCOPED_TRACE(i);
    const SpriteEntry& e = Table()[i];
    EXPECT_FALSE(e.surface);
    EXPECT_EQ(std::pair(e.width, e.height), std::pair(kUnmakeable.width, kUnmakeable.height));
    platform::Surface target(8, 8);
    DrawSprite(&target, e, 1, 1);
    DrawSpriteClipped(&target, e, 1, 1);
    EXPECT_EQ(PixelsOf(target), std::vector<uint16_t>(64, 0));
    EXPECT_FALSE(SpritesCollide(e, 0, 0, Table()[3], 0, 0) || SpritesCollide(Table()[3], 0, 0, e, 0, 0) ||
                 EraseUnderSprite(e, 0, 0, Table()[3], 0, 0) || PointInSprite(0, 0, e, 0, 0));
  }
  EXPECT_EQ(PixelsOf(*Table()[3].surface), std::vector<uint16_t>(16, ConvertFilePixel(0x7FFF, g_display.pixelLayout)));

  // The start-up bank makes every entry a plain sprite.
  platform::ClearMessagesShown();
  LoadSpriteBank(path, BankLoad::kStartup, &Table());
  EXPECT_EQ(Messages(), std::vector<std::string>(2, "ERROR DIRECT X Create surface ld"));
}

TEST_F(SpriteBankTest, FillingCopiesOnlyWhatLiesInsideTheAreaAndReportsALockedOutSurface) {
  g_display.pixelLayout = kLayout555;
  SpriteBankWork work;
  ASSERT_TRUE(work.Allocate());
  ReadSpriteBank(WriteTemp("fill.spr", MakeBank({PatternPicture(4, 3, 7)})), &work);
  ASSERT_EQ(work.pixelCount, 12u);

  platform::Surface s(4, 3);
  FillSpriteSurface(&s, 4, 3, 1, work);  // one pixel past the area: refused
  FillSpriteSurface(&s, 5, 3, 0, work);  // wider than the surface: refused
  s.SetLost(true);
  FillSpriteSurface(&s, 4, 3, 0, work);  // locked out: reported
  s.SetLost(false);
  EXPECT_EQ(PixelsOf(s), std::vector<uint16_t>(12, 0));
  EXPECT_EQ(Messages(), std::vector<std::string>{"ERROR DIRECT X LOCK DE"});
  FillSpriteSurface(&s, 4, 3, 0, work);
  EXPECT_EQ(PixelsOf(s), std::vector<uint16_t>(work.pixels.get(), work.pixels.get() + 12));
}
