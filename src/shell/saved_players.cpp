#include "shell/saved_players.h"

#include "net/net_session.h"
#include "shell/user_settings.h"
#include "state/player_record.h"
#include "state/shared_state.h"

void RestoreSavedNamesAndControls() {
  const Settings s = UserSettings();
  for (int i = 0; i < s.players && i < kMaxPlayers; ++i) {
    g_players[i].name = s.player[i].name;
    g_players[i].control = static_cast<uint16_t>(s.player[i].control);
  }
}

void RestoreSavedColour(int player) {
  const Settings s = UserSettings();
  if (player < 0 || player >= s.players || player >= kMaxPlayers) return;
  const int colour = s.player[player].colour;
  for (int lower = 0; lower < player; ++lower)
    if (g_players[lower].colourIndex == colour) return;
  g_players[player].colourIndex = static_cast<int16_t>(colour);
}

void SaveGamePlayers() {
  // Only this machine's players: those of joined machines belong there.
  ChangeUserSettings([](Settings& s) {
    s.players = 0;
    for (int i = 0; i < kMaxPlayers; ++i) s.player[i] = SavedPlayer();
    for (int i = 0; i < g_game.numberOfPlayers && i < kMaxPlayers; ++i) {
      if (NetMachineOf(i) != 0) continue;
      SavedPlayer& saved = s.player[s.players++];
      saved.name = g_players[i].name;
      saved.colour = g_players[i].colourIndex;
      saved.control = g_players[i].control == 0 ? 0 : 1;
    }
  });
}
