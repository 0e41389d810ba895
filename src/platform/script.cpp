#include "platform/script.h"

#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "platform/byte_source.h"
#include "platform/game_clock.h"
#include "platform/input.h"
#include "platform/key_codes.h"
#include "platform/png.h"
#include "platform/runtime.h"
#include "platform/video.h"

namespace platform {

namespace {

std::vector<ScriptCommand> g_script;
size_t g_next = 0;

// The whole-number arguments a command takes lie in [lowest, highest].
struct NumberRange {
  int64_t lowest = 0, highest = -1;  // empty: the arguments are not numbers
};
// The codes keys give; a screen position as a window system holds it (16
// bits each way, so that positions beside the picture still count).
constexpr NumberRange kKeyCodes{1, kHighestKeyCode};
constexpr NumberRange kScreenCoordinates{-32768, 32767};
// The times the game clock can reach (it counts in 1/60 ms in 64 bits).
constexpr NumberRange kClockTimes{0, INT64_MAX / kClockUnitsPerMs};

struct VerbInfo {
  const char* name;
  int args;
  NumberRange numbers;
};
constexpr VerbInfo kVerbs[] = {
    {"key", 1, kKeyCodes},
    {"keydown", 1, kKeyCodes},
    {"keyup", 1, kKeyCodes},
    {"mouse", 2, kScreenCoordinates},
    {"ldown", 0, {}},
    {"lup", 0, {}},
    {"rdown", 0, {}},
    {"rup", 0, {}},
    {"shot", 1, {}},
    {"quit", 0, {}},
    {"lose-display", 0, {}},
    {"restore-display", 0, {}},
    {"state", 1, {}},
};

std::function<std::string()> g_snapshot;

// Where `shot` and `state` write a file of the given name.
std::string ShotPath(const std::string& name) {
  const std::string dir = GetOptions().shotDir.empty() ? std::string(".") : GetOptions().shotDir;
  return dir + "/" + name;
}

struct GameCommand {
  std::string verb;
  int args = 0;
  NumberRange numbers;
  ScriptHandler handler;
};
std::vector<GameCommand> g_gameCommands;

const GameCommand* FindGameCommand(const std::string& verb) {
  for (const auto& c : g_gameCommands)
    if (c.verb == verb) return &c;
  return nullptr;
}

enum class Number { kOk, kNotANumber, kOutOfRange };

// A whole number in decimal (an optional sign, then digits and nothing else)
// that lies in range, into *value.
Number ParseNumber(const std::string& s, NumberRange range, int64_t* value) {
  const char* first = s.data();
  const char* last = s.data() + s.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, *value);
  if (ec == std::errc::invalid_argument || end != last) return Number::kNotANumber;
  if (ec == std::errc::result_out_of_range || *value < range.lowest || *value > range.highest)
    return Number::kOutOfRange;
  return Number::kOk;
}

// A control byte other than a tab or the carriage return of a CRLF line.
int StrayByte(const std::string& line) {
  for (unsigned char c : line)
    if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F) return c;
  return -1;
}

std::string RangeText(NumberRange range) {
  return std::to_string(range.lowest) + " to " + std::to_string(range.highest);
}

}  // namespace

void SetStateSnapshot(std::function<std::string()> snapshot) { g_snapshot = std::move(snapshot); }

bool RegisterScriptCommand(const std::string& verb, int args, ScriptHandler handler, long lowest, long highest) {
  if (verb.empty() || args < 0 || !handler || lowest > highest || FindGameCommand(verb)) return false;
  for (const auto& v : kVerbs)
    if (verb == v.name) return false;
  g_gameCommands.push_back({verb, args, {lowest, highest}, std::move(handler)});
  return true;
}

