// Sprite banks: the writer read back by an independent reader of the format
// (written here from its description alone) and by the game's loader:
// records and offsets, literals and runs, the run length limit, bit 15
// cleared, banks it refuses. Then the generated banks: the catalogue's sizes,
// the rules the game's code relies on (solid ground tiles, fort masks that
// match the fort, solid fireball discs, see-through slot windows, transparent
// fort canvases), shells that leave their fort clear and the pointer probe
// that meets every button (through the game's loader and collision test),
// animation frames that differ, the same bytes on every run; and the contact
// sheet that shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "assetgen/art/passes.h"
#include "assetgen/contact_sheet.h"
#include "assetgen/generators.h"
#include "assetgen/spr_writer.h"
#include "display/colour.h"
#include "display/display_state.h"
#include "platform/png.h"
#include "sprites/collision.h"
#include "sprites/sprite_bank_file.h"
#include "sprites/sprite_loader.h"
#include "support/test_files.h"

namespace {

using testfiles::ReadTestFile;
using testfiles::TestDir;

struct Record {
  uint16_t width = 0, height = 0;
  uint32_t offset = 0;
};

// A bank as the independent reader sees it.
struct Bank {
  std::vector<Record> records;
  std::vector<uint16_t> area;  // the decoded pixel area
  size_t streamWords = 0, runWords = 0;
  uint32_t longestRun = 0;
  bool literalWithBit15 = false, zeroLengthRun = false;  // never

  std::vector<uint16_t> Pixels(size_t i) const {
    const Record& r = records[i];
    return std::vector<uint16_t>(area.begin() + r.offset, area.begin() + r.offset + size_t{r.width} * r.height);
  }
};

// The count, the records, then the area from a stream of literal words and
// runs (a word with bit 15 set: its low 15 bits repeat the next word).
// False with a reason when the bytes do not make a whole bank.
bool Decode(const std::vector<uint8_t>& bytes, Bank* bank, std::string* why) {
  size_t pos = 0;
  auto u16 = [&](uint16_t* v) {
    if (pos + 2 > bytes.size()) return false;
    *v = static_cast<uint16_t>(bytes[pos] | (bytes[pos + 1] << 8));
    return pos += 2, true;
  };
  auto u32 = [&](uint32_t* v) {
    uint16_t lo, hi;
    return u16(&lo) && u16(&hi) && (*v = lo | uint32_t{hi} << 16, true);
  };
  uint32_t count;
  if (!u32(&count) || count < 1 || count > 1024) return *why = "bad count", false;
  bank->records.resize(count);
  for (Record& r : bank->records)
    if (!u16(&r.width) || !u16(&r.height) || !u32(&r.offset)) return *why = "short records", false;
  const size_t total = size_t{bank->records.back().width} * bank->records.back().height + bank->records.back().offset;
  for (const Record& r : bank->records)
    if (r.offset + size_t{r.width} * r.height > total) return *why = "a sprite ends after the last one", false;
  bank->area.clear();
  while (bank->area.size() < total) {
    uint16_t w, v;
    if (!u16(&w)) return *why = "the stream ends early", false;
    ++bank->streamWords;
    if (w < 0x8000) {
      bank->area.push_back(w);
      continue;
    }
    if (!u16(&v)) return *why = "a run without its value", false;
    bank->streamWords++, bank->runWords++;
    const uint32_t n = w - 0x8000u;
    bank->zeroLengthRun |= n == 0;
    bank->literalWithBit15 |= (v & 0x8000) != 0;
    bank->longestRun = std::max(bank->longestRun, n);
    if (bank->area.size() + n > total) return *why = "a run overflows the area", false;
    bank->area.insert(bank->area.end(), n, static_cast<uint16_t>(v & 0x7FFF));
  }
  if (pos != bytes.size()) return *why = "bytes after the pixel area", false;
  return true;
}

std::vector<uint8_t> Encode(const std::vector<SpriteImage>& sprites) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(EncodeSpriteBank(sprites, &bytes, &error)) << error;
  return bytes;
}

