// The player's own settings for this run: read from settings.ini in the
// player's config folder at start-up, put under the command line (which wins
// for one run) and over game.ini, and written again whenever one changes. A
// damaged file is kept aside as settings.ini.damaged and replaced by the
// defaults; it, or a file that cannot be read, gives one message at start-up.
//
// Threads: loaded and merged on the main thread before the platform starts;
// read and changed afterwards on the game thread (player set-up, volumes) and
// the main thread (the fullscreen switch), under one lock.
#pragma once

#include <functional>
#include <string>

#include "platform/options.h"
#include "state/settings.h"

// Where the settings live (empty when there is no config folder: nothing is
// then read or saved).
std::string UserSettingsPath();

// Reads the settings file (see above).
void LoadUserSettings();

// Fullscreen and display mode from the settings, where the command line says
// nothing of them.
void MergeUserSettings(platform::Options* options);

// The message LoadUserSettings left (empty: none); shown once at start-up.
std::string TakeSettingsMessage();

// A copy of the settings as they stand.
Settings UserSettings();

// Changes the settings and, when that changed anything, writes the file.
void ChangeUserSettings(const std::function<void(Settings&)>& change);
