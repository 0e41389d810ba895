// The one palette of the game's pictures. Every painter takes its colours
// from here, so stone, metal, fire and the five player colours look the same
// wherever they appear.
//
// Threads: the asset generator's only thread.
#pragma once

#include "assetgen/art/colour.h"

namespace art::pal {

// The outline of every sprite: a violet near-black.
inline constexpr Rgb kInk = Hex(0x1C1422);

// Stone of the forts, frames and tablets.
inline constexpr Rgb kStoneLight = Hex(0xC9C0AE);
inline constexpr Rgb kStone = Hex(0x9A9184);
inline constexpr Rgb kStoneDark = Hex(0x625C5A);
inline constexpr Rgb kMortar = Hex(0x4A4347);

// Wood and iron.
inline constexpr Rgb kWood = Hex(0x8E5B34);
inline constexpr Rgb kWoodDark = Hex(0x5A3421);
inline constexpr Rgb kIron = Hex(0x59606E);
inline constexpr Rgb kSteel = Hex(0xA8B2BE);
inline constexpr Rgb kSteelDark = Hex(0x5F6A78);

// Gold and brass: knobs, coins, frames, lettering.
inline constexpr Rgb kGoldLight = Hex(0xFFE9A0);
inline constexpr Rgb kGold = Hex(0xE8B441);
inline constexpr Rgb kGoldDark = Hex(0x9C6420);

// Fire, from the hot core to the smoke.
inline constexpr Rgb kFireWhite = Hex(0xFFF8D8);
inline constexpr Rgb kFireYellow = Hex(0xFFD448);
inline constexpr Rgb kFireOrange = Hex(0xFF8A1E);
inline constexpr Rgb kFireRed = Hex(0xD2361C);
inline constexpr Rgb kFireDeep = Hex(0x7C1C14);
inline constexpr Rgb kSmoke = Hex(0x4C3F40);

// Shells: painted metal.
inline constexpr Rgb kShellWhite = Hex(0xDCDFD8);
inline constexpr Rgb kShellRed = Hex(0xCC3526);
inline constexpr Rgb kOlive = Hex(0x6E7B3A);
inline constexpr Rgb kOliveDark = Hex(0x434C22);

// The five player colours (colour index 0 to 4).
inline constexpr Rgb kPlayer[5] = {Hex(0xD8362C), Hex(0x3563D8), Hex(0xEDEDE6), Hex(0x3AA648), Hex(0xF2CC2C)};

// Magic and energy: the shield, the target marker.
inline constexpr Rgb kShieldCyan = Hex(0x7FE4FF);
inline constexpr Rgb kShieldBlue = Hex(0x2E7BE0);
inline constexpr Rgb kMarkerRed = Hex(0xFF3A30);

// Panels and buttons.
inline constexpr Rgb kPanelDeep = Hex(0x1E2136);
inline constexpr Rgb kPanel = Hex(0x2E3350);
inline constexpr Rgb kPanelLight = Hex(0x4A5378);
inline constexpr Rgb kBronze = Hex(0xB98A4A);
inline constexpr Rgb kBronzeDark = Hex(0x6B4526);

// Sky and grass of the painted scenes.
inline constexpr Rgb kSkyTop = Hex(0x1E2A5E);
inline constexpr Rgb kSkyHorizon = Hex(0xF0A46A);
inline constexpr Rgb kGrass = Hex(0x5E9A34);
inline constexpr Rgb kGrassDark = Hex(0x35641F);

}  // namespace art::pal