// Encodes and decodes; every sprite must come back as it was (bit 15 cleared).
Bank RoundTrip(const std::vector<SpriteImage>& sprites) {
  Bank bank;
  std::string why;
  EXPECT_TRUE(Decode(Encode(sprites), &bank, &why)) << why;
  EXPECT_EQ(bank.records.size(), sprites.size());
  uint32_t offset = 0;
  for (size_t i = 0; i < sprites.size() && i < bank.records.size(); ++i) {
    EXPECT_EQ(std::tuple(bank.records[i].width, bank.records[i].height, bank.records[i].offset), std::tuple(sprites[i].width, sprites[i].height, offset));
    offset += sprites[i].width * sprites[i].height;
    std::vector<uint16_t> expected = sprites[i].pixels;
    for (uint16_t& v : expected) v &= 0x7FFF;
    EXPECT_EQ(bank.Pixels(i), expected) << "sprite " << i;
  }
  EXPECT_EQ(bank.area.size(), offset) << "the last record ends the area";
  EXPECT_FALSE(bank.zeroLengthRun || bank.literalWithBit15);
  return bank;
}

}  // namespace

TEST(AssetgenSprWriter, RoundTripsRunsLiteralsAndRecordsAndClearsBit15) {
  // Lone pixels, pairs, runs of three and more, runs crossing from one
  // sprite into the next, transparent pixels.
  std::vector<uint16_t> mixed(37 * 11);
  for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = static_cast<uint16_t>((i / 5) % 3 == 0 ? 0x0421 : (i * 2654435761u) & 0x7FFF);
  const std::vector<SpriteImage> mixture{
      {5, 2, {1, 2, 2, 3, 3, 3, 0, 0, 0, 0}}, {3, 1, {0, 7, 0x7FFF}}, {37, 11, mixed}, {1, 1, {0x7FFF}}};
  EXPECT_GT(RoundTrip(mixture).runWords, 0u);
  // 0xC000 and 0x4000 are the same 15-bit colour: one run of four.
  RoundTrip({{4, 1, {0x8001, 0xFFFF, 0x8000, 0x1234}}, {4, 1, {0xC000, 0xC000, 0xC000, 0x4000}}});
  // 1,179,648 pixels of one colour: 37 runs of at most 32767; the pair after
  // it is two literals.
  const int w = 1536, h = 768;
  const std::vector<SpriteImage> canvas{{w, h, std::vector<uint16_t>(size_t{w} * h, 0x2945)}, {2, 1, {5, 5}}};
  EXPECT_EQ(RoundTrip(canvas).longestRun, static_cast<uint32_t>(kMaxRunLength));
  EXPECT_EQ(Encode(canvas).size(), 4 + 2 * 8 + (size_t{w} * h + kMaxRunLength - 1) / kMaxRunLength * 4 + 2 * 2);
  RoundTrip({SpriteImage{kMaxRunLength + 1, 1, std::vector<uint16_t>(kMaxRunLength + 1, 9)}});  // the limit and one more
}

// What the writer writes, the game's loader reads: the generated bank it
// loads below collides as painted, and the loader's own tests read banks of
// every kind.
TEST(AssetgenSprWriter, RefusesBanksItCannotWrite) {
  std::string error;
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(EncodeSpriteBank({}, &bytes, &error));
  EXPECT_FALSE(EncodeSpriteBank({SpriteImage{1, 1, {1}}, SpriteImage{0, 3, {}}}, &bytes, &error));
  EXPECT_NE(error.find("sprite 1"), std::string::npos) << error;
  EXPECT_FALSE(EncodeSpriteBank({SpriteImage{2, 2, {1, 2, 3}}}, &bytes, &error)) << "too few pixels";
  EXPECT_FALSE(EncodeSpriteBank(std::vector<SpriteImage>(1025), &bytes, &error));
  EXPECT_TRUE(EncodeSpriteBank(std::vector<SpriteImage>(1024), &bytes, &error)) << error;
}

