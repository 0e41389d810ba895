#include "screens/status_aids.h"

#include <cstdio>

#include "display/colour.h"
#include "display/display_state.h"
#include "display/text.h"
#include "screens/pixel_canvas.h"
#include "screens/small_digits.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "state/weapon_index.h"

namespace {

constexpr int kTicksPerSecond = 20;  // a game tick every third frame of 60
constexpr int kLargestFigure = 999;
// The slots' geometry (the status bar's): slot i's interior ends at
// (29 + 24 i, screen height - 11), exclusive.
constexpr int kSlotInteriorRight = 29, kSlotSpacing = 24, kSlotInteriorAboveBottom = 11;

}  // namespace

std::string RoundClockText() {
  const int ticks = g_game.roundTimer > 0 ? g_game.roundTimer : 0;
  const int seconds = (ticks + kTicksPerSecond - 1) / kTicksPerSecond;
  char text[24];
  std::snprintf(text, sizeof text, "ROUND %d:%02d", seconds / 60, seconds % 60);
  return text;
}

void DrawRoundClock(const std::string& turnTimer) {
  const int x = g_config.screenWidth / 2 + TextWidth(turnTimer) / 2 + g_display.fontHeight;
  const std::string clock = RoundClockText();
  // Shadow and text placed as the turn timer's are.
  DrawTextLeft(x + 1, 1, clock, Rgb(15, 0, 0));
  DrawTextLeft(x, 2, clock, Rgb(255, 255, 160));
}

void DrawStockFigures() {
  const unsigned current = g_game.currentPlayer;
  if (current >= kMaxPlayers) return;
  const PlayerRecord& p = g_players[current];
  PixelCanvas canvas(g_display.back);
  if (!canvas) return;
  const uint16_t shadow = static_cast<uint16_t>(PackColor(2, 0, 0));
  const uint16_t some = static_cast<uint16_t>(PackColor(31, 31, 31)), none = static_cast<uint16_t>(PackColor(16, 16, 16));
  const int top = g_config.screenHeight - kSlotInteriorAboveBottom - 1 - kSmallDigitHeight;
  for (int i = 0; i < kWeaponCount; ++i) {
    const int stock = p.stock[i];
    if (stock == kUnlimitedStock) continue;
    const int shown = stock < 0 ? 0 : stock > kLargestFigure ? kLargestFigure : stock;
    DrawSmallNumber(canvas, kSlotInteriorRight - 1 + kSlotSpacing * i, top, shown, stock > 0 ? some : none, shadow);
  }
}
