#include "screens/round_scene.h"

#include <cstdio>
#include <string>

#include "display/colour.h"
#include "display/display_state.h"
#include "display/text.h"
#include "screens/aids.h"
#include "screens/aim_readout.h"
#include "screens/flag_pole.h"
#include "screens/fort_arrows.h"
#include "screens/overview_map.h"
#include "screens/status_aids.h"
#include "sprites/blit.h"
#include "sprites/pointer.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"
#include "weapons/weapon_table.h"
#include "world/fort.h"
#include "world/landscape.h"
#include "world/terrain.h"

namespace {

constexpr ColorRef kShadow = Rgb(15, 0, 0);
constexpr ColorRef kWhite = Rgb(255, 255, 255);

// The players' colours by colour index. The components are larger than the
// packer's 5-bit scale and are packed as they stand.
constexpr int16_t kPlayerColours[kMaxPlayers][3] = {
    {60, 0, 0}, {0, 0, 60}, {60, 60, 60}, {0, 60, 0}, {60, 60, 0}};

constexpr int kFortUnderSprite = 3;
constexpr int kGaugeEmptySprite = 103;
constexpr int kWeaponSlotSprite = 104;

void Fill(int left, int top, int right, int bottom, uint32_t colour) {
  Rect r{left, top, right, bottom};
  FillSurface(g_display.back, colour, &r);
}

// A sprite with its middle on (x, y), halves taken as unsigned 16-bit shifts.
void DrawCentred(int sprite, int x, int y) {
  const SpriteEntry& s = Sprite(sprite);
  DrawSpriteClipped(g_display.back, s, x - (s.width >> 1), y - (s.height >> 1));
}

void DrawForts() {
  const int viewX = g_game.viewX, viewY = g_game.viewY;
  const int current = g_game.currentPlayer;
  for (int i = 0; i < FortCount(); ++i) {
    const PlayerRecord& p = g_players[i];
    const int fortX = static_cast<int>(p.x), fortY = static_cast<int>(p.y);
    if (static_cast<int16_t>(fortY) == 0) continue;  // not placed
    const int fx = fortX - viewX, fy = fortY - viewY;
    if (p.shieldCharges > 0) DrawSpriteClipped(g_display.back, Sprite(g_phases.shield), fx - kShieldLeft, fy - kShieldUp);
    const SpriteEntry& emblem = Sprite(g_phases.emblem + 10 * p.colourIndex);
    const int emblemY = i == current ? fy - 75 : fy - 40;  // the current player's flag is raised
    if (p.destroyed == 0) DrawSpriteClipped(g_display.back, emblem, fx + 60, emblemY);
    const SpriteEntry& under = Sprite(kFortUnderSprite);
    const SpriteEntry& fort = Sprite(kPlayerFortPicture + i);
    DrawSpriteClipped(g_display.back, under, fx, fy);
    DrawSpriteClipped(g_display.back, fort, fx, fy);
    if (p.destroyed == 0 && AidsShown()) DrawFlagPole(g_display.back, emblem, fx + 60, emblemY, fort, under, fx, fy);
    if (p.control == 1 && i == current) DrawSpriteClipped(g_display.back, Sprite(g_phases.computerBadge), fx + 30, fy - 15);
  }
}

void DrawStatusBar(bool aids) {
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  const int current = g_game.currentPlayer < kMaxPlayers ? static_cast<int>(g_game.currentPlayer) : 0;
  const PlayerRecord& p = g_players[current];
  const uint32_t colour = PlayerColour(p.colourIndex);
  const int weapon = g_game.currentWeapon < kWeaponCount ? static_cast<int>(g_game.currentWeapon) : 0;
  Fill(11, h - 29, 249, h - 7, colour);
  for (int i = 0; i < kWeaponCount; ++i) {
    DrawSprite(g_display.back, Sprite(kWeaponSlotSprite), 10 + 24 * i, h - 30);
    if (i == weapon) Fill(15 + 24 * i, h - 25, 29 + 24 * i, h - 11, colour);
    if (p.stock[i] != 0) DrawCentred(WeaponIcon(i), 22 + 24 * i, h - 18);
  }
  if (aids) DrawStockFigures();
  const std::string line = WeaponLineText(current, weapon);
  const int fh = g_display.fontHeight;
  DrawTextLeft(11, h - fh - 41, line, kShadow);
  DrawTextLeft(10, h - fh - 40, line, kWhite);
  DrawTextLeft(11, 1, p.name, kShadow);
  DrawTextLeft(10, 2, p.name, kWhite);
  const std::string timer = TurnTimerText();
  DrawTextCentered(w / 2, 1, timer, kShadow);
  DrawTextCentered(w / 2 - 1, 2, timer, kWhite);
  if (aids) DrawRoundClock(timer);
  DrawTextCentered(w / 2, fh + 1, g_game.statusMessage, kShadow);
  DrawTextCentered(w / 2 - 1, fh + 2, g_game.statusMessage, kWhite);
}

}  // namespace

