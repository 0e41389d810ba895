#include "shell/user_settings.h"

#include <cstdio>
#include <mutex>

#include "platform/user_files.h"

namespace {

std::mutex g_lock;
Settings g_settings;
std::string g_message;
bool g_saveFailed = false;

// Writes the settings; a failure is told once a run, on stderr (the game
// goes on with them in memory).
void Save(const Settings& s) {
  const std::string path = UserSettingsPath();
  if (path.empty()) return;
  std::string error;
  if (!platform::WriteUserFile(path, FormatSettings(s), &error) && !g_saveFailed) {
    g_saveFailed = true;
    std::fprintf(stderr, "bulwark: cannot save the settings: %s\n", error.c_str());
  }
}

}  // namespace

std::string UserSettingsPath() {
  const std::string dir = platform::UserConfigDir();
  return dir.empty() ? dir : dir + "/settings.ini";
}

void LoadUserSettings() {
  std::lock_guard<std::mutex> hold(g_lock);
  g_settings = Settings();
  g_message.clear();
  const std::string path = UserSettingsPath();
  if (path.empty()) return;
  std::string text, error;
  switch (platform::ReadUserFile(path, kMaxSettingsBytes, &text, &error)) {
    case platform::ReadResult::kMissing:
      return;
    case platform::ReadResult::kUnreadable:
      g_message = "cannot read " + error + "; the default settings are used";
      return;
    case platform::ReadResult::kTooLarge:
      error = "longer than " + std::to_string(kMaxSettingsBytes) + " bytes";
      break;
    case platform::ReadResult::kRead: {
      Settings read;
      if (ParseSettings(text, &read, &error)) {
        g_settings = read;
        return;
      }
      break;
    }
  }
  // Damaged: kept aside for the player to look at, replaced by the defaults.
  g_message = path + " is damaged (" + error + "); the default settings are used";
  if (std::rename(path.c_str(), (path + ".damaged").c_str()) == 0) Save(g_settings);
}

void MergeUserSettings(platform::Options* options) {
  const Settings s = UserSettings();
  if (!s.fullscreen) options->windowed = true;
  if (options->displayOption < 0) options->displayOption = s.displayMode;
}

std::string TakeSettingsMessage() {
  std::lock_guard<std::mutex> hold(g_lock);
  std::string message;
  message.swap(g_message);
  return message;
}

Settings UserSettings() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_settings;
}

void ChangeUserSettings(const std::function<void(Settings&)>& change) {
  std::lock_guard<std::mutex> hold(g_lock);
  Settings changed = g_settings;
  change(changed);
  if (changed == g_settings) return;
  g_settings = changed;
  Save(g_settings);
}
