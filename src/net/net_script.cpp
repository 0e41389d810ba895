#include "net/net_script.h"

#include "net/net_session.h"
#include "platform/script.h"

void RegisterNetScriptCommands() {
  platform::RegisterScriptCommand(
      "net-wait", 1, [](const std::vector<long>& args) { NetWaitForPlayers(static_cast<int>(args[0]), 30000); }, 2,
      5);
  platform::RegisterScriptCommand(
      "net-hold", 2,
      [](const std::vector<long>& args) { NetHoldAtRound(static_cast<int>(args[0]), static_cast<int>(args[1])); }, 1,
      30000);
}
