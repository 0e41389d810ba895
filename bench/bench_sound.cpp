// Speed of the sound system's work: the loading conversions of one second of
// sound, the device's conversion of a sound to its output format (on SDL's
// dummy driver), and a channel search while 499 channels hold playing sounds.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "audio/sound_format.h"
#include "audio/sound_system.h"
#include "platform/audio_device.h"

namespace {

constexpr int kSecond = 44100;

std::vector<uint8_t> Noise(size_t bytes) {
  std::vector<uint8_t> v(bytes);
  uint32_t x = 12345;
  for (auto& b : v) b = static_cast<uint8_t>((x = x * 1103515245u + 12345u) >> 16);
  return v;
}

std::unique_ptr<platform::AudioDevice> DummyDevice() {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  return platform::OpenAudioDevice();
}

void BM_LoadConversionQuality4(benchmark::State& state) {
  const auto source = Noise(kSecond * 4);  // one second of 16-bit stereo
  std::vector<uint8_t> work(source.size());
  for (auto _ : state) {
    std::memcpy(work.data(), source.data(), source.size());
    platform::PcmFormat format{2, kSecond, 16};
    benchmark::DoNotOptimize(ConvertTowardTarget(work.data(), work.size(), &format, QualityFormat(4)));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}
BENCHMARK(BM_LoadConversionQuality4);

void BM_DeviceMakesSoundFromMono(benchmark::State& state) {
  auto device = DummyDevice();
  if (!device) {
    state.SkipWithError("no audio device");
    return;
  }
  const auto pcm = Noise(kSecond * 2);  // one second of 16-bit mono
  for (auto _ : state) {
    const int sound = device->CreateSound({1, kSecond, 16}, pcm.data(), pcm.size());
    benchmark::DoNotOptimize(sound);
    device->ReleaseSound(sound);
  }
}
BENCHMARK(BM_DeviceMakesSoundFromMono);

void PutLe32(std::vector<uint8_t>* bank, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*bank)[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void BM_FindFreeChannelAmongPlayingSounds(benchmark::State& state) {
  CSoundSystem sys(DummyDevice());
  if (!sys.Available()) {
    state.SkipWithError("no audio device");
    return;
  }
  // One two-second looping mono sound in slot 1.
  std::vector<uint8_t> bank(4411, 0);
  bank[1] = 1;
  PutLe32(&bank, 401 + 4, kSecond);
  bank[2005 + 1] = 16;
  bank[2406 + 1] = 1;
  PutLe32(&bank, 2807 + 4, kSecond * 4);
  const auto pcm = Noise(kSecond * 4);
  bank.insert(bank.end(), pcm.begin(), pcm.end());
  const auto path = std::filesystem::temp_directory_path() / "bench_sound.sdf";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bank.data()), bank.size());
  const bool loaded = sys.LoadSoundBank(path.string(), 11);
  std::filesystem::remove(path);
  if (!loaded) {
    state.SkipWithError("the bank did not load");
    return;
  }
  for (int c = 1; c < 500; ++c) sys.PlayOnChannel(sys.FindFreeChannel(), 1, 1, 0);
  for (auto _ : state) {
    const int c = sys.FindFreeChannel();
    benchmark::DoNotOptimize(c);
    sys.ReleaseChannel(c);
  }
  sys.StopAllChannels();
}
BENCHMARK(BM_FindFreeChannelAmongPlayingSounds);

}  // namespace
