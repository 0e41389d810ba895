#include "shell/state_out.h"

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/game_clock.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "shell/round_log.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/projectile_table.h"

namespace {

const char* SceneName(Scene scene) {
  switch (scene) {
    case Scene::kTitle: return "title";
    case Scene::kCredits: return "credits";
    case Scene::kMenu: return "menu";
    case Scene::kRound: return "round";
    case Scene::kResults: return "results";
    case Scene::kShop: return "shop";
    case Scene::kQuitQuestion: return "quit-question";
    case Scene::kOptions: return "options";
  }
  return "title";
}

// The players of the game: name, place, colour, control, money with its
// ledger, damage, destroyed, rounds survived, stock.
nlohmann::json PlayersJson() {
  nlohmann::json players = nlohmann::json::array();
  const int n = g_game.numberOfPlayers < kMaxPlayers ? g_game.numberOfPlayers : kMaxPlayers;
  for (int i = 0; i < n; ++i) {
    const PlayerRecord& p = g_players[i];
    nlohmann::json stock = nlohmann::json::array();
    for (const auto& s : p.stock) stock.push_back(static_cast<int>(s));
    const MoneyLedger& l = p.ledger;
    players.push_back({{"name", p.name},
                       {"x", p.x},
                       {"y", p.y},
                       {"colour", p.colourIndex},
                       {"control", static_cast<int>(p.control)},
                       {"money", p.money},
                       {"ledger", {{"damage", l.damage}, {"drops", l.drops}, {"bonus", l.bonus}, {"spent", l.spent}}},
                       {"damage", p.damage},
                       {"destroyed", p.destroyed},
                       {"rounds_survived", p.roundsSurvived},
                       {"stock", stock}});
  }
  return players;
}

nlohmann::json RoundLogJson() {
  nlohmann::json log = nlohmann::json::array();
  for (const RoundLogEntry& r : RoundLog()) {
    nlohmann::json entry = {{"level", r.level},       {"scenery", r.scenery},   {"frames", r.frames},
                            {"ended", r.ended},       {"standing", r.standing}};
    if (!r.resultsPlayers.empty())
      entry["results"] = {{"projectiles", r.resultsProjectiles},
                          {"players", nlohmann::json::parse(r.resultsPlayers, nullptr, false)}};
    log.push_back(entry);
  }
  return log;
}

}  // namespace

std::string StateSummaryJson() {
  nlohmann::json j;
  j["frames"] = platform::GameFrames();
  j["screen"] = {g_config.screenWidth, g_config.screenHeight};
  j["messages"] = platform::MessagesShown();
  j["players"] = PlayersJson();
  j["rounds"] = g_game.roundsPlayed;
  j["scene"] = SceneName(g_game.scene);
  j["current_player"] = static_cast<int>(g_game.currentPlayer);
  j["current_weapon"] = static_cast<int>(g_game.currentWeapon);
  j["round_timer"] = g_game.roundTimer;
  j["turn_timer"] = g_turn.turnTimer;
  j["projectiles"] = ProjectilesInUse();
  j["round_log"] = RoundLogJson();
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string PlayersSummaryJson() { return PlayersJson().dump(-1, ' ', false, nlohmann::json::error_handler_t::replace); }

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
