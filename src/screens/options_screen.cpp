#include "screens/options_screen.h"

#include <algorithm>
#include <string>

#include "audio/game_sounds.h"
#include "display/display_state.h"
#include "display/frame_presenter.h"
#include "platform/options.h"
#include "screens/screen_text.h"
#include "sprites/blit.h"
#include "sprites/panel.h"
#include "sprites/pointer.h"
#include "state/shared_state.h"

namespace {

constexpr int kKeyEnter = 13, kKeyEsc = 27, kKeySpace = 32;
constexpr int kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28;
constexpr int kTitleBackground = 384;
// Every line has the credits' dark shadow; the lit row is yellow.
constexpr ColorRef kShadow = Rgb(15, 15, 15), kLit = Rgb(255, 255, 15);
constexpr ColorRef kHeading = Rgb(255, 200, 60), kLabel = Rgb(159, 159, 255), kValue = Rgb(255, 255, 255);

const char* const kLabels[kOptionsRows] = {"EFFECTS VOLUME", "MUSIC VOLUME", "FULLSCREEN", "DISPLAY MODE", "BACK"};

int Line() { return std::max<int>(g_display.fontHeight, 12); }
int PanelX() { return g_config.screenWidth / 8; }
int PanelY() { return g_config.screenHeight / 8; }
int PanelWidth() { return g_config.screenWidth * 3 / 4; }

// The row under the pointer, or -1.
int RowUnderPointer() {
  const int x = g_input.cursorX, y = g_input.cursorY;
  if (x < PanelX() || x >= PanelX() + PanelWidth()) return -1;
  for (int row = 0; row < kOptionsRows; ++row)
    if (y >= OptionRowY(row) - Line() / 2 && y < OptionRowY(row) + Line() + Line() / 2) return row;
  return -1;
}

void Draw(const Settings& s, int lit) {
  const int w = g_config.screenWidth, line = Line();
  StretchSurface(g_display.back, MutableSprite(kTitleBackground).surface.get());
  DrawPanel(g_display.back, PanelX(), PanelY(), PanelWidth(), OptionRowY(kOptionsRows) - PanelY() + line);
  DrawShadowedCentered(w / 2, PanelY() + line, "OPTIONS", kShadow, kHeading);
  const int labelX = PanelX() + PanelWidth() / 4 + 10, valueX = PanelX() + PanelWidth() * 3 / 4;
  for (int row = 0; row < kOptionsRows; ++row) {
    const int y = OptionRowY(row);
    if (row == kRowBack) {
      DrawShadowedCentered(w / 2, y, kLabels[row], kShadow, row == lit ? kLit : kLabel);
      continue;
    }
    DrawShadowedCentered(labelX, y, kLabels[row], kShadow, row == lit ? kLit : kLabel);
    const std::string value = "< " + OptionValue(s, row) + " >";
    DrawShadowedCentered(valueX, y, value, kShadow, row == lit ? kLit : kValue);
  }
  DrawShadowedCentered(w / 2, OptionRowY(kOptionsRows), "A NEW DISPLAY MODE SHOWS AT THE NEXT START", kShadow, kLabel);
  DrawMousePointer();
}

}  // namespace

const char* OptionLabel(int row) { return row >= 0 && row < kOptionsRows ? kLabels[row] : ""; }

std::string OptionValue(const Settings& s, int row) {
  switch (row) {
    case kRowEffects: return std::to_string(s.effectsVolume) + "%";
    case kRowMusic: return std::to_string(s.musicVolume) + "%";
    case kRowFullscreen: return s.fullscreen ? "YES" : "NO";
    case kRowDisplayMode: return s.displayMode < 0 ? "GAME.INI" : platform::kDisplayModes[s.displayMode];
    default: return "";
  }
}

int OptionRowY(int row) { return PanelY() + 3 * Line() + row * 2 * Line(); }

bool StepOption(Settings* s, int row, int step) {
  const Settings before = *s;
  switch (row) {
    case kRowEffects: s->effectsVolume = std::clamp(s->effectsVolume + 10 * step, 0, 100); break;
    case kRowMusic: s->musicVolume = std::clamp(s->musicVolume + 10 * step, 0, 100); break;
    case kRowFullscreen: s->fullscreen = !s->fullscreen; break;
    case kRowDisplayMode: {
      // -1 (game.ini's), then the four modes, round and round.
      const int modes = static_cast<int>(std::size(platform::kDisplayModes)) + 1;
      s->displayMode = (s->displayMode + 1 + step + modes) % modes - 1;
      break;
    }
    default: break;
  }
  return !(*s == before);
}

void ShowOptions(FramePresenter& frame, Settings settings, const std::function<void(const Settings&)>& changed) {
  const Scene scene = g_game.scene;
  g_game.scene = Scene::kOptions;
  g_input.leftButton = 0;
  g_input.rightButton = 0;
  g_input.lastKey = 0;
  int lit = -1, hovered = -1;
  for (;;) {
    frame.FlipFrame();
    ReadCursor();
    frame.CheckSurfaces();
    // The pointer lights the row it moves onto; the keys move the light.
    const int under = RowUnderPointer();
    if (under != hovered) {
      hovered = under;
      if (under >= 0) {
        lit = under;
        PlaySoundEffect(17);
      }
    }
    int step = 0;
    const int key = g_input.lastKey;
    g_input.lastKey = 0;
    if (key == kKeyUp || key == kKeyDown) {
      lit = lit < 0 ? 0 : (lit + (key == kKeyUp ? kOptionsRows - 1 : 1)) % kOptionsRows;
      PlaySoundEffect(17);
    }
    if (key == kKeyLeft) step = -1;
    if (key == kKeyRight || key == kKeyEnter || key == kKeySpace) step = 1;
    bool leave = key == kKeyEsc || g_input.rightButton == 1;
    if (g_input.leftButton == 1) {
      g_input.leftButton = 0;
      if (under >= 0) {
        lit = under;
        step = g_input.cursorX < PanelX() + PanelWidth() / 2 ? -1 : 1;
        if (under == kRowDisplayMode || under == kRowFullscreen) step = 1;
      }
    }
    if (step != 0 && lit == kRowBack) leave = true;
    if (step != 0 && lit >= 0 && StepOption(&settings, lit, step)) {
      changed(settings);
      PlaySoundEffect(18);
    }
    if (leave) {
      g_input.rightButton = 0;
      PlaySoundEffect(18);
      g_game.scene = scene;
      return;
    }
    Draw(settings, lit);
  }
}
