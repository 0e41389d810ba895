#include "shell/saved_players.h"

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
  ChangeUserSettings([](Settings& s) {
    s.players = g_game.numberOfPlayers < kMaxPlayers ? g_game.numberOfPlayers : kMaxPlayers;
    for (int i = 0; i < kMaxPlayers; ++i) {
      s.player[i] = SavedPlayer();
      if (i >= s.players) continue;
      s.player[i].name = g_players[i].name;
      s.player[i].colour = g_players[i].colourIndex;
      s.player[i].control = g_players[i].control == 0 ? 0 : 1;
    }
  });
}
