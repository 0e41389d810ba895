// Renders a tune offline for listening: SDL's disk audio driver, told to
// write nowhere and not to wait, mixes as fast as the processor allows, and
// a post-mix hook keeps what SDL2_mixer made while the tune played.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/music_stream.h"

namespace platform {

namespace {

constexpr int kRate = 44100;

struct Capture {
  std::mutex mutex;
  std::vector<int16_t>* samples = nullptr;
  size_t wanted = 0;  // samples
};

void Keep(void* data, Uint8* stream, int bytes) {
  auto* capture = static_cast<Capture*>(data);
  if (!Mix_PlayingMusic()) return;
  std::lock_guard<std::mutex> lock(capture->mutex);
  const size_t room = capture->wanted - std::min(capture->wanted, capture->samples->size());
  const size_t count = std::min(room, static_cast<size_t>(bytes) / 2);
  const auto* first = reinterpret_cast<const int16_t*>(stream);
  capture->samples->insert(capture->samples->end(), first, first + count);
}

// Sets environment variables for the time it lives, then puts them back.
class EnvironmentFor {
 public:
  EnvironmentFor(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name);
      saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
      setenv(name, value, 1);
    }
  }
  ~EnvironmentFor() {
    for (const auto& [name, old] : saved_) {
      if (old) setenv(name, old->c_str(), 1);
      else unsetenv(name);
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

// SDL announces the disk driver on its log; this output is not for anybody.
void Quiet(void*, int, SDL_LogPriority, const char*) {}

bool OpenFastOutput(std::string* error) {
  EnvironmentFor disk({{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", "/dev/null"}, {"SDL_DISKAUDIODELAY", "0"}});
  SDL_LogOutputFunction log = nullptr;
  void* logData = nullptr;
  SDL_LogGetOutputFunction(&log, &logData);
  SDL_LogSetOutputFunction(Quiet, nullptr);
  bool ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (ok && Mix_OpenAudioDevice(kRate, AUDIO_S16LSB, 2, 1024, nullptr, 0) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    ok = false;
  }
  SDL_LogSetOutputFunction(log, logData);
  if (!ok) *error = std::string("cannot open an output to render music: ") + SDL_GetError();
  return ok;
}

}  // namespace

bool RenderMusic(const std::vector<uint8_t>& bytes, double seconds, std::vector<int16_t>* samples, std::string* error) {
  if (Mix_QuerySpec(nullptr, nullptr, nullptr)) {
    *error = "a sound device is open";
    return false;
  }
  const std::string fonts = FindSoundFonts();
  if (fonts.empty()) {
    *error = "no General MIDI soundfont (install timgm6mb-soundfont or set SDL_SOUNDFONTS)";
    return false;
  }
  if (!OpenFastOutput(error)) return false;
  Mix_SetSoundFonts(fonts.c_str());

  samples->clear();
  Capture capture;
  capture.samples = samples;
  capture.wanted = static_cast<size_t>(seconds * kRate) * 2;
  samples->reserve(capture.wanted);
  bool ok = false;
  if (Mix_Music* tune = Mix_LoadMUS_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1)) {
    Mix_SetPostMix(Keep, &capture);
    Mix_VolumeMusic(kMusicVolume);
    if (Mix_PlayMusic(tune, -1) == 0) {
      // Many times faster than real time; the limit only guards a stall.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30) + std::chrono::duration<double>(seconds);
      for (;;) {
        {
          std::lock_guard<std::mutex> lock(capture.mutex);
          if (samples->size() >= capture.wanted) break;
        }
        if (std::chrono::steady_clock::now() > deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      std::lock_guard<std::mutex> lock(capture.mutex);
      ok = samples->size() >= capture.wanted;
      if (!ok) *error = "rendering stalled";
    } else {
      *error = std::string("cannot play the tune: ") + Mix_GetError();
    }
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltMusic();
    Mix_FreeMusic(tune);
  } else {
    *error = std::string("cannot read the tune: ") + Mix_GetError();
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return ok;
}

}  // namespace platform
