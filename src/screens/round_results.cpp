#include "screens/round_results.h"

#include <functional>

#include "audio/game_sounds.h"
#include "display/display_state.h"
#include "display/frame_presenter.h"
#include "screens/aids.h"
#include "screens/round_scene.h"
#include "screens/screen_text.h"
#include "sprites/panel.h"
#include "state/shared_state.h"
#include "world/fort.h"

namespace {

constexpr ColorRef kShadow = Rgb(15, 15, 15);
constexpr ColorRef kGreen = Rgb(15, 255, 15);
constexpr ColorRef kYellow = Rgb(255, 255, 15);
constexpr ColorRef kSurvivor = Rgb(255, 15, 0);
constexpr ColorRef kHeadingColour = Rgb(255, 255, 255);

constexpr int kOpenSound = 6;
constexpr int kCloseSound = 18;

// A round that ended with time left was won (or lost by everyone).
bool RoundWon() { return g_game.roundTimer != 0; }

// The lines' texts, kept for the whole screen so that no frame allocates.
struct ResultTexts {
  std::string count, line;
  ResultTexts() {
    count.reserve(16);
    line.reserve(64);
  }
};

void DrawResults(ResultTexts& texts) {
  const int w = g_config.screenWidth, h = g_config.screenHeight, lineHeight = g_display.fontHeight;
  DrawRoundScene();
  DrawPanel(g_display.back, w / 8, h / 4, 3 * w / 4 - 30, h / 2 - 30);
  DrawShadowedCentered(w / 2, h / 4 + 20, ResultsTitle(), kShadow, ResultsTitleColour());

  if (AidsShown()) {
    // The columns' headings, on the line above the first player's.
    const int y = lineHeight * 3 + h / 4 + 10;
    DrawShadowedLeft(w / 8 + 30, y, kRoundsHeading, kShadow, kHeadingColour);
    DrawShadowedCentered(w / 2, y, kPlayerHeading, kShadow, kHeadingColour);
  }
  int order[kMaxPlayers];
  const int rows = RankPlayers(order);
  for (int k = 1; k <= rows; ++k) {
    const PlayerRecord& p = g_players[order[k - 1]];
    const ColorRef colour = ResultLineColour(p);
    const int y = lineHeight * (k + 3) + h / 4 + 10;
    RoundsSurvivedText(p.roundsSurvived, &texts.count);
    DrawShadowedLeft(w / 8 + 30, y, texts.count, kShadow, colour);
    texts.line.assign(p.name);
    texts.line += " : ";
    AppendNumber(&texts.line, p.money);
    texts.line += '$';
    DrawShadowedCentered(w / 2, y, texts.line, kShadow, colour);
  }
}

}  // namespace

int RankPlayers(int order[kMaxPlayers]) {
  bool listed[kMaxPlayers] = {};
  const int players = FortCount();
  int rows = 0;
  for (int k = 0; k < players; ++k) {
    int best = -1, pick = -1;
    for (int i = 0; i < players; ++i) {
      if (!listed[i] && g_players[i].roundsSurvived > best) {
        best = g_players[i].roundsSurvived;
        pick = i;
      }
    }
    if (pick < 0) break;  // rounds survived never go below 0
    listed[pick] = true;
    order[rows++] = pick;
  }
  return rows;
}

void RoundsSurvivedText(int32_t rounds, std::string* out) {
  out->assign(rounds < 10 ? "000" : rounds < 100 ? "00" : rounds < 1000 ? "0" : "");
  AppendNumber(out, rounds);
}

const char* ResultsTitle() { return RoundWon() ? "CONGRATULATION!!!" : "END OF TIME"; }

ColorRef ResultsTitleColour() { return RoundWon() ? kGreen : kYellow; }

ColorRef ResultLineColour(const PlayerRecord& player) {
  return player.destroyed == 0 && RoundWon() ? kSurvivor : kGreen;
}

void RunClosableScreen(FramePresenter& frame, const std::function<void()>& draw) {
  // Only a press that starts on this screen may close it: the click the
  // screen opened under (held on, or its release held back) is forgotten.
  g_input.leftButton = 0;
  g_input.leftLatch.Forget(&g_input.leftButton.Live());
  ClearLastKey();
  int32_t lockOut = kResultsLockOut;
  PlaySoundEffect(kOpenSound);
  for (;;) {
    if (lockOut > 0) --lockOut;
    ReadCursor();
    draw();
    frame.PresentFrame();
    // Nobody watches a computer-only game from the command line to press a
    // key: the screen closes by itself when the lock-out is over.
    if (g_game.autoplay && lockOut == 0) break;
    // A key stays remembered through the lock-out; a button must still be held.
    if (g_input.lastKey == 0 && g_input.leftButton == 0) continue;
    if (lockOut > 0) continue;
    break;
  }
  g_input.leftButton = 0;
  g_input.lastKey = 0;
  PlaySoundEffect(kCloseSound);
}

void ShowRoundResults(FramePresenter& frame) {
  g_game.scene = Scene::kResults;
  ResultTexts texts;
  RunClosableScreen(frame, [&texts] { DrawResults(texts); });
}
