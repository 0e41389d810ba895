#include "shell/state_out.h"

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "net/net_session.h"
#include "platform/game_clock.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "screens/final_standings.h"
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
    case Scene::kStandings: return "standings";
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
    const PlayerStats& st = p.stats;
    players.push_back({{"name", p.name},
                       {"x", p.x},
                       {"y", p.y},
                       {"colour", p.colourIndex},
                       {"control", static_cast<int>(p.control)},
                       {"strength", p.strength},
                       {"money", p.money},
                       {"ledger", {{"damage", l.damage}, {"drops", l.drops}, {"bonus", l.bonus}, {"spent", l.spent}}},
                       {"damage", p.damage},
                       {"destroyed", p.destroyed},
                       {"rounds_survived", p.roundsSurvived},
                       {"stock", stock},
                       {"stats",
                        {{"damage_dealt", st.damageDealt},
                         {"damage_taken", st.damageTaken},
                         {"damage_own", st.damageSelf},
                         {"shots", st.shots},
                         {"hits", st.hits},
                         {"drops", st.drops}}}});
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
  j["game_rounds"] = g_game.gameRounds;
  j["rounds_to_play"] = g_game.roundsToPlay;
  // The leader of the game as the standings rank the players, once a game
  // has been played in this run.
  const int winner = RoundLog().empty() ? -1 : StandingsWinner();
  j["winner"] = winner >= 0 ? nlohmann::json(winner) : nlohmann::json();
  j["scene"] = SceneName(g_game.scene);
  j["current_player"] = static_cast<int>(g_game.currentPlayer);
  j["current_weapon"] = static_cast<int>(g_game.currentWeapon);
  j["round_timer"] = g_game.roundTimer;
  j["turn_timer"] = g_turn.turnTimer;
  j["projectiles"] = ProjectilesInUse();
  j["round_log"] = RoundLogJson();
  if (GetNetRole() != NetRole::kOffline)
    j["net"] = {{"dropped", GetNetStats().dropped},
                {"waits", GetNetStats().waits},
                {"caught_up", GetNetStats().caughtUp},
                {"longest_wait_ms", GetNetStats().longestWaitMs}};
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string PlayersSummaryJson() { return PlayersJson().dump(-1, ' ', false, nlohmann::json::error_handler_t::replace); }

void WriteStateOut() {
  const std::string& path = platform::GetOptions().stateOut;
  if (path.empty()) return;
  // Written whole beside the file, then put in its place: a reader never
  // sees half a summary.
  const std::string temporary = path + ".tmp";
  {
    std::ofstream f(temporary, std::ios::binary | std::ios::trunc);
    if (f) f << StateSummaryJson() << '\n';
    if (f && f.flush() && std::rename(temporary.c_str(), path.c_str()) == 0) return;
  }
  std::remove(temporary.c_str());
  std::fprintf(stderr, "bulwark: cannot write %s\n", path.c_str());
}
