#include "support/game_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/png.h"
#include "support/sound_bank_builder.h"

namespace fs = std::filesystem;

namespace e2e {

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// The JSON in a file (null when it is missing or not JSON).
nlohmann::json ReadJson(const std::string& path) {
  nlohmann::json j = nlohmann::json::parse(ReadFile(path), nullptr, false);
  return j.is_discarded() ? nullptr : j;
}

}  // namespace

int CountDiffering(const Shot& a, const Shot& b) {
  int n = 0;
  for (size_t i = 0; i < a.px.size() && i < b.px.size(); ++i) n += a.px[i] != b.px[i];
  return n;
}

std::string At(int ms, const std::string& command) { return std::to_string(ms) + " " + command + "\n"; }

std::string Click(int ms, int x, int y, bool quick) {
  return At(ms, "mouse " + std::to_string(x) + " " + std::to_string(y)) + At(ms + 50, "ldown") +
         At(quick ? ms + 50 : ms + 100, "lup");
}

GameRun RunGame(const std::string& tag, const RunOptions& o) {
  // A fresh folder holding the script.
  const std::vector<uint8_t> script(o.script.begin(), o.script.end());
  const fs::path scriptPath = testfiles::WriteTestFile(tag, "script.txt", &script), dir = scriptPath.parent_path();
  const fs::path data = dir / "data", generated = fs::path(BULWARK_BUILD_DIR) / "data";
  fs::create_directories(data);
  fs::create_directories(dir / "shots");
  GameRun run;
  run.dir = dir.string();
  for (const std::string name : {"intro.spr", "small.spr", "sound.sdf", "level.frc", "begin.mid", "tex1.mid", "tex2.mid",
                                 "tex3.mid", "tex4.mid", "tex5.mid", "mag.mid"})
    if (name.ends_with(".mid") ? o.withTunes : o.withGeneratedData) fs::copy_file(generated / name, data / name);
  if (!o.gameIni.empty()) WriteFile(data / "game.ini", std::string(o.gameIni.begin(), o.gameIni.end()));
  for (const auto& [name, bytes] : o.dataFiles)
    if (name.ends_with('/'))
      fs::create_directories(data / name);
    else
      WriteFile(data / name, std::string(bytes.begin(), bytes.end()));

  std::vector<std::string> args = {BULWARK_BINARY, "--data-dir", data.string(),
                                   "--script",     scriptPath.string(),
                                   "--shot-dir",   (dir / "shots").string(),
                                   "--state-out",  (dir / "state.json").string()};
  if (o.headless) args.insert(args.begin() + 1, "--headless");
  args.insert(args.end(), o.extraArgs.begin(), o.extraArgs.end());
  // Replays and the player's settings of the run live in its own folder, never
  // in the real home.
  std::vector<std::string> env = {"XDG_DATA_HOME=" + (dir / "xdg").string(), "XDG_CONFIG_HOME=" + (dir / "config").string()};
  env.insert(env.end(), o.env.begin(), o.env.end());
  if (o.diskAudio) env.insert(env.begin(), {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=audio.raw"});

  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(o.timeoutSeconds);
  while (!o.startAfterFile.empty() && ReadFile(o.startAfterFile).find(o.startAfterText) == std::string::npos &&
         Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open((dir / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    const int devnull = open("/dev/null", O_RDWR);
    dup2(devnull, 0);
    dup2(devnull, 1);
    if (chdir(dir.c_str()) != 0) _exit(126);
    for (auto& e : env) putenv(e.data());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (o.onStart) o.onStart(run.dir);
  // Polls for the end of the run, the shot that sets the SIGTERM a second later, and the deadline.
  int status = 0;
  bool waitingForShot = !o.sigtermAfterShot.empty();
  auto sigtermAt = Clock::time_point::max();
  while (waitpid(pid, &status, WNOHANG) != pid) {
    const auto now = Clock::now();
    if (!o.killAfterFile.empty() && ReadFile(o.killAfterFile).find(o.killAfterText) != std::string::npos)
      kill(pid, SIGKILL);
    if (waitingForShot && fs::exists(dir / "shots" / o.sigtermAfterShot)) {
      waitingForShot = false;
      sigtermAt = now + std::chrono::seconds(1);
    }
    if (now > sigtermAt) {
      kill(pid, SIGTERM);
      sigtermAt = Clock::time_point::max();
    }
    if (now > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      run.stderrText = "(timed out)\n";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.stderrText += ReadFile(dir / "stderr.txt");
  run.state = ReadJson(dir / "state.json");
  return run;
}

nlohmann::json GameRun::Snapshot(const std::string& name) const { return ReadJson(dir + "/shots/" + name); }

Shot GameRun::LoadShot(const std::string& name) const {
  Shot s;
  std::string error;  // a missing or broken picture leaves the shot empty
  platform::LoadPng565(dir + "/shots/" + name, &s.px, &s.w, &s.h, &error);
  return s;
}

std::vector<std::string> GameRun::Messages() const {
  return state.is_object() ? state.value("messages", std::vector<std::string>{}) : std::vector<std::string>{};
}

std::vector<int16_t> GameRun::DiskAudio() const {
  const std::string bytes = ReadFile(dir + "/audio.raw");
  std::vector<int16_t> samples(bytes.size() / 2);  // in the machine's own byte order, as SDL wrote them
  if (!samples.empty()) std::memcpy(samples.data(), bytes.data(), 2 * samples.size());
  return samples;
}

}  // namespace e2e
