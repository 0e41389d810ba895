#include "assetgen/sound/wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "assetgen/generators.h"
#include "assetgen/sound/catalogue.h"

namespace synth {

std::vector<uint8_t> EncodeWav(const PcmSound& sound) {
  const uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
  const uint16_t blockAlign = static_cast<uint16_t>(sound.channels * kSoundBits / 8);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  auto tag = [&out](const char* four) {
    for (int i = 0; i < 4; ++i) AppendU8(out, static_cast<uint8_t>(four[i]));
  };
  tag("RIFF");
  AppendU32(out, 36 + dataBytes);
  tag("WAVE");
  tag("fmt ");
  AppendU32(out, 16);
  AppendU16(out, 1);  // PCM
  AppendU16(out, static_cast<uint16_t>(sound.channels));
  AppendU32(out, kSoundRate);
  AppendU32(out, kSoundRate * blockAlign);
  AppendU16(out, blockAlign);
  AppendU16(out, kSoundBits);
  tag("data");
  AppendU32(out, dataBytes);
  AppendSamples(out, sound.samples);
  return out;
}

namespace {

double Dbfs(double value) { return value > 0 ? 20.0 * std::log10(value / 32767.0) : -200.0; }

}  // namespace

Levels MeasureLevels(const std::vector<int16_t>& samples) {
  double peak = 0, sum = 0;
  for (int16_t v : samples) {
    peak = std::max(peak, std::fabs(static_cast<double>(v)));
    sum += static_cast<double>(v) * v;
  }
  const double rms = samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
  return {Dbfs(peak), Dbfs(rms)};
}

std::string WavFileName(const PcmSound& sound) {
  char number[16];
  std::snprintf(number, sizeof number, "sound%02d_", sound.slot);
  return number + sound.name + ".wav";
}

namespace {

// One line per sound for the reviewer: length, peak and RMS level.
void PrintSummary(const PcmSound& s, const std::string& file) {
  const Levels levels = MeasureLevels(s.samples);
  std::printf("%-32s %-6s %s %6.3f s  peak %6.1f dBFS  rms %6.1f dBFS\n", file.c_str(),
              s.channels == 2 ? "stereo" : "mono", s.loop ? "loop" : "    ",
              static_cast<double>(s.Frames()) / kSoundRate, levels.peakDbfs, levels.rmsDbfs);
}

}  // namespace

}  // namespace synth

bool WriteSoundWavs(const std::string& dir, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    *error = "cannot create " + dir + ": " + ec.message();
    return false;
  }
  for (const synth::PcmSound& s : synth::RenderSoundEffects()) {
    const std::string file = synth::WavFileName(s);
    if (!synth::WriteFileBytes(dir + "/" + file, synth::EncodeWav(s), error)) return false;
    synth::PrintSummary(s, file);
  }
  return true;
}
