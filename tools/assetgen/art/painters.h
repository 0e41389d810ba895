// Every painter of the game bank and the start-up bank. A painter makes one
// frame (0-based within its family) of one family of sprites; the catalogue
// (catalogue.cpp) says which indices and sizes each family has.
//
// Threads: the asset generator's only thread.
#pragma once

#include "assetgen/spr_writer.h"

namespace art {

// Forts (paint_forts.cpp).
SpriteImage PaintFort(int frame);
SpriteImage PaintFortInterior(int frame);
SpriteImage PaintFortBodyMask(int frame);
SpriteImage PaintFortFootMask(int frame);
SpriteImage PaintFortCanvas(int frame);

// Explosions, shield, target marker (paint_effects.cpp).
float ExplosionRadius(int frame);  // frame 0 is sprite 16
SpriteImage PaintExplosion(int frame);
SpriteImage PaintShield(int frame);
SpriteImage PaintTargetMarker(int frame);

// Emblems: 10 waving frames for each of the 5 colours (paint_flags.cpp).
SpriteImage PaintEmblem(int frame);

// Ground tiles, base strips, the mound of GROUND DEFENSE (paint_terrain.cpp).
SpriteImage PaintGroundTile(int frame);
SpriteImage PaintBaseStrip(int frame);
SpriteImage PaintMoundRising(int frame);
SpriteImage PaintMound(int frame);

// Shells flying in 36 directions and their launches (paint_shells.cpp).
SpriteImage PaintMissile(int frame);
SpriteImage PaintBigMissile(int frame);
SpriteImage PaintDirectMissile(int frame);
SpriteImage PaintGimlet(int frame);
SpriteImage PaintBigMissileLaunch(int frame);
SpriteImage PaintDirectMissileLaunch(int frame);

// Spinning and tumbling shells (paint_bombs.cpp).
SpriteImage PaintGrenade(int frame);
SpriteImage PaintBallGrenade(int frame);
SpriteImage PaintBallGrenadeLaunch(int frame);
SpriteImage PaintSuperGrenade(int frame);
SpriteImage PaintHyperTube(int frame);
SpriteImage PaintHyperTubeLaunch(int frame);
SpriteImage PaintBomblet(int frame);
SpriteImage PaintGroundDefenseLaunch(int frame);

// Status bar and pointer (paint_hud.cpp).
SpriteImage PaintPointer(int frame);
SpriteImage PaintPointerProbe(int frame);
SpriteImage PaintGaugeFill(int frame);
SpriteImage PaintGaugeEmpty(int frame);
SpriteImage PaintWeaponSlot(int frame);
SpriteImage PaintShopSlot(int frame);
SpriteImage PaintDefenseIcon(int frame);
SpriteImage PaintComputerBadge(int frame);

// Supply drops (paint_drops.cpp).
SpriteImage PaintMoneyDrop(int frame);
SpriteImage PaintWeaponDrop(int frame);
SpriteImage PaintDropLandingMask(int frame);

// Buttons and menu items (paint_buttons.cpp).
SpriteImage PaintControlButton(int frame);  // 0 computer, 1 human
SpriteImage PaintPlayButton(int frame);
SpriteImage PaintNextButton(int frame);
SpriteImage PaintTitleItem(int frame);
SpriteImage PaintOptionsItem(int frame);
SpriteImage PaintPressAnyKey(int frame);

// Panels, canvases, the shop and the loading screen (paint_panels.cpp).
SpriteImage PaintMenuCanvas(int frame);
SpriteImage PaintTerrainCanvas(int frame);
SpriteImage PaintPanelFrame(int frame);
SpriteImage PaintPanelTile(int frame);
SpriteImage PaintPanelCanvas(int frame);
SpriteImage PaintShopBackground(int frame);
SpriteImage PaintLoadingFrame(int frame);
SpriteImage PaintLoadingBanner(int frame);

// The title screen and the start-up picture (paint_title.cpp).
SpriteImage PaintTitle(int frame);
SpriteImage PaintStartupPicture(int frame);

}  // namespace art
