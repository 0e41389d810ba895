// A music player for tests that writes down every cue it gets: "stop" for a
// stop, the tune's name for a play; and a scope that installs one.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "audio/music.h"

class RecordingPlayer final : public MusicPlayer {
 public:
  explicit RecordingPlayer(std::vector<std::string>* log) : log_(log) {}
  void Stop() override { log_->push_back("stop"); }
  void Play(const std::string& tune) override { log_->push_back(tune); }

 private:
  std::vector<std::string>* log_;
};

// The cues given while the object lives.
struct MusicLog {
  std::vector<std::string> cues;
  MusicLog() { InstallMusicPlayer(std::make_unique<RecordingPlayer>(&cues)); }
  ~MusicLog() { InstallMusicPlayer(nullptr); }
  MusicLog(const MusicLog&) = delete;
  MusicLog& operator=(const MusicLog&) = delete;
};
