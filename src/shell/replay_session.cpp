#include "shell/replay_session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "net/net_session.h"
#include "platform/byte_source.h"
#include "platform/game_clock.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/runtime.h"
#include "shell/state_checksum.h"
#include "platform/version.h"
#include "state/player_record.h"
#include "state/shared_state.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kCheckEvery = 600;
constexpr size_t kKeptReplays = 50;
constexpr int kKeyEsc = 27;
constexpr int kKeyY = 'Y';
constexpr const char* kReplayExtension = ".bwr";

struct Recording {
  bool on = false;
  Replay replay;
  uint64_t frame = 0;
  std::string path;
  bool inFolder = false;  // written to the replays folder (which keeps the newest)
};

struct Playback {
  bool loaded = false;
  bool on = false;
  Replay replay;
  size_t change = 0;
  size_t check = 0;
  size_t handOver = 0;
  uint64_t frame = 0;
  bool leaveAsked = false;  // Esc pressed: Y leaves
};

Recording g_recording;
Playback g_playback;

[[noreturn]] void OutOfSync(uint64_t frame) {
  platform::ShowMessage("REPLAY OUT OF SYNC AT FRAME " + std::to_string(frame), kEmptyText);
  platform::Terminate(1);
}

void Checkpoint(uint64_t frame) {
  const uint32_t sum = GameStateChecksum();
  if (g_recording.on) g_recording.replay.checks.push_back({frame, sum});
  NetCheckpoint(frame, sum);
  if (!g_playback.on) return;
  const std::vector<ReplayCheck>& checks = g_playback.replay.checks;
  if (g_playback.check >= checks.size() || checks[g_playback.check].frame != frame ||
      checks[g_playback.check].sum != sum)
    OutOfSync(frame);
  ++g_playback.check;
}

bool WriteAtomically(const fs::path& path, const std::vector<uint8_t>& bytes) {
  const fs::path temp = path.string() + ".tmp";
  {
    std::ofstream f(temp, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) fs::remove(temp, ec);
  return !ec;
}

// The oldest replays of the folder go, beyond the newest kKeptReplays (their
// names are their dates, so the order of names is the order of time).
void PruneFolder(const fs::path& folder) {
  std::vector<fs::path> replays;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(folder, ec))
    if (e.path().extension() == kReplayExtension) replays.push_back(e.path());
  if (replays.size() <= kKeptReplays) return;
  std::sort(replays.begin(), replays.end());
  for (size_t i = 0; i + kKeptReplays < replays.size(); ++i) fs::remove(replays[i], ec);
}

// A new file in the folder named by the date and time.
std::string FolderReplayPath(const std::string& folder) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
  std::string path = folder + "/" + stamp + kReplayExtension;
  std::error_code ec;
  for (int n = 2; fs::exists(path, ec); ++n) path = folder + "/" + stamp + "-" + std::to_string(n) + kReplayExtension;
  return path;
}

void WriteRecording() {
  g_recording.on = false;
  g_recording.replay.frames = g_recording.frame;
  const fs::path path = g_recording.path;
  std::error_code ec;
  if (g_recording.inFolder) fs::create_directories(path.parent_path(), ec);
  if (path.empty() || !WriteAtomically(path, EncodeReplay(g_recording.replay))) {
    std::fprintf(stderr, "bulwark: cannot write the replay to '%s'; the game goes on\n", path.c_str());
    return;
  }
  if (g_recording.inFolder) PruneFolder(path.parent_path());
}

// The header of a game that starts now, from the game's state.
void RecordHeader(ReplayHeader& h) {
  h.gameVersion = kGameVersion;
  h.randomState = platform::RandState();
  h.displayOption = g_config.displayOption;
  h.startFrames = platform::GameFrames();
  h.startClock = platform::GameClockUnits();
  h.startRecord = CurrentFrameRecord();
  h.lastRound = static_cast<uint32_t>(g_game.roundsToPlay);
  for (int i = 0; i < g_game.numberOfPlayers && i < kMaxPlayers; ++i) {
    const PlayerRecord& p = g_players[i];
    h.players.push_back({p.name, p.colourIndex, p.control, p.strength});
  }
}

}  // namespace

std::string ReplayFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
    return std::string(xdg) + "/bulwark/replays";
  if (const char* home = std::getenv("HOME"); home && home[0] != '\0')
    return std::string(home) + "/.local/share/bulwark/replays";
  return {};
}

bool LoadReplayFile(const std::string& path, std::string* error) {
  platform::ByteSource source(path);
  uint64_t size = 0;
  if (!source.Opened() || !source.Size(&size)) {
    *error = "cannot open the replay";
    return false;
  }
  if (size > kReplayMaxBytes) {
    *error = "the replay is too large";
    return false;
  }
  std::vector<uint8_t> bytes(size);
  if (source.Read(bytes.data(), bytes.size()) != bytes.size() || source.Failed()) {
    *error = "cannot read the replay";
    return false;
  }
  g_playback = Playback();
  if (!DecodeReplay(bytes.data(), bytes.size(), &g_playback.replay, error)) return false;
  g_playback.loaded = true;
  return true;
}

