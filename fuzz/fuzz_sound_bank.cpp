// Fuzz target: the sound bank reader, on the real sound device (SDL's dummy
// audio driver). The input is a whole sound.sdf; its first byte, the unused
// channel count of slot 0, picks the loading quality (0 to 11), so that every
// conversion is reached. Each input is loaded over the sounds of the last.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "audio/sound_system.h"
#include "platform/audio_device.h"
#include "platform/runtime.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::InitForTests();
  auto sys = std::make_unique<CSoundSystem>(platform::OpenAudioDevice());
  if (!sys->Available() || !sys->SetPrimaryFormat(44100, 16, 2)) {
    std::fprintf(stderr, "fuzz_sound_bank: no sound device\n");
    std::abort();
  }
  InstallSoundSystem(std::move(sys));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int quality = size > 0 ? data[0] % 12 : 11;
  SoundSystem().LoadSoundBankBytes(data, size, quality);
  return 0;
}
