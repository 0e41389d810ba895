#include "screens/money_chart.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "display/colour.h"
#include "display/display_state.h"
#include "display/text.h"
#include "screens/round_scene.h"
#include "screens/screen_text.h"
#include "state/shared_state.h"

namespace {

constexpr ColorRef kShadow = Rgb(15, 15, 15);
constexpr ColorRef kLabel = Rgb(255, 255, 255);
constexpr int kTick = 4;

void FillClipped(int left, int top, int right, int bottom, uint32_t colour) {
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  if (right > g_config.screenWidth) right = g_config.screenWidth;
  if (bottom > g_config.screenHeight) bottom = g_config.screenHeight;
  if (left >= right || top >= bottom) return;
  Rect r{left, top, right, bottom};
  FillSurface(g_display.back, colour, &r);
}

std::string Number(int32_t value) {
  std::string text;
  AppendNumber(&text, value);
  return text;
}

}  // namespace

int32_t ChartScaleTop(int32_t most) {
  int32_t power = 1000;
  for (;;) {
    for (const int32_t factor : {1, 2, 5})
      if (power * factor >= most) return power * factor;
    if (power > 100000000) return most;
    power *= 10;
  }
}

int ChartX(const ChartBox& box, int round, int rounds) {
  if (rounds <= 0) return box.left;
  return box.left + static_cast<int>(static_cast<int64_t>(box.right - box.left) * round / rounds);
}

int ChartY(const ChartBox& box, int32_t money, int32_t top) {
  if (money < 0) money = 0;
  if (top <= 0 || money > top) money = top > 0 ? top : 0;
  if (top <= 0) return box.bottom;
  return box.bottom - static_cast<int>(static_cast<int64_t>(box.bottom - box.top) * money / top);
}

int RoundLabelStep(int rounds, int width, int labelWidth) {
  if (rounds <= 0 || width <= 0) return 1;
  int step = 1;
  while (step < rounds && static_cast<int64_t>(width) * step / rounds < labelWidth + kTick) ++step;
  return step;
}

void DrawChartLine(int x0, int y0, int x1, int y1, uint32_t colour) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= steps; ++i) {
    const int x = steps == 0 ? x0 : x0 + (x1 - x0) * i / steps;
    const int y = steps == 0 ? y0 : y0 + (y1 - y0) * i / steps;
    FillClipped(x - 1, y - 1, x + 1, y + 1, colour);
  }
}

void DrawMoneyChart(const ChartBox& box, const std::vector<MoneyAfterRound>& history, int players) {
  const int rounds = static_cast<int>(history.size());
  const int fh = g_display.fontHeight;
  int32_t most = 0;
  for (const MoneyAfterRound& line : history)
    for (int p = 0; p < players && p < kMaxPlayers; ++p) most = std::max(most, line[p]);
  const int32_t top = ChartScaleTop(most);

  const uint32_t axis = PackColor(31, 31, 31);
  FillClipped(box.left - 2, box.top, box.left, box.bottom + 2, axis);
  FillClipped(box.left - 2, box.bottom, box.right + 1, box.bottom + 2, axis);
  for (const int32_t money : {int32_t{0}, top / 2, top}) {
    const int y = ChartY(box, money, top);
    FillClipped(box.left - 2 - kTick, y, box.left - 2, y + 1, axis);
    const std::string text = Number(money);
    DrawShadowedLeft(box.left - 4 - kTick - TextWidth(text), y - fh / 2, text, kShadow, kLabel);
  }
  const int step = RoundLabelStep(rounds, box.right - box.left, TextWidth(Number(rounds)));
  for (int r = 0; r <= rounds; r += step) {
    const int x = ChartX(box, r, rounds);
    FillClipped(x, box.bottom + 2, x + 1, box.bottom + 2 + kTick, axis);
    DrawShadowedCentered(x, box.bottom + 2 + kTick, Number(r), kShadow, kLabel);
  }

  for (int p = 0; p < players && p < kMaxPlayers; ++p) {
    const uint32_t colour = PlayerColour(g_players[p].colourIndex);
    int x0 = ChartX(box, 0, rounds), y0 = ChartY(box, 0, top);
    for (int r = 1; r <= rounds; ++r) {
      const int x1 = ChartX(box, r, rounds), y1 = ChartY(box, history[r - 1][p], top);
      DrawChartLine(x0, y0, x1, y1, colour);
      x0 = x1;
      y0 = y1;
    }
  }
}
