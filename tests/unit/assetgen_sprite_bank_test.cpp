// The generated sprite banks, read from the files the generator writes with
// an independent reader: the catalogue's sizes, the rules the game's code
// relies on (solid ground tiles, fort masks that match the fort, solid
// fireball discs, see-through slot windows, transparent fort canvases), then
// through the game's own loader and collision test: shells leave their fort
// clear, and the pointer probe meets every button wherever it is clicked;
// animation frames that differ, and the same bytes on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "assetgen/generators.h"
#include "display/display_state.h"
#include "spr_test_reader.h"
#include "sprites/collision.h"
#include "sprites/sprite_loader.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

// A folder of this test process's own (CTest runs the tests in parallel).
std::string FreshDir(const std::string& tag) {
  const std::string dir = testing::TempDir() + "/assetgen_" + std::to_string(getpid()) + "_" + tag;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

// The banks are painted once for all tests of this file.
class AssetgenSpriteBank : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::string(FreshDir("banks"));
    std::string error;
    ASSERT_TRUE(WriteSpriteBanks(*dir_, &error)) << error;
    small_ = new spr_test::Bank;
    intro_ = new spr_test::Bank;
    std::string why;
    ASSERT_TRUE(spr_test::Decode(ReadFile(*dir_ + "/small.spr"), small_, &why)) << "small.spr: " << why;
    ASSERT_TRUE(spr_test::Decode(ReadFile(*dir_ + "/intro.spr"), intro_, &why)) << "intro.spr: " << why;
    // The game bank as the game holds it: read by its loader, in the 5-6-5
    // pixels of its display.
    const int32_t layout = g_display.pixelLayout;
    g_display.pixelLayout = kLayout565;
    loaded_ = new SpriteTable;
    LoadSpriteBank(*dir_ + "/small.spr", BankLoad::kGame, loaded_);
    g_display.pixelLayout = layout;
  }
  static void TearDownTestSuite() {
    std::filesystem::remove_all(*dir_);
    delete small_;
    delete intro_;
    delete loaded_;
    delete dir_;
  }
  void SetUp() override { ASSERT_TRUE(small_ && small_->records.size() == 467) << "small.spr was not generated"; }

  static const spr_test::Record& Rec(int i) { return small_->records[i]; }
  static std::vector<uint16_t> Px(int i) { return small_->Pixels(i); }
  static int Solid(int i) {
    int n = 0;
    for (uint16_t v : Px(i)) n += v != 0;
    return n;
  }
  static uint16_t At(int i, int x, int y) { return small_->area[Rec(i).offset + y * Rec(i).width + x]; }

  // Whether sprite a at (ax, ay) touches sprite b at (bx, by), as the game tests it.
  static bool Touch(int a, int ax, int ay, int b, int bx, int by) {
    return SpritesCollide((*loaded_)[a], ax, ay, (*loaded_)[b], bx, by);
  }

  static std::string* dir_;
  static spr_test::Bank* small_;
  static spr_test::Bank* intro_;
  static SpriteTable* loaded_;
};
std::string* AssetgenSpriteBank::dir_ = nullptr;
spr_test::Bank* AssetgenSpriteBank::small_ = nullptr;
spr_test::Bank* AssetgenSpriteBank::intro_ = nullptr;
SpriteTable* AssetgenSpriteBank::loaded_ = nullptr;

// Inclusive index ranges with the size the catalogue gives them.
struct Sized {
  int first, last, w, h;
};
const Sized kFixedSizes[] = {
    {0, 0, 640, 480},      {1, 1, 1536, 768},     {2, 3, 80, 50},       {4, 4, 80, 40},       {5, 8, 80, 6},
    {9, 13, 80, 50},       {14, 14, 16, 16},      {15, 15, 9, 9},       {36, 36, 1, 1},       {37, 86, 24, 36},
    {87, 91, 38, 38},      {92, 92, 1, 1},        {93, 103, 100, 10},   {104, 104, 24, 24},   {105, 105, 1, 1},
    {106, 141, 16, 16},    {147, 182, 20, 20},    {183, 202, 12, 12},   {203, 238, 16, 16},   {239, 248, 120, 90},
    {249, 259, 16, 16},    {271, 290, 12, 12},    {291, 326, 16, 16},   {327, 346, 14, 14},   {347, 356, 25, 25},
    {357, 360, 16, 16},    {361, 364, 12, 12},    {365, 378, 16, 16},   {379, 379, 6, 6},     {380, 383, 20, 20},
    {384, 384, 640, 480},  {385, 424, 24, 24},    {425, 425, 24, 2},    {426, 436, 100, 30},  {437, 437, 200, 80},
    {438, 440, 40, 28},    {441, 441, 640, 480},  {442, 443, 34, 34},   {444, 444, 30, 30},   {445, 445, 14, 14},
    {449, 449, 378, 256},  {450, 454, 20, 14},    {455, 464, 40, 28},   {465, 465, 1024, 768},
};
// Sizes the catalogue gives as "about".
const Sized kAboutSizes[] = {{142, 146, 128, 96}, {270, 270, 64, 40}, {446, 448, 160, 36}, {466, 466, 240, 24}};

