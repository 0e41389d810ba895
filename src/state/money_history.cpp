#include "state/money_history.h"

std::vector<MoneyAfterRound>& MoneyHistory() {
  static std::vector<MoneyAfterRound> history;
  return history;
}

void RecordMoneyAfterRound() {
  MoneyAfterRound line{};
  for (int i = 0; i < kMaxPlayers; ++i) line[i] = g_players[i].money;
  MoneyHistory().push_back(line);
}
