#include "platform/runtime.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "platform/script.h"

namespace platform {

namespace {

Options g_options;
std::thread::id g_mainThread;
thread_local bool t_gameThread = false;
volatile std::sig_atomic_t g_quitSignal = 0;
std::atomic<bool> g_quit{false};
std::function<void()> g_exitHook;
std::atomic<bool> g_exitHookRan{false};
std::string g_appName = "bulwark";
std::string g_exeDir;
bool g_sdlStarted = false;

void OnSignal(int) { g_quitSignal = 1; }

// Whether the video driver SDL opened shows windows on a screen.
bool ShowsWindows() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) return false;
  for (const char* unseen : {"offscreen", "dummy", "evdev"})
    if (SDL_strcasecmp(driver, unseen) == 0) return false;
  return true;
}

// Starts SDL's video on a driver that shows windows. The libraries SDL tries
// on the way may complain on stderr (Wayland's, outside a desktop session):
// what they write is passed on only when a display opens.
bool OpenDisplay() {
  std::fflush(stderr);
  std::FILE* aside = std::tmpfile();
  const int saved = aside ? dup(STDERR_FILENO) : -1;
  if (saved >= 0) dup2(fileno(aside), STDERR_FILENO);
  const bool ok = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0 && ShowsWindows();
  if (saved >= 0) {
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
  }
  if (aside && ok) {
    std::rewind(aside);
    char buffer[512];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, aside)) > 0;) std::fwrite(buffer, 1, n, stderr);
  }
  if (aside) std::fclose(aside);
  return ok;
}

std::string ExecutableDir() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  return exe.parent_path().string();
}

}  // namespace

bool Init(const Options& options, std::string* error) {
  g_options = options;
  g_mainThread = std::this_thread::get_id();
  g_exeDir = ExecutableDir();

  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);

  if (options.headless) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // tests may choose "disk"
  }
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_Init(SDL_INIT_TIMER) != 0) {
    *error = std::string("cannot start SDL: ") + SDL_GetError();
    return false;
  }
  if (!options.headless && !OpenDisplay()) {
    // Without a display SDL falls back on drivers that draw nowhere: the game
    // would run unseen. Say so and stop instead.
    SDL_Quit();
    *error = kNoDisplayText;
    return false;
  }
  if (TTF_Init() != 0) {
    *error = std::string("cannot start SDL_ttf: ") + TTF_GetError();
    return false;
  }
  g_sdlStarted = true;
  if (!options.scriptFile.empty() && !LoadScript(options.scriptFile, error)) return false;
  return true;
}

void InitForTests() {
  Options o;
  o.headless = true;
  std::string error;
  if (!Init(o, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::exit(2);
  }
}

void SetClassicForTests(bool classic) { g_options.classic = classic; }

void Shutdown() {
  if (!g_sdlStarted) return;
  g_sdlStarted = false;
  TTF_Quit();
  SDL_Quit();
}

const Options& GetOptions() { return g_options; }
bool Headless() { return g_options.headless; }

bool OnMainThread() { return std::this_thread::get_id() == g_mainThread; }
bool OnGameThread() { return t_gameThread; }
void MarkGameThread() { t_gameThread = true; }

void EndGameThread() { SDL_TLSCleanup(); }

void RequestQuit() { g_quit.store(true, std::memory_order_relaxed); }
bool QuitRequested() { return g_quit.load(std::memory_order_relaxed) || g_quitSignal != 0; }

void SetExitHook(std::function<void()> hook) { g_exitHook = std::move(hook); }

void RunExitHook() {
  if (g_exitHookRan.exchange(true)) return;
  if (g_exitHook) g_exitHook();
}

void Terminate(int code) {
  RunExitHook();
  std::fflush(nullptr);
  _exit(code);
}

std::string DataPath(const std::string& name) {
  namespace fs = std::filesystem;
  if (!g_options.dataDir.empty()) return (fs::path(g_options.dataDir) / name).string();
  std::error_code ec;
  if (fs::exists(name, ec)) return name;
  fs::path beside = fs::path(g_exeDir) / "data" / name;
  if (fs::exists(beside, ec)) return beside.string();
  // Installed: the program in PREFIX/bin, its data in PREFIX/share/bulwark.
  fs::path installed = fs::path(g_exeDir) / ".." / "share" / "bulwark" / name;
  if (fs::exists(installed, ec)) return installed.lexically_normal().string();
  return name;
}

const std::string& AppName() { return g_appName; }

}  // namespace platform
