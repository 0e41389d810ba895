// Bulwark: a turn-based artillery game. Parses the command line, starts the
// platform layer and runs the application.
#include <cstdio>
#include <string>

#include "audio/sound_script.h"
#include "net/net_script.h"
#include "net/net_session.h"
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
  // Online play: the host listens; a joined machine is welcomed before its
  // display is set up, for it plays at the host's screen size.
  if (options.hostPort > 0 && !NetStartHost(static_cast<uint16_t>(options.hostPort), &error)) {
    std::fprintf(stderr, "bulwark: %s\n", error.c_str());
    return 1;
  }
  if (!options.joinAddress.empty()) {
    if (options.name.empty()) options.name = NetDefaultName();
    NetWelcome welcome;
    if (NetStartJoin(options.joinAddress, static_cast<uint16_t>(options.joinPort), options.watch, options.name,
                     &welcome, &error)) {
      options.displayOption = welcome.displayOption;
      options.classic = welcome.classic;
    } else {
      std::fprintf(stderr, "bulwark: %s\n", error.c_str());
      if (options.headless) return 1;
    }
  }
  RegisterSoundScriptCommands();  // before the script is read
  RegisterNetScriptCommands();
  if (!platform::Init(options, &error)) {
    std::fprintf(stderr, "bulwark: %s\n", error.c_str());
    return 1;
  }
  const int code = RunApplication();
  platform::Shutdown();
  return code;
}