TEST(AssetgenContactSheet, ShowsTheBanksAsTheGamesLoaderReadsThem) {
  const std::string dir = TestDir("sheet"), png = dir + "/sheet.png";
  std::string error;
  // White (5-5-5 0x7FFF), then pure red with a transparent corner, then blue.
  SpriteImage red = art::FlatSprite(3, 2, 0x7C00);
  red.pixels[0] = 0;
  ASSERT_TRUE(WriteBytesToFile(dir + "/small.spr", Encode({art::FlatSprite(4, 4, 0x7FFF), red, art::FlatSprite(2, 2, 0x001F)}), &error));
  ASSERT_TRUE(WriteBytesToFile(dir + "/intro.spr", Encode({art::FlatSprite(5, 5, 0x03E0)}), &error));
  std::vector<uint16_t> px;
  int w = 0, h = 0;
  auto sheet = [&](int first, int last, int zoom) {
    SheetOptions o;
    if (first >= 0) o.first = first, o.last = last, o.zoom = zoom;
    EXPECT_TRUE(WriteContactSheetOf(dir, png, o, &error)) << error;
    EXPECT_TRUE(platform::LoadPng565(png, &px, &w, &h, &error)) << error;
  };
  auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * w + x]; };
  // The first cell starts at (6, 6); small sprites are shown twice their
  // size, in the 5-6-5 pixels the loader converts them to.
  sheet(-1, -1, 0);
  EXPECT_EQ(at(6, 6), 0xFFDF);
  EXPECT_EQ(at(6 + 7, 6 + 7), 0xFFDF);
  EXPECT_NE(at(6 + 8, 6 + 8), 0xFFDF) << "the white sprite is 8 x 8 on the sheet";
  // Only sprite 1, 3 times its size: its transparent pixel shows the
  // checkerboard; past the bank, the start-up picture.
  sheet(1, 1, 3);
  EXPECT_TRUE(at(6, 6) != 0xF800 && at(6 + 8, 6 + 5) == 0xF800);
  sheet(468, 468, 0);
  EXPECT_EQ(at(6, 6), 0x07C0);
  // Without the banks there is no sheet, and a message says why.
  std::filesystem::remove(dir + "/small.spr");
  EXPECT_FALSE(WriteContactSheetOf(dir, png, SheetOptions{}, &error));
  EXPECT_NE(error.find("small.spr"), std::string::npos) << error;
  std::filesystem::remove_all(dir);
}

namespace {

// The banks are painted once for all tests of the generated banks.
class AssetgenSpriteBank : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = TestDir("banks");
    std::string error;
    ASSERT_TRUE(WriteSpriteBanks(dir_, &error)) << error;
    ASSERT_TRUE(Decode(ReadTestFile(dir_ + "/small.spr"), &small_, &error)) << "small.spr: " << error;
    ASSERT_TRUE(Decode(ReadTestFile(dir_ + "/intro.spr"), &intro_, &error)) << "intro.spr: " << error;
    // The game bank as the game holds it: read by its loader, in the 5-6-5
    // pixels of its display.
    const int32_t layout = g_display.pixelLayout;
    g_display.pixelLayout = kLayout565;
    loaded_ = std::make_unique<SpriteTable>();
    LoadSpriteBank(dir_ + "/small.spr", BankLoad::kGame, loaded_.get());
    g_display.pixelLayout = layout;
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(dir_);
    loaded_.reset();
  }
  void SetUp() override { ASSERT_EQ(small_.records.size(), 468u) << "small.spr was not generated"; }

  static const Record& Rec(int i) { return small_.records[i]; }
  static std::vector<uint16_t> Px(int i) { return small_.Pixels(i); }
  static int Area(int i) { return Rec(i).width * Rec(i).height; }
  static int Solid(int i) {
    const auto first = small_.area.begin() + Rec(i).offset;
    return static_cast<int>(std::count_if(first, first + Area(i), [](uint16_t v) { return v != 0; }));
  }
  static uint16_t At(int i, int x, int y) { return small_.area[Rec(i).offset + y * Rec(i).width + x]; }
  // Whether sprite a at (ax, ay) touches sprite b at (bx, by), as the game tests it.
  static bool Touch(int a, int ax, int ay, int b, int bx, int by) { return SpritesCollide((*loaded_)[a], ax, ay, (*loaded_)[b], bx, by); }

  inline static std::string dir_;
  inline static Bank small_, intro_;
  inline static std::unique_ptr<SpriteTable> loaded_;  // a thousand surfaces, freed with the suite
};

