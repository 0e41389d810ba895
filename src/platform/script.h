// Scripted input for tests and demos: one command a line, `TIME COMMAND ARGS`,
// TIME in milliseconds of the game thread's own clock (see game_clock.h).
// Blank lines and lines starting with '#' are ignored.
//
// Threads: loaded on the main thread at start-up; run on the game thread.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

struct ScriptCommand {
  int64_t timeMs = 0;
  std::string verb;
  std::vector<std::string> args;
  int line = 0;
};

// A command the game adds to the language: the verb and a fixed number of
// whole-number arguments, each from lowest to highest; the handler runs on the
// game thread when the command is due. Register before the script is loaded;
// false when the verb is taken already.
using ScriptHandler = std::function<void(const std::vector<long>& args)>;
bool RegisterScriptCommand(const std::string& verb, int args, ScriptHandler handler, long lowest = INT_MIN,
                           long highest = INT_MAX);

// What the `state NAME.json` command writes (the run's summary at that
// moment); set by the game before the script runs.
void SetStateSnapshot(std::function<std::string()> snapshot);

// Parses script text; false with "line N: ..." in *error on a bad line: an
// unknown command, a wrong number of arguments, a number that is not one or
// lies outside its range (times 0 to what the game clock holds, key codes 1
// to kHighestKeyCode, mouse positions -32768 to 32767), or a stray control
// byte.
bool ParseScript(const std::string& text, std::vector<ScriptCommand>* out, std::string* error);

// Loads and parses a script file as the run's script; "cannot open script"
// when the file cannot be opened or read (a directory, for one), and refused
// when it is larger than kMaxScriptBytes (or never ends, as /dev/zero).
inline constexpr size_t kMaxScriptBytes = 4u << 20;
bool LoadScript(const std::string& path, std::string* error);

// True while commands of the loaded script are still waiting to run.
bool ScriptPending();

// Runs, in file order, every command whose time has come at clock time nowMs.
void RunDueScriptCommands(double nowMs);

// Applies one command (used by RunDueScriptCommands; tests call it directly).
void ApplyScriptCommand(const ScriptCommand& cmd);

}  // namespace platform
