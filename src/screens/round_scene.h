// The picture of a round, drawn back to front into the back surface every
// frame: the banded sky, the forts with their shields, emblems and badges,
// the falling supply drops, the visible window of the landscape laid over
// them, the DIRECT MISSILE target marker, the projectiles, the power gauge,
// and the status bar with the weapon slots, four lines of text and the mouse
// pointer. Nothing is kept between frames. The results screen and the quit
// question draw the same picture under their panels.
//
// Threads: the game thread.
#pragma once

#include <cstdint>
#include <string>

// The whole picture, from the shared state.
void DrawRoundScene();

// The sky: the top third in the start colour, then 25 bands (each one pixel
// taller than the step between them) stepping every component by its step,
// then the rest in the colour reached. Components wrap as 8-bit values.
void DrawSky(int8_t red, int8_t green, int8_t blue, int8_t redStep, int8_t greenStep, int8_t blueStep);
void DrawSupplyDrops();
void DrawProjectiles();
void DrawPowerGauge();

// The packed colour of a player's colour index (the status bar's fill).
uint32_t PlayerColour(int colourIndex);

// The status bar's texts: the current weapon with its stock ("MISSILE :
// UNLIMITED", "GRENADE : 3") and the turn timer in tens of game ticks.
std::string WeaponLineText(int player, int weapon);
std::string TurnTimerText();
