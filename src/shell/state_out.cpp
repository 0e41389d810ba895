#include "shell/state_out.h"

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/game_clock.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "players/player_record.h"
#include "shell/shared_state.h"

std::string StateSummaryJson() {
  nlohmann::json j;
  j["frames"] = platform::GameFrames();
  j["screen"] = {g_config.screenWidth, g_config.screenHeight};
  j["messages"] = platform::MessagesShown();
  nlohmann::json players = nlohmann::json::array();
  const int n = g_game.numberOfPlayers < kMaxPlayers ? g_game.numberOfPlayers : kMaxPlayers;
  for (int i = 0; i < n; ++i) {
    const PlayerRecord& p = g_players[i];
    nlohmann::json stock = nlohmann::json::array();
    for (const auto& s : p.stock) stock.push_back(static_cast<int>(s));
    players.push_back({{"name", p.name},
                       {"control", static_cast<int>(p.control)},
                       {"money", p.money},
                       {"damage", p.damage},
                       {"destroyed", p.destroyed},
                       {"rounds_survived", p.roundsSurvived},
                       {"stock", stock}});
  }
  j["players"] = players;
  j["rounds"] = g_game.roundsPlayed;
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

void WriteStateOut() {
  const std::string& path = platform::GetOptions().stateOut;
  if (path.empty()) return;
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) {
    std::fprintf(stderr, "bulwark: cannot write %s\n", path.c_str());
    return;
  }
  f << StateSummaryJson() << '\n';
}
