#include "net/net_script.h"

#include "net/net_session.h"
#include "platform/script.h"

void RegisterNetScriptCommands() {
  platform::RegisterScriptCommand(
      "net-wait", 1, [](const std::vector<long>& args) { NetWaitForPlayers(static_cast<int>(args[0]), 30000); }, 2,
      5);
  platform::RegisterScriptCommand(
      "net-hold-watcher", 1, [](const std::vector<long>& args) { NetHoldForSpectator(static_cast<int>(args[0])); },
      1, 1000);
}