bool ParseScript(const std::string& text, std::vector<ScriptCommand>* out, std::string* error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  out->clear();
  while (std::getline(in, line)) {
    ++number;
    const std::string where = "line " + std::to_string(number) + ": ";
    std::istringstream words(line);
    std::string timeWord;
    if (!(words >> timeWord) || timeWord[0] == '#') continue;
    if (const int stray = StrayByte(line); stray >= 0) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", stray);
      *error = where + "stray byte " + hex;
      return false;
    }
    ScriptCommand cmd;
    cmd.line = number;
    const Number time = ParseNumber(timeWord, kClockTimes, &cmd.timeMs);
    if (time != Number::kOk) {
      *error = where + "time '" + timeWord + "' " +
               (time == Number::kNotANumber ? "is not a whole number of milliseconds"
                                            : "is out of range (" + RangeText(kClockTimes) + " ms)");
      return false;
    }
    if (!(words >> cmd.verb)) {
      *error = where + "command missing";
      return false;
    }
    for (std::string a; words >> a;) cmd.args.push_back(a);
    const VerbInfo* verb = nullptr;
    for (const auto& v : kVerbs)
      if (cmd.verb == v.name) verb = &v;
    const GameCommand* game = FindGameCommand(cmd.verb);
    if (!verb && !game) {
      *error = where + "unknown command '" + cmd.verb + "'";
      return false;
    }
    const int expected = verb ? verb->args : game->args;
    const NumberRange numbers = verb ? verb->numbers : game->numbers;
    if (static_cast<int>(cmd.args.size()) != expected) {
      *error = where + "'" + cmd.verb + "' takes " + std::to_string(expected) + " argument(s)";
      return false;
    }
    const bool numeric = numbers.lowest <= numbers.highest;
    for (const auto& a : cmd.args) {
      int64_t value = 0;
      const Number n = numeric ? ParseNumber(a, numbers, &value) : Number::kOk;
      if (n != Number::kOk) {
        *error = where + "'" + a + "' " +
                 (n == Number::kNotANumber ? "is not a whole number"
                                           : "is out of range for '" + cmd.verb + "' (" + RangeText(numbers) + ")");
        return false;
      }
    }
    if ((cmd.verb == "shot" || cmd.verb == "state") && cmd.args[0].find('/') != std::string::npos) {
      *error = where + "a " + cmd.verb + " name is a file name, not a path";
      return false;
    }
    out->push_back(cmd);
  }
  return true;
}

bool LoadScript(const std::string& path, std::string* error) {
  // A directory opens but cannot be read: it is refused as a missing file is.
  ByteSource source(path);
  std::string text;
  uint8_t buffer[4096];
  for (size_t got; source.Opened() && text.size() <= kMaxScriptBytes && (got = source.Read(buffer, sizeof buffer)) > 0;)
    text.append(reinterpret_cast<const char*>(buffer), got);
  if (!source.Opened() || source.Failed()) {
    *error = "cannot open script '" + path + "'";
    return false;
  }
  // An endless source (/dev/zero, a pipe that never closes) stops here too.
  if (text.size() > kMaxScriptBytes) {
    *error = "script '" + path + "' is larger than 4 MB";
    return false;
  }
  std::string parseError;
  if (!ParseScript(text, &g_script, &parseError)) {
    *error = path + ": " + parseError;
    return false;
  }
  g_next = 0;
  return true;
}

bool ScriptPending() { return g_next < g_script.size(); }

void RunDueScriptCommands(double nowMs) {
  while (g_next < g_script.size() && static_cast<double>(g_script[g_next].timeMs) <= nowMs) {
    // Advance first: a command may sleep or flip (a message box, a quit).
    const ScriptCommand& cmd = g_script[g_next++];
    ApplyScriptCommand(cmd);
  }
}

void ApplyScriptCommand(const ScriptCommand& cmd) {
  InputSink* sink = GetInputSink();
  const std::string& v = cmd.verb;
  if (v == "key") {
    if (sink) sink->OnKeyDown(std::atoi(cmd.args[0].c_str()));
    if (sink) sink->OnKeyUp(std::atoi(cmd.args[0].c_str()));
  } else if (v == "keydown") {
    if (sink) sink->OnKeyDown(std::atoi(cmd.args[0].c_str()));
  } else if (v == "keyup") {
    if (sink) sink->OnKeyUp(std::atoi(cmd.args[0].c_str()));
  } else if (v == "mouse") {
    SetCursorPos(std::atoi(cmd.args[0].c_str()), std::atoi(cmd.args[1].c_str()));
  } else if (v == "ldown") {
    if (sink) sink->OnLButtonDown();
  } else if (v == "lup") {
    if (sink) sink->OnLButtonUp();
  } else if (v == "rdown") {
    if (sink) sink->OnRButtonDown();
  } else if (v == "rup") {
    if (sink) sink->OnRButtonUp();
  } else if (v == "shot") {
    const std::string path = ShotPath(cmd.args[0]);
    std::string error;
    Video* video = GetVideo();
    if (!video || !video->SaveScreen(path, &error))
      std::fprintf(stderr, "shot %s failed: %s\n", path.c_str(), video ? error.c_str() : "no display");
  } else if (v == "state") {
    const std::string path = ShotPath(cmd.args[0]);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (f && g_snapshot) f << g_snapshot() << '\n';
    if (!f || !g_snapshot) std::fprintf(stderr, "state %s failed\n", path.c_str());
  } else if (v == "lose-display") {
    if (Video* video = GetVideo()) video->LoseDisplay();
  } else if (v == "restore-display") {
    if (Video* video = GetVideo()) video->RestoreDisplay();
  } else if (v == "quit") {
    RequestQuit();
  } else if (const GameCommand* game = FindGameCommand(v)) {
    std::vector<long> args;
    for (const auto& a : cmd.args) args.push_back(std::strtol(a.c_str(), nullptr, 10));
    game->handler(args);
  }
}

}  // namespace platform
