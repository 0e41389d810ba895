#include "platform/script.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/input.h"
#include "platform/png.h"
#include "platform/runtime.h"
#include "platform/video.h"

namespace platform {

namespace {

std::vector<ScriptCommand> g_script;
size_t g_next = 0;

struct VerbInfo {
  const char* name;
  int args;
};
constexpr VerbInfo kVerbs[] = {
    {"key", 1},  {"mouse", 2}, {"ldown", 0}, {"lup", 0},          {"rdown", 0},
    {"rup", 0},  {"shot", 1},  {"quit", 0},  {"lose-display", 0}, {"restore-display", 0},
    {"state", 1}, {"keydown", 1}, {"keyup", 1},
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
  ScriptHandler handler;
};
std::vector<GameCommand> g_gameCommands;

const GameCommand* FindGameCommand(const std::string& verb) {
  for (const auto& c : g_gameCommands)
    if (c.verb == verb) return &c;
  return nullptr;
}

bool ParseInt(const std::string& s, long* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  *out = std::strtol(s.c_str(), &end, 10);
  return *end == '\0';
}

}  // namespace

void SetStateSnapshot(std::function<std::string()> snapshot) { g_snapshot = std::move(snapshot); }

bool RegisterScriptCommand(const std::string& verb, int args, ScriptHandler handler) {
  if (verb.empty() || args < 0 || !handler || FindGameCommand(verb)) return false;
  for (const auto& v : kVerbs)
    if (verb == v.name) return false;
  g_gameCommands.push_back({verb, args, std::move(handler)});
  return true;
}

bool ParseScript(const std::string& text, std::vector<ScriptCommand>* out, std::string* error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  out->clear();
  while (std::getline(in, line)) {
    ++number;
    std::istringstream words(line);
    std::string timeWord;
    if (!(words >> timeWord) || timeWord[0] == '#') continue;
    ScriptCommand cmd;
    cmd.line = number;
    long t = 0;
    if (!ParseInt(timeWord, &t) || t < 0) {
      *error = "line " + std::to_string(number) + ": time '" + timeWord + "' is not a whole number of milliseconds";
      return false;
    }
    cmd.timeMs = t;
    if (!(words >> cmd.verb)) {
      *error = "line " + std::to_string(number) + ": command missing";
      return false;
    }
    for (std::string a; words >> a;) cmd.args.push_back(a);
    int expected = -1;
    for (const auto& v : kVerbs)
      if (cmd.verb == v.name) expected = v.args;
    const GameCommand* game = FindGameCommand(cmd.verb);
    if (game) expected = game->args;
    if (expected < 0) {
      *error = "line " + std::to_string(number) + ": unknown command '" + cmd.verb + "'";
      return false;
    }
    if (static_cast<int>(cmd.args.size()) != expected) {
      *error = "line " + std::to_string(number) + ": '" + cmd.verb + "' takes " + std::to_string(expected) +
               " argument(s)";
      return false;
    }
    if (cmd.verb == "key" || cmd.verb == "keydown" || cmd.verb == "keyup" || cmd.verb == "mouse" || game) {
      for (const auto& a : cmd.args) {
        long v = 0;
        if (!ParseInt(a, &v)) {
          *error = "line " + std::to_string(number) + ": '" + a + "' is not a whole number";
          return false;
        }
      }
    }
    if ((cmd.verb == "shot" || cmd.verb == "state") && cmd.args[0].find('/') != std::string::npos) {
      *error = "line " + std::to_string(number) + ": a " + cmd.verb + " name is a file name, not a path";
      return false;
    }
    out->push_back(cmd);
  }
  return true;
}

bool LoadScript(const std::string& path, std::string* error) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    *error = "cannot open script '" + path + "'";
    return false;
  }
  std::stringstream ss;
  ss << f.rdbuf();
  std::string parseError;
  if (!ParseScript(ss.str(), &g_script, &parseError)) {
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
