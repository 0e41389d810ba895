// The platform runtime: start-up of SDL in the chosen mode, which thread is
// which, orderly ending of the process, and where data files are found.
//
// Threads: Init/Shutdown on the main thread; the queries from any thread;
// RequestQuit is async-signal-safe.
#pragma once

#include <functional>
#include <string>

#include "platform/options.h"

namespace platform {

// What Init says when there is no display to show the game on.
inline constexpr const char* kNoDisplayText =
    "no display found; run it on a desktop, or use --headless for tests";

// Starts SDL for the mode the options choose (headless: dummy drivers) and
// loads the script, if any. False with a message when that fails; without
// --headless, also when no video driver that shows a window can be opened.
bool Init(const Options& options, std::string* error);
void Shutdown();

// For unit tests: a headless runtime with no script.
void InitForTests();
// For unit tests and benchmarks: the --classic option switched on or off.
void SetClassicForTests(bool classic);

const Options& GetOptions();
bool Headless();

// Thread identity. The main thread is the one that called Init; the game
// thread marks itself when it starts.
bool OnMainThread();
bool OnGameThread();
void MarkGameThread();
// The game thread's last call: frees what SDL keeps for the thread (the
// text of the last error of an SDL call made on it, such as a tune that
// could not be loaded); SDL frees it by itself only for its own threads.
void EndGameThread();

// Closing the window, a termination signal or a script's `quit` ask the
// program to end as closing the window does.
void RequestQuit();
bool QuitRequested();

// Runs once at the end of the process (the JSON summary), whichever way it ends.
void SetExitHook(std::function<void()> hook);
void RunExitHook();

// Ends the process now with the given code, after the exit hook.
[[noreturn]] void Terminate(int code);

// Where a data file is read from: --data-dir if given; otherwise the working
// directory if the file is there, else data/ beside the executable, else
// ../share/bulwark beside it (an installed game), else the working directory
// (where the open then fails as the game expects).
std::string DataPath(const std::string& name);

// The application's name: the program file's name without extension.
const std::string& AppName();

}  // namespace platform
