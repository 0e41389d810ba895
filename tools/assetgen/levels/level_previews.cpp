// --preview-levels: one picture per playable level of a level.frc, the
// landscape built by the game's code with its edge and base strip over a sky,
// and five forts placed on it. The scenery sets take turns; the pictures
// come from the small.spr beside the level file, or, without one, from the
// level search's plain stand-ins.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "assetgen/generators.h"
#include "assetgen/levels/level_stage.h"
#include "assetgen/levels/search_random.h"
#include "display/colour.h"
#include "display/display_state.h"
#include "platform/png.h"
#include "sprites/blit.h"
#include "sprites/sprite_loader.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "world/fort.h"
#include "world/fort_placement.h"
#include "world/landscape.h"
#include "world/level_file.h"
#include "world/terrain.h"

namespace {

int NextRand15(void* state) { return static_cast<levels::SearchRandom*>(state)->Rand15(); }

// A sky from deep blue at the top to pale blue above the ground.
void DrawSky(platform::Surface* canvas) {
  for (int y = 0; y < kWorldHeight; ++y) {
    const int t = y * 31 / (kWorldHeight - 1);
    const uint16_t c = static_cast<uint16_t>(PackColor(4 + t / 3, 8 + t * 2 / 3, 18 + t / 3));
    std::fill_n(canvas->Row(y), kWorldWidth, c);
  }
}

}  // namespace

bool WriteLevelPreviews(const std::string& dataDir, const std::string& dir, std::string* error) {
  std::ifstream in(dataDir + "/level.frc", std::ios::binary);
  if (!in) {
    *error = "cannot read " + dataDir + "/level.frc";
    return false;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  static LevelTable table;
  ParseLevelTable(bytes.data(), bytes.size(), &table);
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);

  const int32_t layout = g_display.pixelLayout;
  g_display.pixelLayout = kLayout565;  // the pictures are saved as 5-6-5
  levels::LevelStage stage;
  const std::string bank = dataDir + "/small.spr";
  if (std::filesystem::exists(bank, ec)) LoadSpriteBank(bank, BankLoad::kGame, &stage.Table());
  platform::Surface canvas(kWorldWidth, kWorldHeight);
  bool ok = true;
  for (int i = 0; i < kPlayableLevels && ok; ++i) {
    g_level = table.Get(i);
    g_game.scenerySet = static_cast<uint16_t>(i % 5);
    BuildLandscape();
    levels::SearchRandom rng(static_cast<uint64_t>(i) + 1);
    PlaceFortsOnLandscape(kMaxPlayers, RandomSource{NextRand15, &rng});
    DrawSky(&canvas);
    DrawSprite(&canvas, Sprite(kTerrainSprite), 0, 0);
    for (int p = 0; p < kMaxPlayers; ++p)
      DrawSpriteClippedWorld(&canvas, Sprite(kFortPicture), static_cast<int>(g_players[p].x),
                             static_cast<int>(g_players[p].y));
    char name[32];
    std::snprintf(name, sizeof name, "/level_%02d.png", i);
    ok = platform::SavePng565(dir + name, canvas.Data(), kWorldWidth, kWorldHeight, error);
  }
  g_level = LevelParams();
  g_display.pixelLayout = layout;
  return ok;
}
