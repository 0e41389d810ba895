#include "support/game_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "platform/png.h"
#include "support/sprite_bank_bytes.h"

namespace fs = std::filesystem;

namespace e2e {

std::string MakeTempDir(const std::string& tag) {
  const char* base = std::getenv("TEST_TMPDIR");
  fs::path root = base ? fs::path(base) : fs::temp_directory_path() / "bulwark-tests";
  static int counter = 0;
  fs::path dir = root / (tag + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string();
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << text;
}

GameRun RunGame(const std::string& tag, const RunOptions& o) {
  GameRun run;
  run.dir = MakeTempDir(tag);
  const fs::path dir(run.dir), data = dir / "data";
  fs::create_directories(data);
  fs::create_directories(dir / "shots");
  if (o.withGeneratedData) {
    const fs::path generated = fs::path(BULWARK_BUILD_DIR) / "data";
    for (const char* name : {"intro.spr", "small.spr", "sound.sdf", "level.frc"})
      if (fs::exists(generated / name)) fs::copy_file(generated / name, data / name);
    // Where the generator has written no sprite banks (yet), small stand-ins
    // take their place, so that loading them shows no message.
    if (!fs::exists(data / "intro.spr"))
      WriteFile((data / "intro.spr").string(), testbank::MakeBank({testbank::PatternPicture(64, 48, 1)}));
    if (!fs::exists(data / "small.spr"))
      WriteFile((data / "small.spr").string(),
                testbank::MakeBank(std::vector<testbank::Picture>(467, testbank::SolidPicture(1, 1, 0x0421))));
    // Until the generator writes the sound bank, runs get an empty one (every
    // slot empty, 4411 bytes), so that a start with complete data is quiet.
    if (!fs::exists(data / "sound.sdf")) WriteFile((data / "sound.sdf").string(), std::vector<uint8_t>(4411, 0));
  }
  if (o.withTunes)
    for (const char* name : {"begin.mid", "tex1.mid", "tex2.mid", "tex3.mid", "tex4.mid", "tex5.mid", "mag.mid"})
      fs::copy_file(fs::path(BULWARK_BUILD_DIR) / "data" / name, data / name);
  if (!o.gameIni.empty()) WriteFile((data / "game.ini").string(), o.gameIni);
  for (const auto& [name, bytes] : o.dataFiles) WriteFile((data / name).string(), bytes);
  WriteText((dir / "script.txt").string(), o.script);

  std::vector<std::string> args = {BULWARK_BINARY, "--data-dir", data.string(),
                                   "--script",     (dir / "script.txt").string(),
                                   "--shot-dir",   (dir / "shots").string(),
                                   "--state-out",  (dir / "state.json").string()};
  if (o.headless) args.insert(args.begin() + 1, "--headless");
  args.insert(args.end(), o.extraArgs.begin(), o.extraArgs.end());
  const std::string errPath = (dir / "stderr.txt").string();

  pid_t pid = fork();
  if (pid == 0) {
    int fd = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 2);
    int devnull = open("/dev/null", O_RDWR);
    dup2(devnull, 0);
    dup2(devnull, 1);
    chdir(run.dir.c_str());
    for (const auto& e : o.env) putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  bool signalled = false;
  auto ready = std::chrono::steady_clock::time_point::max();
  const fs::path readyShot = dir / "shots" / o.sigtermAfterShot;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(o.timeoutSeconds);
  for (;;) {
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) break;
    const auto now = std::chrono::steady_clock::now();
    if (o.sigtermAfterMs >= 0 && ready == std::chrono::steady_clock::time_point::max() &&
        (o.sigtermAfterShot.empty() || fs::exists(readyShot)))
      ready = now;
    if (!signalled && ready != std::chrono::steady_clock::time_point::max() &&
        now - ready > std::chrono::milliseconds(o.sigtermAfterMs)) {
      kill(pid, SIGTERM);
      signalled = true;
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
  std::ifstream err(errPath);
  std::stringstream ss;
  ss << err.rdbuf();
  run.stderrText += ss.str();
  run.state = ReadJson((dir / "state.json").string());
  return run;
}

nlohmann::json ReadJson(const std::string& path) {
  std::ifstream f(path);
  if (!f) return nullptr;
  try {
    nlohmann::json j;
    f >> j;
    return j;
  } catch (...) {
    return nullptr;
  }
}

nlohmann::json GameRun::Snapshot(const std::string& name) const {
  return ReadJson((fs::path(dir) / "shots" / name).string());
}

bool GameRun::LoadShot(const std::string& name, std::vector<uint16_t>* pixels, int* width, int* height) const {
  std::string error;
  return platform::LoadPng565((fs::path(dir) / "shots" / name).string(), pixels, width, height, &error);
}

std::vector<std::string> GameRun::Messages() const {
  std::vector<std::string> out;
  if (state.is_object() && state.contains("messages"))
    for (const auto& m : state["messages"]) out.push_back(m.get<std::string>());
  return out;
}

std::vector<int16_t> GameRun::DiskAudio(const std::string& name) const {
  std::ifstream f(fs::path(dir) / name, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
  return samples;
}

}  // namespace e2e
