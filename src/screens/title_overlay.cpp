#include "screens/title_overlay.h"

#include "screens/title_menu.h"
#include "sprites/pointer.h"

void DrawTitleOverlay() {
  DrawTitleMenu();
  DrawMousePointer();
}
