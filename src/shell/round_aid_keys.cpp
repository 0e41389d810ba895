#include "shell/round_aid_keys.h"

#include <string>

#include "screens/aids.h"
#include "screens/overview_map.h"
#include "shell/input_handlers.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "weapons/weapon_table.h"

namespace {

constexpr int kNoticeTicks = 100;  // as long as the drops' messages

// A weapon key the key-down handler could not follow for want of stock.
void NoticeEmptyWeaponKey() {
  const int weapon = WeaponForDigitKey(g_input.lastKey);
  const unsigned current = g_game.currentPlayer;
  if (weapon < 0 || current >= kMaxPlayers) return;
  const PlayerRecord& p = g_players[current];
  if (p.control != 0 || p.stock[weapon] != 0) return;
  g_game.statusMessage = std::string("NO ") + WeaponName(weapon) + " LEFT";
  g_game.messageTimer = kNoticeTicks;
  g_input.lastKey = 0;
}

}  // namespace

void RoundAidKeys() {
  if (!AidsShown()) return;
  if (g_input.lastKey == kKeyMap) {
    ToggleOverviewMap();
    g_input.lastKey = 0;
    return;
  }
  NoticeEmptyWeaponKey();
}
