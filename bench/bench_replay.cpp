// Playback speed of a replay: a round of five computer players is recorded
// with the pointer moving every frame (a record for every frame, the most a
// stream holds), then played back from its file as --replay --headless plays
// it: each frame's record taken from the stream, the state checksums every
// 600 frames and at the round's end, and the round's steps, drawing included.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/input.h"
#include "round_world.h"
#include "shell/input_handlers.h"
#include "shell/replay_session.h"
#include "shell/round_end.h"
#include "shell/round_setup.h"

namespace {

namespace fs = std::filesystem;

// One round from its set-up to its end, a frame's input taken before each pass.
int64_t PlayOneRound(bool movePointer) {
  RoundSetUp();
  int64_t frames = 0;
  do {
    if (movePointer) platform::SetCursorPos(static_cast<int>(frames % 600) + 20, 240);
    OnGameFrame();
    RoundFrameSteps();
    ++frames;
  } while (RoundEndTest() == RoundEnd::kGoOn);
  ReplayRoundEnd();
  return frames;
}

void FiveComputers() {
  for (int i = 0; i < kMaxPlayers; ++i) g_players[i].control = 1;
}

void BM_ReplayPlayback(benchmark::State& state) {
  const fs::path home = fs::temp_directory_path() / ("bulwark-bench-replay-" + std::to_string(getpid()));
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  std::string file;
  {
    bench::RoundWorld world(7, 5, 640, 480);
    if (!world.ready()) {
      state.SkipWithError("no level.frc or small.spr: build the data first");
      return;
    }
    FiveComputers();
    BeginRecording();
    PlayOneRound(true);
    EndRecording();
    for (const fs::directory_entry& e : fs::directory_iterator(ReplayFolder())) file = e.path().string();
  }
  std::string error;
  if (file.empty() || !LoadReplayFile(file, &error)) {
    state.SkipWithError(("no replay recorded: " + error).c_str());
    return;
  }
  int64_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    {
      bench::RoundWorld world(7, 5, 640, 480);
      FiveComputers();
      BeginPlayback();
      state.ResumeTiming();
      frames += PlayOneRound(false);
      EndPlayback();
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  fs::remove_all(home);
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReplayPlayback)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
