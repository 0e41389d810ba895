// The tunes as WAV files, a review aid: each rendered through the soundfont
// as the game plays it, ten seconds past its loop point so that the seam can
// be heard, with a line per tune giving its length and levels.
#include <cstdio>
#include <filesystem>

#include "assetgen/generators.h"
#include "assetgen/music/composer.h"
#include "assetgen/music/tunes.h"
#include "assetgen/sound/wav_file.h"
#include "platform/music_stream.h"

bool WriteTuneWavs(const std::string& dir, std::string* error) {
  constexpr double kPastLoop = 10.0;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    *error = "cannot create " + dir + ": " + ec.message();
    return false;
  }
  for (const music::Tune& tune : music::GameTunes()) {
    const double loop = music::TuneSeconds(tune);
    synth::PcmSound sound;
    sound.name = std::filesystem::path(tune.file).stem().string();
    sound.channels = 2;
    sound.loop = true;
    if (!platform::RenderMusic(music::ComposeTune(tune), loop + kPastLoop, &sound.samples, error)) {
      *error = std::string(tune.file) + ": " + *error;
      return false;
    }
    const std::string file = "music_" + sound.name + ".wav";
    if (!synth::WriteFileBytes(dir + "/" + file, synth::EncodeWav(sound), error)) return false;
    const synth::Levels levels = synth::MeasureLevels(sound.samples);
    std::printf("%-32s stereo loop at %6.2f s (%d bpm)  peak %6.1f dBFS  rms %6.1f dBFS\n", file.c_str(), loop, tune.bpm,
                levels.peakDbfs, levels.rmsDbfs);
  }
  return true;
}
