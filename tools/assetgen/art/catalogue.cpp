#include "assetgen/art/catalogue.h"

#include "assetgen/art/lettering.h"
#include "assetgen/art/painters.h"

namespace art {

const std::vector<SpriteFamily>& GameBankFamilies() {
  static const std::vector<SpriteFamily> families = {
      {0, 1, 640, 480, PaintMenuCanvas, "menu panel canvas"},
      {1, 1, 1536, 768, PaintTerrainCanvas, "terrain canvas"},
      {2, 1, 80, 50, PaintFort, "intact fort"},
      {3, 1, 80, 50, PaintFortInterior, "fort interior under the fort"},
      {4, 1, 80, 40, PaintFortBodyMask, "fort body mask"},
      {5, 4, 80, 6, PaintFortFootMask, "fort foot masks"},
      {9, 5, 80, 50, PaintFortCanvas, "players' fort canvases"},
      {14, 1, 16, 16, PaintPointer, "mouse pointer"},
      {15, 1, 9, 9, PaintPointerProbe, "pointer probe"},
      {16, 20, 0, 0, PaintExplosion, "explosion fireballs"},
      {37, 50, 24, 36, PaintEmblem, "emblems: 10 frames x 5 colours"},
      {87, 5, 38, 38, PaintBaseStrip, "base strip blocks"},
      {93, 10, 100, 10, PaintGaugeFill, "power gauge fill"},
      {103, 1, 100, 10, PaintGaugeEmpty, "power gauge empty"},
      {104, 1, 24, 24, PaintWeaponSlot, "weapon slot frame"},
      {106, 36, 16, 16, PaintMissile, "MISSILE, 36 directions"},
      {142, 5, 128, 96, PaintGroundTile, "ground tiles"},
      {147, 36, 20, 20, PaintBigMissile, "BIG MISSILE, 36 directions"},
      {183, 20, 12, 12, PaintGrenade, "GRENADE spin"},
      {203, 36, 16, 16, PaintDirectMissile, "DIRECT MISSILE, 36 directions"},
      {239, 10, 120, 90, PaintShield, "shield bubble"},
      {249, 11, 16, 16, PaintGroundDefenseLaunch, "GROUND DEFENSE launch and flight"},
      {260, 10, 0, 0, PaintMoundRising, "GROUND DEFENSE mound rising"},
      {270, 1, 64, 40, PaintMound, "GROUND DEFENSE mound"},
      {271, 20, 12, 12, PaintBallGrenade, "BALL GRENADE spin"},
      {291, 36, 16, 16, PaintGimlet, "GIMLET, 36 directions"},
      {327, 20, 14, 14, PaintSuperGrenade, "SUPER GRENADE spin"},
      {347, 10, 25, 25, PaintTargetMarker, "DIRECT MISSILE target marker"},
      {357, 4, 16, 16, PaintDirectMissileLaunch, "DIRECT MISSILE launch"},
      {361, 4, 12, 12, PaintBallGrenadeLaunch, "BALL GRENADE launch"},
      {365, 10, 16, 16, PaintHyperTube, "HYPER TUBE flight"},
      {375, 4, 16, 16, PaintHyperTubeLaunch, "HYPER TUBE launch"},
      {379, 1, 6, 6, PaintBomblet, "HYPER TUBE bomblet"},
      {380, 4, 20, 20, PaintBigMissileLaunch, "BIG MISSILE launch"},
      {384, 1, 640, 480, PaintTitle, "title screen"},
      {385, 20, 24, 24, PaintMoneyDrop, "money drop / buy button"},
      {405, 20, 24, 24, PaintWeaponDrop, "weapon drop"},
      {425, 1, 24, 2, PaintDropLandingMask, "drop landing mask"},
      {426, 11, 100, 30, PaintLoadingFrame, "loading animation"},
      {437, 1, 200, 80, PaintLoadingBanner, "loading banner"},
      {438, 2, 40, 28, PaintControlButton, "control buttons: computer, human"},
      {440, 1, 40, 28, PaintPlayButton, "play button"},
      {441, 1, 640, 480, PaintShopBackground, "shop background"},
      {442, 2, 34, 34, PaintShopSlot, "shop weapon slot, plain and selected"},
      {444, 1, 30, 30, PaintPanelFrame, "panel frame"},
      {445, 1, 14, 14, PaintDefenseIcon, "DEFENSE icon"},
      {446, 3, 160, 36, PaintTitleItem, "title menu items"},
      {449, 1, 378, 256, PaintPanelTile, "panel fill tile"},
      {450, 5, 20, 14, PaintComputerBadge, "computer badge"},
      {455, 10, 40, 28, PaintNextButton, "NEXT button"},
      {465, 1, 1024, 768, PaintPanelCanvas, "panel fill canvas"},
      {466, 1, 240, 24, PaintPressAnyKey, "PRESS ANY KEY prompt"},
      {467, 1, 160, 36, PaintOptionsItem, "the title menu's OPTIONS item"},
  };
  return families;
}

namespace {

// Closes the lettering fonts when painting ends, however it ends.
struct FontsClosedAtEnd {
  ~FontsClosedAtEnd() { CloseLetteringFonts(); }
};

bool Fits(const SpriteImage& s, int index, const SpriteFamily& f, std::string* error) {
  const bool sized = f.width == 0 || (s.width == f.width && s.height == f.height);
  if (sized && s.width > 0 && s.height > 0 && s.pixels.size() == static_cast<size_t>(s.width) * s.height) return true;
  *error = "sprite " + std::to_string(index) + " (" + f.what + ") is " + std::to_string(s.width) + " x " +
           std::to_string(s.height) + ", not its catalogue size";
  return false;
}

}  // namespace

bool PaintGameBank(std::vector<SpriteImage>* bank, std::string* error) {
  const FontsClosedAtEnd closeFonts;
  bank->assign(kGameBankSize, SpriteImage{});
  std::vector<bool> painted(kGameBankSize, false);
  for (const SpriteFamily& f : GameBankFamilies())
    for (int k = 0; k < f.count; ++k) {
      const int index = f.first + k;
      if (index >= kGameBankSize || painted[index]) {
        *error = "catalogue: index " + std::to_string(index) + " is outside the bank or named twice";
        return false;
      }
      painted[index] = true;
      (*bank)[index] = f.paint(k);
      if (!Fits((*bank)[index], index, f, error)) return false;
    }
  if (!LetteringError().empty()) {
    *error = LetteringError();
    return false;
  }
  return true;
}

bool PaintStartupBank(std::vector<SpriteImage>* bank, std::string* error) {
  const FontsClosedAtEnd closeFonts;
  bank->assign(1, PaintStartupPicture(0));
  const SpriteImage& s = bank->front();
  if (s.width == 0 || s.height == 0 || s.width > 320 || s.height > 240) {
    *error = "the start-up picture must be at most 320 x 240";
    return false;
  }
  if (!LetteringError().empty()) {
    *error = LetteringError();
    return false;
  }
  return true;
}

}  // namespace art
