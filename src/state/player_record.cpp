#include "state/player_record.h"

PlayerRecord g_players[kMaxPlayers];
