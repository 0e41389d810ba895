// Bulwark: a turn-based artillery game. Parses the command line, starts the
// platform layer and runs the application.
#include <cstdio>
#include <string>

#include "audio/sound_script.h"
#include "platform/options.h"
#include "platform/runtime.h"
#include "platform/version.h"
#include "shell/game_app.h"
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
  RegisterSoundScriptCommands();  // before the script is read
  if (!platform::Init(options, &error)) {
    std::fprintf(stderr, "bulwark: %s\n", error.c_str());
    return 1;
  }
  const int code = RunApplication();
  platform::Shutdown();
  return code;
}
