// Start-up loading: the configuration file, then the display, the pixel
// layout, the font, the sprite table and the start-up sprite bank.
#include "shell/config.h"

#include <cstdio>
#include <new>
#include <string>

#include "display/display_state.h"
#include "display/text.h"
#include "platform/byte_source.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "shell/main_frame.h"
#include "shell/user_settings.h"
#include "sprites/sprite_loader.h"

void SetDisplayOption(uint8_t option, ConfigState* config) {
  static constexpr uint16_t kSizes[4][2] = {{320, 240}, {640, 480}, {800, 600}, {1024, 768}};
  config->displayOption = option;
  if (option <= 3) {
    config->screenWidth = kSizes[option][0];
    config->screenHeight = kSizes[option][1];
  }
}

void ApplyConfigBytes(const uint8_t* bytes, size_t count, ConfigState* config) {
  if (count >= 1) SetDisplayOption(bytes[0], config);
  if (count >= 2) config->noVblankWait = bytes[1];
  if (count >= 3) config->noRefreshWarning = bytes[2];
}

void CMainFrame::ReadConfig() {
  // A game.ini that opens but cannot be read (a directory of that name) is
  // as good as none: it is reported, not taken for an empty file.
  platform::ByteSource file(platform::DataPath("game.ini"));
  uint8_t bytes[3] = {};
  const size_t count = file.Opened() ? file.Read(bytes, sizeof bytes) : 0;
  if (file.Opened() && !file.Failed()) {
    ApplyConfigBytes(bytes, count, &g_config);
  } else {
    platform::ShowMessage("no open game.ini", kEmptyText, /*owned=*/false);
  }
  if (const std::string message = TakeSettingsMessage(); !message.empty())
    platform::ShowMessage(message, kEmptyText, /*owned=*/false);
  // --mode (or the player's settings) chooses the screen, and with it the
  // font, over the file.
  if (const int mode = platform::GetOptions().displayOption; mode >= 0 && mode <= 3)
    SetDisplayOption(static_cast<uint8_t>(mode), &g_config);
}

void CMainFrame::InitGame() {
  ReadConfig();
  InitDisplay();
  if (!g_display.back) {
    // Without a display there is nothing to play on: end after the message.
    platform::Terminate(1);
  }
  DetectPixelFormat();
  CreateGameFont();
  m_sprites = new (std::nothrow) SpriteTable();
  if (!m_sprites) {
    platform::ShowMessage("no memory raznoe", kEmptyText);
    platform::Terminate(1);
  }
  SetSprites(m_sprites);
  LoadStartupSprites();
}
