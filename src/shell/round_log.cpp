#include "shell/round_log.h"

std::vector<RoundLogEntry>& RoundLog() {
  static std::vector<RoundLogEntry> log;
  return log;
}