TEST_F(AssetgenSpriteBank, EveryRecordHasItsCatalogueSizeAndAPicture) {
  for (size_t i = 0; i < small_->records.size(); ++i) {
    EXPECT_GT(Rec(i).width, 0) << "a zero width stops loading at " << i;
    EXPECT_GT(Rec(i).height, 0) << i;
  }
  for (const Sized& s : kFixedSizes)
    for (int i = s.first; i <= s.last; ++i) {
      EXPECT_EQ(Rec(i).width, s.w) << "sprite " << i;
      EXPECT_EQ(Rec(i).height, s.h) << "sprite " << i;
    }
  for (const Sized& s : kAboutSizes)
    for (int i = s.first; i <= s.last; ++i) {
      EXPECT_NEAR(Rec(i).width, s.w, s.w / 4) << "sprite " << i;
      EXPECT_NEAR(Rec(i).height, s.h, s.h / 4) << "sprite " << i;
    }
  // The GROUND DEFENSE mound rises: each frame at least as big as the last,
  // up to the mound that is built into the ground.
  for (int i = 261; i <= 270; ++i) {
    EXPECT_GE(Rec(i).width, Rec(i - 1).width) << i;
    EXPECT_GE(Rec(i).height, Rec(i - 1).height) << i;
  }
  ASSERT_EQ(intro_->records.size(), 1u);
  EXPECT_LE(intro_->records[0].width, 320);
  EXPECT_LE(intro_->records[0].height, 240);
  int introInk = 0;
  for (uint16_t v : intro_->Pixels(0)) introInk += v != 0;
  EXPECT_GT(introInk, intro_->records[0].width * intro_->records[0].height / 2);

  // Pictures are not empty; canvases are single runs.
  const std::vector<int> gaps{36, 92, 105};
  for (int i = 0; i < 467; ++i) {
    const bool gap = std::find(gaps.begin(), gaps.end(), i) != gaps.end();
    const bool fortCanvas = i >= 9 && i <= 13;
    if (gap || fortCanvas) {
      // Transparent: a fort canvas is filled by a keyed copy of sprite 2.
      EXPECT_EQ(Solid(i), 0) << "sprite " << i;
    } else {
      EXPECT_GT(Solid(i), Rec(i).width * Rec(i).height / 20) << "sprite " << i << " is (nearly) empty";
    }
  }
  for (int i : {1, 465}) {
    const std::vector<uint16_t> px = Px(i);
    EXPECT_TRUE(std::all_of(px.begin(), px.end(), [&](uint16_t v) { return v == px[0] && v != 0; })) << i;
  }
  // The stream is small: large canvases cost a few run words.
  EXPECT_LT(small_->streamWords, small_->area.size() / 3);
  EXPECT_FALSE(small_->literalWithBit15);
  EXPECT_FALSE(small_->zeroLengthRun);
}

