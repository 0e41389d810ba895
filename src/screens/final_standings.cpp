#include "screens/final_standings.h"

#include "audio/game_sounds.h"
#include "display/colour.h"
#include "display/display_state.h"
#include "display/frame_presenter.h"
#include "screens/money_chart.h"
#include "screens/round_scene.h"
#include "screens/round_results.h"
#include "screens/screen_text.h"
#include "sprites/panel.h"
#include "sprites/pointer.h"
#include "state/money_history.h"
#include "state/shared_state.h"
#include "world/fort.h"

namespace {

constexpr ColorRef kShadow = Rgb(15, 15, 15);
constexpr ColorRef kTitle = Rgb(255, 255, 15);
constexpr ColorRef kHeading = Rgb(255, 15, 0);
constexpr ColorRef kWinnerLine = Rgb(255, 255, 15);
constexpr ColorRef kLine = Rgb(15, 255, 15);

// The screen's texts, kept for the whole screen so that no frame allocates.
struct StandingsTexts {
  std::string line;
  StandingsTexts() { line.reserve(64); }
};

StandingsTexts& Texts() {
  static StandingsTexts texts;
  return texts;
}

// Heading and figure of every column, left to right after the name.
constexpr const char* kHeadings[kStandingsColumns] = {"ROUNDS", "MONEY", "DEALT", "TAKEN",
                                                      "OWN",    "SHOTS", "HITS",  "DROPS"};

// Ranks a before b: more rounds survived, then more money.
bool Ahead(const PlayerRecord& a, const PlayerRecord& b) {
  if (a.roundsSurvived != b.roundsSurvived) return a.roundsSurvived > b.roundsSurvived;
  return a.money > b.money;
}

// The name column starts at the left; the figures' centres spread over the rest.
int ColumnCentre(int column) {
  const int w = g_config.screenWidth;
  const int first = w * 9 / 32, last = w - w / 12;
  return first + (last - first) * column / (kStandingsColumns - 1);
}

}  // namespace

int RankStandings(int order[kMaxPlayers]) {
  const int players = FortCount();
  for (int i = 0; i < players; ++i) {
    int k = i;
    // Insertion keeps equal players in index order.
    while (k > 0 && Ahead(g_players[i], g_players[order[k - 1]])) {
      order[k] = order[k - 1];
      --k;
    }
    order[k] = i;
  }
  return players;
}

int StandingsWinner() {
  int order[kMaxPlayers];
  return RankStandings(order) > 0 ? order[0] : -1;
}

const char* StandingsHeading(int column) {
  return column >= 0 && column < kStandingsColumns ? kHeadings[column] : "";
}

int32_t StandingsFigure(const PlayerRecord& p, int column) {
  switch (column) {
    case 0: return p.roundsSurvived;
    case 1: return p.money;
    case 2: return p.stats.damageDealt;
    case 3: return p.stats.damageTaken;
    case 4: return p.stats.damageSelf;
    case 5: return p.stats.shots;
    case 6: return p.stats.hits;
    case 7: return p.stats.drops;
    default: return 0;
  }
}

void DrawFinalStandings() {
  const int w = g_config.screenWidth, h = g_config.screenHeight, fh = g_display.fontHeight;
  std::string& line = Texts().line;
  FillSurface(g_display.back, PackColor(0, 0, 0), nullptr);
  DrawPanel(g_display.back, 0, 0, w - 30, h - 30);
  DrawShadowedCentered(w / 2, 14, "FINAL STANDINGS", kShadow, kTitle);

  int order[kMaxPlayers];
  const int rows = RankStandings(order);
  line.assign("WINNER: ");
  if (rows > 0) line += g_players[order[0]].name;
  DrawShadowedCentered(w / 2, 14 + fh, line, kShadow, kWinnerLine);

  // The headings stand on two staggered lines: each has two columns' width.
  const int nameX = w / 24, tableTop = 14 + 3 * fh;
  DrawShadowedLeft(nameX + fh, tableTop, "PLAYER", kShadow, kHeading);
  for (int c = 0; c < kStandingsColumns; ++c)
    DrawShadowedCentered(ColumnCentre(c), tableTop - (c % 2 == 0 ? fh : 0), kHeadings[c], kShadow, kHeading);
  for (int k = 0; k < rows; ++k) {
    const PlayerRecord& p = g_players[order[k]];
    const ColorRef colour = k == 0 ? kWinnerLine : kLine;
    const int y = tableTop + (k + 1) * fh;
    // The fort's colour ties the row to its line in the chart.
    Rect swatch{nameX, y + fh / 4, nameX + fh / 2, y + 3 * fh / 4};
    FillSurface(g_display.back, PlayerColour(p.colourIndex), &swatch);
    line.clear();
    AppendNumber(&line, k + 1);
    line += ". ";
    line += p.name;
    DrawShadowedLeft(nameX + fh, y, line, kShadow, colour);
    for (int c = 0; c < kStandingsColumns; ++c) {
      line.clear();
      AppendNumber(&line, StandingsFigure(p, c));
      DrawShadowedCentered(ColumnCentre(c), y, line, kShadow, colour);
    }
  }

  ChartBox box;
  box.left = w / 6;
  box.right = w - w / 12;
  box.top = tableTop + (kMaxPlayers + 1) * fh + fh / 2;
  box.bottom = h - 22 - 2 * fh;
  DrawShadowedCentered(w / 2, box.bottom + fh + 6, "MONEY AFTER EACH ROUND", kShadow, kHeading);
  DrawMoneyChart(box, MoneyHistory(), rows);
  DrawMousePointer();
}

void ShowFinalStandings(FramePresenter& frame) {
  g_game.scene = Scene::kStandings;
  RunClosableScreen(frame, [] { DrawFinalStandings(); });
}
