// A music player for tests that writes down every cue it gets: "stop" for a
// stop, the tune's name for a play.
#pragma once

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