// Inclusive index ranges with the size the catalogue gives them; about: within a quarter.
struct Sized {
  int first, last, w, h;
  bool about = false;
};
const Sized kSizes[] = {
    {0, 0, 640, 480},     {1, 1, 1536, 768},    {2, 3, 80, 50},       {4, 4, 80, 40},       {5, 8, 80, 6},        {9, 13, 80, 50},
    {14, 14, 16, 16},     {15, 15, 9, 9},       {36, 36, 1, 1},       {37, 86, 24, 36},     {87, 91, 38, 38},     {92, 92, 1, 1},
    {93, 103, 100, 10},   {104, 104, 24, 24},   {105, 105, 1, 1},     {106, 141, 16, 16},   {147, 182, 20, 20},   {183, 202, 12, 12},
    {203, 238, 16, 16},   {239, 248, 120, 90},  {249, 259, 16, 16},   {271, 290, 12, 12},   {291, 326, 16, 16},   {327, 346, 14, 14},
    {347, 356, 25, 25},   {357, 360, 16, 16},   {361, 364, 12, 12},   {365, 378, 16, 16},   {379, 379, 6, 6},     {380, 383, 20, 20},
    {384, 384, 640, 480}, {385, 424, 24, 24},   {425, 425, 24, 2},    {426, 436, 100, 30},  {437, 437, 200, 80},  {438, 440, 40, 28},
    {441, 441, 640, 480}, {442, 443, 34, 34},   {444, 444, 30, 30},   {445, 445, 14, 14},   {449, 449, 378, 256}, {450, 454, 20, 14},
    {455, 464, 40, 28},   {465, 465, 1024, 768}, {142, 146, 128, 96, true}, {270, 270, 64, 40, true}, {446, 448, 160, 36, true},
    {466, 466, 240, 24, true},
};

}  // namespace

TEST_F(AssetgenSpriteBank, EveryRecordHasItsCatalogueSizeAndAPicture) {
  for (const Sized& s : kSizes)
    for (int i = s.first; i <= s.last; ++i) {
      EXPECT_NEAR(Rec(i).width, s.w, s.about ? s.w / 4 : 0) << "sprite " << i;
      EXPECT_NEAR(Rec(i).height, s.h, s.about ? s.h / 4 : 0) << "sprite " << i;
    }
  // The GROUND DEFENSE mound rises: each frame at least as big as the last.
  for (int i = 261; i <= 270; ++i) EXPECT_TRUE(Rec(i).width >= Rec(i - 1).width && Rec(i).height >= Rec(i - 1).height) << i;
  ASSERT_EQ(intro_.records.size(), 1u);
  const Record& intro = intro_.records[0];
  EXPECT_TRUE(intro.width <= 320 && intro.height <= 240);
  const std::vector<uint16_t> introPx = intro_.Pixels(0);
  EXPECT_GT(std::count_if(introPx.begin(), introPx.end(), [](uint16_t v) { return v != 0; }), intro.width * intro.height / 2);
  // Pictures are not empty (a zero width would stop loading); the gaps and
  // the fort canvases (filled by a keyed copy of sprite 2) are transparent.
  for (int i = 0; i < 468; ++i) {
    const bool transparent = i == 36 || i == 92 || i == 105 || (i >= 9 && i <= 13);
    EXPECT_GT(Area(i), 0) << i;
    EXPECT_TRUE(transparent ? Solid(i) == 0 : Solid(i) > Area(i) / 20) << "sprite " << i << ": " << Solid(i);
  }
  // The canvases are single colours, runs of the writer: the stream is small.
  EXPECT_LT(small_.streamWords, small_.area.size() / 3);
}

