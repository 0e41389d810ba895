#include "shell/round_end.h"

#include "players/turns.h"
#include "state/shared_state.h"

RoundEnd RoundEndTest() {
  if (RoundOverTest() && g_game.settleCounter < 2) {
    if (g_game.roundTimer != 0) SurvivorBonus();
    return RoundEnd::kWon;
  }
  if (g_game.roundTimer == 0) return RoundEnd::kTime;
  return RoundEnd::kGoOn;
}

const char* RoundEndName(RoundEnd end) {
  switch (end) {
    case RoundEnd::kWon: return "won";
    case RoundEnd::kTime: return "time";
    case RoundEnd::kQuit: return "quit";
    case RoundEnd::kGoOn: break;
  }
  return "";
}
