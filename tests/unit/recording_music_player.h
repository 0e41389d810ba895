// The music cues given while a MusicLog lives, written down: "stop" for a
// stop, the tune's name for a play. Tests' thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "audio/music.h"

struct MusicLog {
  std::vector<std::string> cues;
  MusicLog() { InstallMusicPlayer(std::make_unique<Recorder>(&cues)); }
  ~MusicLog() { InstallMusicPlayer(nullptr); }
  MusicLog(const MusicLog&) = delete;
  MusicLog& operator=(const MusicLog&) = delete;

 private:
  class Recorder final : public MusicPlayer {
   public:
    explicit Recorder(std::vector<std::string>* log) : log_(log) {}
    void Stop() override { log_->push_back("stop"); }
    void Play(const std::string& tune) override { log_->push_back(tune); }

   private:
    std::vector<std::string>* log_;
  };
};