TEST_F(AssetgenSpriteBank, PicturesKeepTheRulesTheGameReliesOn) {
  // Wholly opaque: the ground tiles and the foundations picture, the base
  // strips, the probe, the mound, the loading animation and its banner.
  for (auto [first, last] : {std::pair{142, 146}, {449, 449}, {87, 91}, {15, 15}, {425, 437}})
    for (int i = first; i <= last; ++i) EXPECT_EQ(Solid(i), Area(i)) << "sprite " << i << " has transparent pixels";
  // The terrain's edge pass reads the low byte in 5-5-5 and 5-6-5 alike.
  for (int i = 142; i <= 146; ++i)
    for (uint16_t v : Px(i)) ASSERT_TRUE((v & 0xFF) != 0 && ((((v & 0x7FE0) << 1) | (v & 0x1F)) & 0xFF) != 0) << "sprite " << i;
  // Foot mask k: solid in columns 20k .. 20k + 19 of all six rows, empty elsewhere.
  for (int k = 0; k < 4; ++k)
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 80; ++x) ASSERT_EQ(At(5 + k, x, y) != 0, x >= 20 * k && x < 20 * k + 20) << "mask " << 5 + k << " at " << x << "," << y;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 80; ++x) {
      // The body mask is the fort's rows 2 to 41; the fort stands on its
      // foundation, rows 44 to 49 solid across it; the interior drawn under
      // the fort lies wholly behind its stones, so that only holes show it.
      ASSERT_TRUE(y >= 40 || (At(4, x, y) != 0) == (At(2, x, y + 2) != 0)) << "body mask at " << x << "," << y;
      ASSERT_TRUE(y < 44 || x < 1 || x >= 79 || At(2, x, y)) << "fort base at " << x << "," << y;
      ASSERT_TRUE(!At(3, x, y) || At(2, x, y)) << "interior outside the fort at " << x << "," << y;
    }
  EXPECT_GT(Solid(3), Solid(2) / 2) << "the interior fills most of the fort";
  // Fireballs grow and are solid over their whole disc, drawn centred on the shell.
  for (int i = 16; i <= 35; ++i) {
    const float r = 6.0f + 2.25f * static_cast<float>(i - 16);
    const int w = Rec(i).width, h = Rec(i).height;
    ASSERT_GE(std::min(w, h), static_cast<int>(2 * r)) << i;
    EXPECT_TRUE(i == 16 || w > Rec(i - 1).width) << "the fireballs grow";
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const float dx = x + 0.5f - w / 2, dy = y + 0.5f - h / 2;
        ASSERT_TRUE(dx * dx + dy * dy > r * r || At(i, x, y)) << "sprite " << i << " at " << x << "," << y;
      }
  }
  // The status bar slot's frame is solid; its 14 x 14 window at (5, 5) is
  // mostly see-through, so that the bar's colour shows in it (a click in it
  // still counts: see the pointer probe below).
  int windowSolid = 0;
  for (int y = 1; y < 23; ++y)
    for (int x = 1; x < 23; ++x)
      if (x >= 5 && x < 19 && y >= 5 && y < 19) windowSolid += At(104, x, y) != 0;
      else ASSERT_NE(At(104, x, y), 0) << x << "," << y;
  EXPECT_LE(windowSolid, 14 * 14 / 4);
}

// A shell starts at its fort's aim point, (40, 10) of the fort picture, and
// hits its own fort as soon as its launch is over: nothing of the fort or of
// the interior under it may reach up there, so that any shell leaving
// upwards is clear, while one falling straight down still lands on the fort.
TEST_F(AssetgenSpriteBank, ShellsLeaveTheirOwnFortClear) {
  for (int i : {2, 3})
    for (int y = 0; y <= 18; ++y)
      for (int x = 0; x < 80; ++x) ASSERT_EQ(At(i, x, y), 0) << "sprite " << i << " at " << x << "," << y;
  // Flying pictures centred on the aim point after rising by some pixels:
  // the MISSILE after a frame of the slowest shot, the BIG MISSILE before it
  // has risen at all.
  for (auto [first, rise] : {std::pair{106, 4}, {147, 0}})
    for (int i = first; i < first + 36; ++i)
      EXPECT_FALSE(Touch(i, 40 - Rec(i).width / 2, 10 - rise - Rec(i).height / 2, 2, 0, 0)) << "sprite " << i;
  bool lands = false;
  for (int y = 10; y < 44 && !lands; ++y) lands = Touch(106 + 18, 40 - 8, y - 8, 2, 0, 0);  // the MISSILE pointing down
  EXPECT_TRUE(lands) << "a shell falling from the aim point must land on its fort";
}

