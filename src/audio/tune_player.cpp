// The player of the tune files: a named tune is opened from the data folder
// and played looping through the platform's music stream; a stop halts it.
#include "audio/music.h"
#include "platform/music_stream.h"
#include "platform/runtime.h"

namespace {

class TunePlayer final : public MusicPlayer {
 public:
  explicit TunePlayer(std::unique_ptr<platform::MusicStream> stream) : stream_(std::move(stream)) {}
  void Stop() override { stream_->Halt(); }
  // A tune that cannot be played leaves silence, as every cue must.
  void Play(const std::string& tune) override { stream_->Play(platform::DataPath(tune)); }

 private:
  std::unique_ptr<platform::MusicStream> stream_;
};

}  // namespace

MusicLifetime::MusicLifetime() {
  if (platform::GetOptions().noMusic) return;
  if (auto stream = platform::MusicStream::Open()) InstallMusicPlayer(std::make_unique<TunePlayer>(std::move(stream)));
}

MusicLifetime::~MusicLifetime() { InstallMusicPlayer(nullptr); }