TEST_F(AssetgenSpriteBank, PicturesKeepTheRulesTheGameReliesOn) {
  for (int i : {142, 143, 144, 145, 146, 449}) {
    const std::vector<uint16_t> px = Px(i);
    EXPECT_EQ(Solid(i), static_cast<int>(px.size())) << "sprite " << i << " has transparent pixels";
    if (i == 449) continue;
    for (uint16_t v : px) {
      // The terrain's edge pass reads the low byte in 5-5-5 and 5-6-5 alike.
      const uint16_t as565 = static_cast<uint16_t>(((v & 0x7FE0) << 1) | (v & 0x1F));
      ASSERT_NE(v & 0xFF, 0) << "sprite " << i;
      ASSERT_NE(as565 & 0xFF, 0) << "sprite " << i;
    }
  }
  // So are the base strips and the mound, which become ground.
  for (int i : {87, 88, 89, 90, 91}) EXPECT_EQ(Solid(i), 38 * 38) << i;
  for (int i : {15, 425}) EXPECT_EQ(Solid(i), Rec(i).width * Rec(i).height) << i;
  // The loading animation and its banner are drawn opaque.
  for (int i = 426; i <= 437; ++i) EXPECT_EQ(Solid(i), Rec(i).width * Rec(i).height) << i;

  // Foot mask k: solid in columns 20k .. 20k + 19 of all six rows, empty elsewhere.
  for (int k = 0; k < 4; ++k)
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 80; ++x)
        ASSERT_EQ(At(5 + k, x, y) != 0, x >= 20 * k && x < 20 * k + 20) << "mask " << 5 + k << " at " << x << "," << y;
  // The body mask is the fort's rows 2 to 41.
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(At(4, x, y) != 0, At(2, x, y + 2) != 0) << x << "," << y;
  // The fort stands on its foundation: rows 44 to 49 are solid across it,
  // and the body mask stays clear of them.
  for (int y = 44; y < 50; ++y)
    for (int x = 1; x < 79; ++x) ASSERT_NE(At(2, x, y), 0) << "fort base at " << x << "," << y;
  // The interior drawn under the fort lies wholly behind its stones, so that
  // only holes show it, and fills most of the fort.
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 80; ++x)
      if (At(3, x, y)) {
        ASSERT_NE(At(2, x, y), 0) << "interior outside the fort at " << x << "," << y;
      }
  EXPECT_GT(Solid(3), Solid(2) / 2);

  // Fireballs are solid over their whole disc.
  for (int i = 16; i <= 35; ++i) {
    const float r = 6.0f + 2.25f * static_cast<float>(i - 16);
    const int w = Rec(i).width, h = Rec(i).height;
    ASSERT_GE(std::min(w, h), static_cast<int>(2 * r)) << i;
    if (i > 16) {
      EXPECT_GT(w, Rec(i - 1).width) << "the fireballs grow";
    }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const float dx = x + 0.5f - w / 2, dy = y + 0.5f - h / 2;  // drawn centred on the shell
        if (dx * dx + dy * dy <= r * r) {
          ASSERT_NE(At(i, x, y), 0) << "sprite " << i << " at " << x << "," << y;
        }
      }
  }

  // The status bar slot's frame is solid; its 14 x 14 window at (5, 5) is
  // mostly see-through, so that the bar's colour shows in it (that a click
  // in it still counts is tested with the pointer probe below).
  int windowSolid = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const bool window = x >= 5 && x < 19 && y >= 5 && y < 19;
      if (window) {
        windowSolid += At(104, x, y) != 0;
      } else if (x > 0 && y > 0 && x < 23 && y < 23) {
        ASSERT_NE(At(104, x, y), 0) << x << "," << y;
      }
    }
  EXPECT_LE(windowSolid, 14 * 14 / 4);
  for (int i = 446; i <= 448; ++i) EXPECT_GT(Solid(i), Rec(i).width * Rec(i).height * 9 / 10) << i;
  for (int i : {438, 439, 440, 442, 443, 455}) EXPECT_GT(Solid(i), Rec(i).width * Rec(i).height * 4 / 5) << i;
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
  // the MISSILE after a frame of the slowest shot, the largest shell, the
  // BIG MISSILE, before it has risen at all.
  struct Shell {
    int first, count, rise;
  };
  for (const Shell& s : {Shell{106, 36, 4}, Shell{147, 36, 0}})
    for (int i = s.first; i < s.first + s.count; ++i) {
      const int w = Rec(i).width, h = Rec(i).height;
      EXPECT_FALSE(Touch(i, 40 - w / 2, 10 - s.rise - h / 2, 2, 0, 0)) << "sprite " << i;
    }
  const int down = 106 + 18;  // the MISSILE pointing down
  bool lands = false;
  for (int y = 10; y < 44 && !lands; ++y) lands = Touch(down, 40 - 8, y - 8, 2, 0, 0);
  EXPECT_TRUE(lands) << "a shell falling from the aim point must land on its fort";
}