// The pointer probe (sprite 15, at the cursor minus 4) must touch a button
// wherever its centre lies within the button's drawn box less 4 pixels: the
// weapon slot, the fort (the colour button of the set-up menu), the control,
// play and NEXT buttons, the shop's slots and buy button, the title menu items.
TEST_F(AssetgenSpriteBank, ThePointerProbeMeetsEveryButtonAnywhereOnIt) {
  for (auto [first, last] : {std::pair{104, 104}, {2, 2}, {438, 440}, {455, 464}, {442, 443}, {385, 404}, {446, 448}})
    for (int i = first; i <= last; ++i) {
      int left = Rec(i).width, top = Rec(i).height, right = -1, bottom = -1;  // the drawn box
      for (int y = 0; y < Rec(i).height; ++y)
        for (int x = 0; x < Rec(i).width; ++x)
          if (At(i, x, y)) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      for (int cy = top + 4; cy <= bottom - 4; ++cy)
        for (int cx = left + 4; cx <= right - 4; ++cx) ASSERT_TRUE(Touch(15, cx - 4, cy - 4, i, 0, 0)) << "sprite " << i << ": a click at " << cx << "," << cy << " misses it";
    }
}

TEST_F(AssetgenSpriteBank, AnimationFramesDifferEmblemsHaveTheirColoursAndTwoRunsWriteTheSameBytes) {
  const std::pair<int, int> animations[] = {{16, 35},   {93, 102},  {106, 141}, {147, 182}, {183, 202}, {203, 238}, {239, 248}, {249, 259},
                                            {260, 269}, {271, 290}, {291, 326}, {327, 346}, {347, 356}, {357, 360}, {361, 364}, {365, 374},
                                            {375, 378}, {380, 383}, {385, 404}, {405, 424}, {426, 436}, {450, 454}, {455, 464}};
  for (auto [first, last] : animations)
    for (int i = first; i < last; ++i)
      EXPECT_FALSE(Rec(i).width == Rec(i + 1).width && Rec(i).height == Rec(i + 1).height && Px(i) == Px(i + 1)) << "frames " << i << " and " << i + 1;
  // Emblems: red, blue, white, green, yellow, by the sums over each colour's frames.
  double sum[5][3] = {};
  for (int colour = 0; colour < 5; ++colour) {
    for (int k = 0; k < 9; ++k) EXPECT_NE(Px(37 + colour * 10 + k), Px(38 + colour * 10 + k)) << colour << " " << k;
    for (int i = 37 + colour * 10; i < 47 + colour * 10; ++i)
      for (uint16_t v : Px(i)) sum[colour][0] += (v >> 10) & 31, sum[colour][1] += (v >> 5) & 31, sum[colour][2] += v & 31;
  }
  EXPECT_GT(sum[0][0], 1.3 * sum[0][2]);  // red
  EXPECT_GT(sum[1][2], 1.3 * sum[1][0]);  // blue
  EXPECT_TRUE(sum[2][2] > sum[0][2] && sum[2][1] > sum[0][1]) << "white is lighter than red";
  EXPECT_TRUE(sum[3][1] > sum[3][0] && sum[3][1] > 1.3 * sum[3][2]) << "green";
  EXPECT_TRUE(sum[4][1] > 1.3 * sum[4][2] && sum[4][0] > 1.3 * sum[4][2]) << "yellow";
  // Every flag flies low on its staff, below the customer's money in the shop
  // (no pixel in the top 12 rows), and its bottom row is the staff alone, the
  // same in every frame (the round display repeats it down to the castle).
  for (int i = 37; i <= 86; ++i) {
    int top = Rec(i).height, foot = 0;
    for (int y = 0; y < Rec(i).height; ++y)
      for (int x = 0; x < Rec(i).width; ++x)
        if (At(i, x, y)) top = std::min(top, y), foot += y == Rec(i).height - 1;
    EXPECT_TRUE(top >= 12 && foot >= 2 && foot <= 4) << "emblem " << i << ": top row " << top << ", foot " << foot;
    for (int x = 0; x < Rec(i).width; ++x) EXPECT_EQ(At(i, x, Rec(i).height - 1), At(37, x, Rec(37).height - 1)) << i;
  }

  // The build's generator, another process, wrote the same bytes.
  for (const char* name : {"small.spr", "intro.spr"})
    EXPECT_TRUE(ReadTestFile(dir_ + "/" + name) == ReadTestFile(std::string(BULWARK_BUILD_DIR) + "/data/" + name)) << name << " differs between two runs";
}
