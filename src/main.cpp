// Bulwark: a turn-based artillery game. Parses the command line, starts the
// platform layer and runs the application.
#include <cstdio>
#include <string>

#include "audio/sound_script.h"
#include "platform/options.h"
#include "platform/runtime.h"
#include "platform/version.h"
#include "shell/game_app.h"
#include "shell/replay_session.h"
#include "shell/user_settings.h"

int main(int argc, char** argv) {
  platform::Options options;
  std::string error;
  if (!platform::ParseOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "bulwark: %s\n\n%s", error.c_str(), platform::UsageText().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(platform::UsageText().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("bulwark %s\n", kGameVersion);
    return 0;
  }
  // The player's settings, under what the command line says for this run.
  LoadUserSettings();
  MergeUserSettings(&options);
  if (!options.replayFile.empty()) {
    if (!LoadReplayFile(options.replayFile, &error)) {
      std::fprintf(stderr, "bulwark: cannot play the replay '%s': %s\n", options.replayFile.c_str(), error.c_str());
      return 1;
    }
    // The recorded game's screen, and the rounds it lasts.
    options.displayOption = LoadedReplayHeader().displayOption;
    options.rounds = static_cast<int>(LoadedReplayHeader().lastRound);
  }
  RegisterSoundScriptCommands();  // before the script is read
  if (!platform::Init(options, &error)) {
    std::fprintf(stderr, "bulwark: %s\n", error.c_str());
    return 1;
  }
  const int code = RunApplication();
  platform::Shutdown();
  return code;
}