// The pointer probe (sprite 15, at the cursor minus 4) must touch a button
// wherever its centre lies within the button's drawn box less 4 pixels, so
// that a click anywhere on it counts: the weapon slot, the fort (the colour
// button of the set-up menu; its drawn box starts below the open sky over
// it), the control, play and NEXT buttons, the shop's slots and buy button,
// the title menu items.
TEST_F(AssetgenSpriteBank, ThePointerProbeMeetsEveryButtonAnywhereOnIt) {
  const std::pair<int, int> clickable[] = {{104, 104}, {2, 2},     {438, 440}, {455, 464},
                                           {442, 443}, {385, 404}, {446, 448}};
  for (auto [first, last] : clickable)
    for (int i = first; i <= last; ++i) {
      const int w = Rec(i).width, h = Rec(i).height;
      int left = w, top = h, right = -1, bottom = -1;  // the drawn box
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (At(i, x, y)) {
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
          }
      int misses = 0;
      for (int cy = top + 4; cy <= bottom - 4; ++cy)
        for (int cx = left + 4; cx <= right - 4; ++cx)
          if (!Touch(15, cx - 4, cy - 4, i, 0, 0)) {
            if (misses++ == 0) ADD_FAILURE() << "sprite " << i << ": a click at " << cx << "," << cy << " misses it";
          }
      EXPECT_EQ(misses, 0) << "sprite " << i;
    }
}

TEST_F(AssetgenSpriteBank, AnimationFramesDifferAndEmblemsHaveTheirColours) {
  const std::pair<int, int> animations[] = {
      {16, 35},   {93, 102},  {106, 141}, {147, 182}, {183, 202}, {203, 238}, {239, 248}, {249, 259}, {260, 269},
      {271, 290}, {291, 326}, {327, 346}, {347, 356}, {357, 360}, {361, 364}, {365, 374}, {375, 378}, {380, 383},
      {385, 404}, {405, 424}, {426, 436}, {450, 454}, {455, 464}};
  for (auto [first, last] : animations)
    for (int i = first; i < last; ++i) {
      const bool sameSize = Rec(i).width == Rec(i + 1).width && Rec(i).height == Rec(i + 1).height;
      EXPECT_FALSE(sameSize && Px(i) == Px(i + 1)) << "frames " << i << " and " << i + 1;
    }
  for (int colour = 0; colour < 5; ++colour)
    for (int k = 0; k < 9; ++k) EXPECT_NE(Px(37 + colour * 10 + k), Px(38 + colour * 10 + k)) << colour << " " << k;

  // Emblems: red, blue, white, green, yellow, by the sums over each colour's frames.
  double sum[5][3] = {};
  for (int colour = 0; colour < 5; ++colour)
    for (int i = 37 + colour * 10; i < 47 + colour * 10; ++i)
      for (uint16_t v : Px(i))
        if (v) {
          sum[colour][0] += (v >> 10) & 31;
          sum[colour][1] += (v >> 5) & 31;
          sum[colour][2] += v & 31;
        }
  EXPECT_GT(sum[0][0], 1.3 * sum[0][2]);  // red
  EXPECT_GT(sum[1][2], 1.3 * sum[1][0]);  // blue
  EXPECT_GT(sum[2][2], sum[0][2]);        // white is lighter than red in blue
  EXPECT_GT(sum[2][1], sum[0][1]);
  EXPECT_GT(sum[3][1], sum[3][0]);  // green
  EXPECT_GT(sum[3][1], 1.3 * sum[3][2]);
  EXPECT_GT(sum[4][1], 1.3 * sum[4][2]);  // yellow
  EXPECT_GT(sum[4][0], 1.3 * sum[4][2]);
}

TEST_F(AssetgenSpriteBank, TwoRunsWriteTheSameBytes) {
  const std::string again = FreshDir("banks_again");
  std::string error;
  ASSERT_TRUE(WriteSpriteBanks(again, &error)) << error;
  for (const char* name : {"small.spr", "intro.spr"}) {
    const std::vector<uint8_t> first = ReadFile(*dir_ + "/" + name), second = ReadFile(again + "/" + name);
    EXPECT_FALSE(first.empty()) << name;
    EXPECT_TRUE(first == second) << name << " differs between two runs";
  }
  std::filesystem::remove_all(again);
}

}  // namespace
