#include "shell/round_setup.h"

#include <cstdio>

#include "audio/music.h"
#include "platform/main_loop.h"
#include "platform/random.h"
#include "players/last_shot.h"
#include "players/turns.h"
#include "state/shared_state.h"
#include "world/fort.h"
#include "world/fort_placement.h"
#include "world/level_file.h"

namespace {

constexpr int kRoundTicks = 8000;
constexpr int kScenerySets = 5;
constexpr int kSkyLevels = 32;
constexpr int16_t kFirstLoadingPicture = 426;

}  // namespace

void PlayRoundTune(int scenerySet) {
  if (scenerySet < 0 || scenerySet >= kScenerySets) return;
  char tune[16];
  std::snprintf(tune, sizeof tune, "tex%d.mid", scenerySet + 1);
  PlayTune(tune);
}

int8_t SkyStep(int start) { return static_cast<int8_t>(start > 24 ? -1 : start < 7 ? 1 : 0); }

void ChooseSkyColour() {
  SkyColour& sky = g_game.sky;
  do {
    sky.red = static_cast<int8_t>(platform::RandChoice(kSkyLevels));
    sky.blue = static_cast<int8_t>(platform::RandChoice(kSkyLevels));
    sky.green = static_cast<int8_t>(platform::RandChoice(kSkyLevels));
    sky.redStep = SkyStep(sky.red);
    sky.blueStep = SkyStep(sky.blue);
    sky.greenStep = SkyStep(sky.green);
  } while (sky.redStep == 0 && sky.greenStep == 0 && sky.blueStep == 0);
}

uint16_t DrawScenerySet() { return static_cast<uint16_t>(platform::RandChoice(kScenerySets)); }

void RoundSetUp() {
  g_game.roundTimer = kRoundTicks;
  g_game.loadingPicture = kFirstLoadingPicture;
  g_game.loadingStep = 1;
  g_game.landscapeBusy = 1;  // the game thread neither draws nor flips until the world is built
  PlayerRoundSetUp();
  ClearLastShots();
  g_game.scenerySet = DrawScenerySet();
  g_game.levelIndex = SelectLevel();
  StopMusic();
  PlayRoundTune(g_game.scenerySet);
  PlaceForts();
  g_game.landscapeBusy = 0;
  // The loading animation stepped the frame phase as often as the window
  // timer ticked while the world was built: a matter of real time. The round
  // starts from the phase it had before, once the timer's handler is done.
  platform::RunOnMainThread([] {});
  g_game.framePhase = 0;
  RestoreFortPictures();
  CentreViewOnCurrentFort();
  ChooseSkyColour();
}