std::string WeaponLineText(int player, int weapon) {
  const PlayerRecord& p = g_players[player >= 0 && player < kMaxPlayers ? player : 0];
  const int w = weapon >= 0 && weapon < kWeaponCount ? weapon : 0;
  char line[64];
  if (p.stock[w] == kUnlimitedStock)
    std::snprintf(line, sizeof line, "%s : UNLIMITED", WeaponName(w));
  else
    std::snprintf(line, sizeof line, "%s : %i", WeaponName(w), static_cast<int>(p.stock[w]));
  return line;
}

std::string TurnTimerText() { return std::to_string(g_turn.turnTimer / 10); }

uint32_t PlayerColour(int colourIndex) {
  const int16_t* c = kPlayerColours[colourIndex >= 0 && colourIndex < kMaxPlayers ? colourIndex : 0];
  return PackColor(c[0], c[1], c[2]);
}

void DrawSky(int8_t red, int8_t green, int8_t blue, int8_t redStep, int8_t greenStep, int8_t blueStep) {
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  Fill(0, 0, w, h / 3, PackColor(red, green, blue));
  for (int i = 0; i < 25; ++i) {
    const int top = h / 3 + (i * h) / 100;
    Fill(0, top, w, top + h / 100 + 1, PackColor(red, green, blue));
    red = static_cast<int8_t>(red + redStep);
    green = static_cast<int8_t>(green + greenStep);
    blue = static_cast<int8_t>(blue + blueStep);
  }
  Fill(0, h / 3 + h / 4, w, h, PackColor(red, green, blue));
}

void DrawSupplyDrops() {
  for (const SupplyDrop& d : g_drops)
    if (d.kind != kDropNone)
      DrawSpriteClipped(g_display.back, Sprite(SupplyDropPicture(d)),
                        static_cast<int>(d.x) - g_game.viewX, static_cast<int>(d.y) - g_game.viewY);
}

void DrawProjectiles() {
  for (const Projectile& p : g_projectiles)
    if (p.type != 0)
      DrawCentred(ProjectileSprite(p), static_cast<int>(p.x) - g_game.viewX, static_cast<int>(p.y) - g_game.viewY);
}

void DrawPowerGauge() {
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  const int y = h - (g_config.displayOption == 0 ? 45 : 20);
  const int limit = g_turn.powerLimit ? g_turn.powerLimit : 1;
  const int filled = g_game.shotPower * 100 / limit;
  DrawSpritePart(g_display.back, Sprite(g_phases.powerGauge), w - 120, y, 0, 0, filled, 10);
  DrawSpritePart(g_display.back, Sprite(kGaugeEmptySprite), w - 120 + filled, y, filled, 0, 100, 10);
}

void DrawRoundScene() {
  const int w = g_config.screenWidth, h = g_config.screenHeight;
  const SkyColour& sky = g_game.sky;
  DrawSky(sky.red, sky.green, sky.blue, sky.redStep, sky.greenStep, sky.blueStep);
  DrawBaseStrip(TerrainSurface(), CurrentScenerySet());
  DrawForts();
  DrawSupplyDrops();
  const int viewX = g_game.viewX, viewY = g_game.viewY;
  DrawSpritePart(g_display.back, Sprite(kTerrainSprite), 0, 0, viewX, viewY, viewX + w, viewY + h);
  if (g_game.targetMarked == 1) {
    const SpriteEntry& marker = Sprite(g_phases.targetMarker);
    DrawSpriteClipped(g_display.back, marker,
                      static_cast<int>(g_turn.directTargetX) - (marker.width >> 1) - viewX,
                      static_cast<int>(g_turn.directTargetY) - (marker.height >> 1) - viewY);
  }
  const bool aids = AidsShown();
  if (aids) DrawLastShotPath();
  DrawProjectiles();
  DrawPowerGauge();
  DrawStatusBar(aids);
  if (aids) {
    DrawAimReadout();
    DrawFortArrows();
    DrawOverviewMap();
  }
  DrawMousePointer();
}
