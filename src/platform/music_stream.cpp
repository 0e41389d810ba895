#include "platform/music_stream.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

Mix_Music* g_tune = nullptr;
bool g_streamOpen = false;
std::atomic<int> g_frameBytes{4};
std::atomic<uint64_t> g_framesPlayed{0};

std::atomic<int> g_levelPercent{100};

int MusicLevel() { return kMusicVolume * g_levelPercent.load() / 100; }

bool MixerOpen() { return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0; }

// Runs on the audio thread after each mix.
void CountPlayed(void*, Uint8*, int bytes) {
  if (Mix_PlayingMusic()) g_framesPlayed.fetch_add(static_cast<uint64_t>(bytes / g_frameBytes.load()));
}

void HaltTune() {
  if (!g_tune) return;
  Mix_HaltMusic();
  Mix_FreeMusic(g_tune);
  g_tune = nullptr;
}

}  // namespace

std::string FindSoundFonts() {
  std::error_code ec;
  auto exists = [&ec](const std::string& path) { return !path.empty() && std::filesystem::is_regular_file(path, ec); };
  if (const char* env = std::getenv("SDL_SOUNDFONTS"); env && *env) {
    // Only the files that are there: FluidSynth reports each missing one.
    std::string found, path;
    for (const char* c = env;; ++c) {
      if (*c == ':' || *c == ';' || *c == '\0') {
        if (exists(path)) found += (found.empty() ? "" : ";") + path;
        path.clear();
        if (*c == '\0') break;
      } else {
        path += *c;
      }
    }
    return found;
  }
  static const char* const kInstalled[] = {
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/sounds/sf2/default-GM.sf2",
      "/usr/share/sounds/sf3/default-GM.sf3",
      "/usr/share/sounds/sf2/FluidR3_GM.sf2",
  };
  for (const char* path : kInstalled)
    if (exists(path)) return path;
  return "";
}

std::unique_ptr<MusicStream> MusicStream::Open() {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (g_streamOpen || !Mix_QuerySpec(&rate, &format, &channels)) return nullptr;
  const char* driver = SDL_GetCurrentAudioDriver();
  if (!driver || std::strcmp(driver, "dummy") == 0) return nullptr;
  const std::string fonts = FindSoundFonts();
  if (fonts.empty()) return nullptr;
  Mix_SetSoundFonts(fonts.c_str());
  g_frameBytes = std::max(1, channels * static_cast<int>(SDL_AUDIO_BITSIZE(format)) / 8);
  Mix_SetPostMix(CountPlayed, nullptr);
  g_streamOpen = true;
  return std::unique_ptr<MusicStream>(new MusicStream());
}

MusicStream::~MusicStream() {
  HaltTune();
  if (MixerOpen()) Mix_SetPostMix(nullptr, nullptr);
  g_streamOpen = false;
}

bool MusicStream::Play(const std::string& path) {
  HaltTune();
  if (!MixerOpen()) return false;
  g_tune = Mix_LoadMUS(path.c_str());
  if (!g_tune) return false;
  Mix_VolumeMusic(MusicLevel());
  if (Mix_PlayMusic(g_tune, -1) != 0) {
    HaltTune();
    return false;
  }
  return true;
}

void MusicStream::Halt() { HaltTune(); }

void SetMusicLevel(int percent) {
  g_levelPercent = std::clamp(percent, 0, 100);
  if (g_tune && MixerOpen()) Mix_VolumeMusic(MusicLevel());
}

bool MusicPlaying() { return g_tune && MixerOpen() && Mix_PlayingMusic(); }

uint64_t MusicFramesPlayed() { return g_framesPlayed.load(); }

void ReleaseMusicBeforeMixerCloses() { HaltTune(); }

}  // namespace platform