bool ReplayLoaded() { return g_playback.loaded; }
const ReplayHeader& LoadedReplayHeader() { return g_playback.replay.header; }

void BeginRecording(const ReplayHeader* given) {
  g_recording = Recording();
  ReplayHeader& h = g_recording.replay.header;
  if (given) {
    h = *given;
  } else {
    RecordHeader(h);
  }
  if (const std::string& file = platform::GetOptions().recordFile; !file.empty()) {
    g_recording.path = file;
  } else if (const std::string folder = ReplayFolder(); !folder.empty()) {
    g_recording.path = FolderReplayPath(folder);
    g_recording.inFolder = true;
  }
  g_recording.on = true;
}

const ReplayHeader& RecordingHeader() { return g_recording.replay.header; }

std::vector<uint8_t> RecordingSoFar() {
  Replay so = g_recording.replay;
  so.frames = g_recording.frame;
  return EncodeReplay(so);
}

void RecordHandOver(int player) {
  if (g_recording.on) g_recording.replay.handOvers.push_back({g_recording.frame, static_cast<uint8_t>(player)});
}

void EndRecording() {
  if (g_recording.on) WriteRecording();
}

void FinishRecordingAtExit() { EndRecording(); }

void SetUpRecordedGame(const ReplayHeader& h, bool withClock) {
  g_game.numberOfPlayers = static_cast<uint16_t>(h.players.size());
  for (size_t i = 0; i < h.players.size() && i < kMaxPlayers; ++i) {
    g_players[i].name = h.players[i].name;
    g_players[i].colourIndex = h.players[i].colourIndex;
    g_players[i].control = h.players[i].control;
    g_players[i].strength = h.players[i].strength;
  }
  g_game.roundsToPlay = static_cast<int32_t>(h.lastRound);
  platform::SeedRand(h.randomState);
  if (withClock) platform::SetGameClock(h.startClock, h.startFrames);
  UseFrameRecord(h.startRecord);
}

void BeginPlayback() {
  SetUpRecordedGame(g_playback.replay.header, true);
  g_playback.change = g_playback.check = g_playback.handOver = 0;
  g_playback.frame = 0;
  g_playback.leaveAsked = false;
  g_playback.on = true;
}

void EndPlayback() {
  if (g_playback.frame != g_playback.replay.frames || g_playback.check != g_playback.replay.checks.size())
    OutOfSync(g_playback.frame);
  g_playback.on = false;
}

void ReplayFrame() {
  if (g_playback.on) {
    // The viewer's keys reach only the replay: Esc, then Y, leaves it.
    const int32_t key = g_input.lastKey.Live();
    if (key != 0) {
      g_input.lastKey.Live() = 0;
      if (key == kKeyY && g_playback.leaveAsked) platform::Terminate(0);
      g_playback.leaveAsked = key == kKeyEsc;
    }
    const uint8_t viewerTab = g_input.tabHeld.Live();
    const Replay& replay = g_playback.replay;
    // The recorded game was left here (its window closed).
    if (g_playback.frame >= replay.frames) platform::Terminate(0);
    while (g_playback.change + 1 < replay.changes.size() &&
           replay.changes[g_playback.change + 1].frame <= g_playback.frame)
      ++g_playback.change;
    // Online players who left are the computer's from where they were handed over.
    for (; g_playback.handOver < replay.handOvers.size() &&
           replay.handOvers[g_playback.handOver].frame <= g_playback.frame;
         ++g_playback.handOver) {
      PlayerRecord& p = g_players[replay.handOvers[g_playback.handOver].player % kMaxPlayers];
      p.control = 1;
      p.strength = kStrengthNormal;
    }
    FrameRecord r = replay.changes[g_playback.change].record;
    r.tabHeld = static_cast<uint8_t>(r.tabHeld | viewerTab);
    UseFrameRecord(r);
  } else if (g_recording.on) {
    const FrameRecord r = CurrentFrameRecord();
    std::vector<ReplayChange>& changes = g_recording.replay.changes;
    if (changes.empty() || !(changes.back().record == r)) changes.push_back({g_recording.frame, r});
  } else {
    return;
  }
  uint64_t& frame = g_playback.on ? g_playback.frame : g_recording.frame;
  if (frame % kCheckEvery == 0) Checkpoint(frame);
  ++frame;
}

void ReplayRoundEnd() {
  if (g_playback.on) Checkpoint(g_playback.frame);
  if (g_recording.on) Checkpoint(g_recording.frame);
}
