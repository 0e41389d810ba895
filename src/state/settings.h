// The player's own settings as settings.ini keeps them: plain `key = value`
// lines, blank lines and comments (`#` or `;`) allowed. Keys this version does
// not know are passed over (another version may have written them); a line
// that is not a setting, a known key with a value out of its range, or
// bytes that are not text make the file damaged. Adding a setting is one line
// in the table of settings.cpp.
//
// Threads: any (pure functions over the values given).
#pragma once

#include <string>
#include <string_view>

#include "state/player_record.h"

// One player of the last game, as the player set-up left it.
struct SavedPlayer {
  std::string name;  // up to 12 of A-Z, 0-9 and space
  int colour = 0;    // 0..4
  int control = 0;   // 0 human, 1 computer
  bool operator==(const SavedPlayer&) const = default;
};

struct Settings {
  int effectsVolume = 100;  // per cent of the full level
  int musicVolume = 100;    // per cent of the music's level
  bool fullscreen = true;   // false: a window
  int displayMode = -1;     // index of platform::kDisplayModes; -1: what game.ini says
  int players = 0;          // how many players the last game had (0: none saved)
  SavedPlayer player[kMaxPlayers];
  bool operator==(const Settings&) const = default;
};

// The longest settings file read; a longer one is damaged.
inline constexpr size_t kMaxSettingsBytes = 16384;

// Reads the text of a settings file over the defaults in *out. False, with
// *error naming the line and what is wrong with it, when it is damaged.
bool ParseSettings(std::string_view text, Settings* out, std::string* error);

// The text of a settings file holding s (ParseSettings gives s back).
std::string FormatSettings(const Settings& s);
