#include "screens/aim_readout.h"

#include <cstdio>

#include "display/colour.h"
#include "display/display_state.h"
#include "display/text.h"
#include "players/last_shot.h"
#include "screens/pixel_canvas.h"
#include "screens/screen_text.h"
#include "state/shared_state.h"
#include "state/turn_state.h"

namespace {

constexpr ColorRef kShadow = Rgb(15, 0, 0);
constexpr ColorRef kAimColour = Rgb(255, 255, 255);
constexpr ColorRef kLastColour = Rgb(190, 190, 190);

// The readout shows while a human aims: before the turn's shot.
const PlayerRecord* Aiming() {
  const unsigned current = g_game.currentPlayer;
  if (current >= kMaxPlayers || g_turn.turnOver != 0) return nullptr;
  const PlayerRecord& p = g_players[current];
  return p.control == 0 ? &p : nullptr;
}

std::string ShotText(const char* label, int angle, int power) {
  char text[32];
  std::snprintf(text, sizeof text, "%s %d %d%%", label, angle, power);
  return text;
}

}  // namespace

std::string AimReadoutText() {
  const unsigned current = g_game.currentPlayer;
  return ShotText("AIM", AimDegreesToPointer(g_players[current < kMaxPlayers ? current : 0]),
                  PowerPercent(g_game.shotPower));
}

std::string LastShotText(int player) {
  if (player < 0 || player >= kMaxPlayers || !g_lastShots[player].fired) return {};
  const LastShot& s = g_lastShots[player];
  return ShotText("LAST", s.angle, s.power);
}

void DrawLastShotPath() {
  if (!Aiming()) return;
  const LastShot& s = g_lastShots[g_game.currentPlayer];
  if (!s.fired || s.count == 0) return;
  PixelCanvas canvas(g_display.back);
  const uint16_t faint = static_cast<uint16_t>(PackColor(24, 24, 24));
  const int size = g_config.screenWidth >= 640 ? 2 : 1;
  for (int i = 0; i < s.count; ++i) canvas.Square(s.x[i] - g_game.viewX, s.y[i] - g_game.viewY, size, faint);
}

void DrawAimReadout() {
  if (!Aiming()) return;
  const int w = g_config.screenWidth, h = g_config.screenHeight, fh = g_display.fontHeight;
  // The power gauge's right end and top.
  const int right = w - 20, gaugeTop = h - (g_config.displayOption == 0 ? 45 : 20);
  const std::string aim = AimReadoutText();
  DrawShadowedLeft(right - TextWidth(aim), gaugeTop - fh - 2, aim, kShadow, kAimColour);
  const std::string last = LastShotText(g_game.currentPlayer);
  if (!last.empty()) DrawShadowedLeft(right - TextWidth(last), gaugeTop - 2 * fh - 2, last, kShadow, kLastColour);
}
