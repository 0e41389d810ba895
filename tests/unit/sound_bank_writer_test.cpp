// The sound bank writer: its layout read back by an independent reader,
// rejection of sounds it cannot store, and the WAV review files.
#include <gtest/gtest.h>

#include <cstring>

#include "assetgen/sound/sound_bank.h"
#include "assetgen/sound/wav_file.h"
#include "support/sound_bank_reader.h"

namespace {

synth::PcmSound MakeSound(int slot, int channels, bool loop, size_t frames, int16_t base) {
  synth::PcmSound s;
  s.slot = slot;
  s.name = "test";
  s.channels = channels;
  s.loop = loop;
  for (size_t i = 0; i < frames * static_cast<size_t>(channels); ++i)
    s.samples.push_back(static_cast<int16_t>(base - static_cast<int>(i) * 37));
  return s;
}

TEST(SoundBankWriter, LayoutRoundTripsThroughAnIndependentReader) {
  // Given out of order: the writer stores data in ascending sound order.
  const std::vector<synth::PcmSound> sounds = {
      MakeSound(9, 1, false, 300, 1000),
      MakeSound(5, 2, false, 250, -32768),
      MakeSound(400, 1, true, 7, 32767),
      MakeSound(1, 1, false, 1, -5),
  };
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(synth::EncodeSoundBank(sounds, &bytes, &error)) << error;

  sound_bank_reader::Bank bank;
  std::string why;
  ASSERT_TRUE(sound_bank_reader::Decode(bytes, &bank, &why)) << why;
  EXPECT_EQ(bytes.size(), 4411u + 2 * (300 + 500 + 7 + 1));

  for (const synth::PcmSound& s : sounds) {
    const sound_bank_reader::Entry& e = bank.entries[s.slot];
    SCOPED_TRACE(s.slot);
    EXPECT_EQ(e.channels, s.channels);
    EXPECT_EQ(e.rate, 44100u);
    EXPECT_EQ(e.bits, 16);
    EXPECT_EQ(e.loop, s.loop ? 1 : 0);
    EXPECT_EQ(e.size, s.samples.size() * 2);
    EXPECT_EQ(e.samples, s.samples);
  }
  EXPECT_EQ(bank.entries[1].offset, 4411u);
  EXPECT_EQ(bank.entries[5].offset, 4411u + 2);
  EXPECT_EQ(bank.entries[9].offset, bank.entries[5].offset + 1000);  // right after sound 5
  EXPECT_EQ(bank.entries[400].offset, bank.entries[9].offset + 600);
  // Little-endian samples: sound 5's first sample -32768 is 00 80.
  EXPECT_EQ(bytes[bank.entries[5].offset], 0x00);
  EXPECT_EQ(bytes[bank.entries[5].offset + 1], 0x80);

  for (int i = 0; i < 401; ++i) {
    if (i == 1 || i == 5 || i == 9 || i == 400) continue;
    const sound_bank_reader::Entry& e = bank.entries[i];
    EXPECT_TRUE(e.channels == 0 && e.rate == 0 && e.bits == 0 && e.loop == 0 && e.size == 0) << "entry " << i;
  }
}

TEST(SoundBankWriter, EmptyBankIsTheBareHeader) {
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(synth::EncodeSoundBank({}, &bytes, &error)) << error;
  EXPECT_EQ(bytes, std::vector<uint8_t>(4411, 0));
}

TEST(SoundBankWriter, RejectsSoundsItCannotStore) {
  struct Case {
    std::vector<synth::PcmSound> sounds;
    const char* message;
  };
  synth::PcmSound ragged = MakeSound(3, 2, false, 10, 0);
  ragged.samples.pop_back();
  synth::PcmSound triple = MakeSound(3, 1, false, 10, 0);
  triple.channels = 3;
  const Case cases[] = {
      {{MakeSound(0, 1, false, 4, 0)}, "sound 0: number outside 1..400"},
      {{MakeSound(401, 1, false, 4, 0)}, "sound 401: number outside 1..400"},
      {{MakeSound(7, 1, false, 4, 0), MakeSound(7, 2, false, 4, 0)}, "sound 7: given twice"},
      {{triple}, "sound 3: channel count must be 1 or 2"},
      {{ragged}, "sound 3: samples are not whole frames"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(synth::EncodeSoundBank(c.sounds, &bytes, &error)) << c.message;
    EXPECT_EQ(error, c.message);
  }
}

TEST(WavWriter, WritesAStandardPcmHeader) {
  const synth::PcmSound stereo = MakeSound(6, 2, false, 100, 12345);
  const std::vector<uint8_t> wav = synth::EncodeWav(stereo);
  ASSERT_EQ(wav.size(), 44u + 400u);
  auto u32 = [&](size_t at) { return sound_bank_reader::ReadLe(wav, at, 4); };
  auto u16 = [&](size_t at) { return sound_bank_reader::ReadLe(wav, at, 2); };
  EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
  EXPECT_EQ(u32(4), wav.size() - 8);
  EXPECT_EQ(std::memcmp(wav.data() + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(u32(16), 16u);
  EXPECT_EQ(u16(20), 1u);       // PCM
  EXPECT_EQ(u16(22), 2u);       // channels
  EXPECT_EQ(u32(24), 44100u);   // rate
  EXPECT_EQ(u32(28), 176400u);  // bytes per second
  EXPECT_EQ(u16(32), 4u);       // block align
  EXPECT_EQ(u16(34), 16u);      // bits
  EXPECT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
  EXPECT_EQ(u32(40), 400u);
  EXPECT_EQ(static_cast<int16_t>(u16(44)), 12345);
  EXPECT_EQ(static_cast<int16_t>(u16(46)), 12345 - 37);

  EXPECT_EQ(synth::WavFileName(stereo), "sound06_test.wav");
  synth::PcmSound mono = MakeSound(22, 1, false, 3, 0);
  mono.name = "fort_destroyed";
  EXPECT_EQ(synth::WavFileName(mono), "sound22_fort_destroyed.wav");
  EXPECT_EQ(sound_bank_reader::ReadLe(synth::EncodeWav(mono), 32, 2), 2u);
}

}  // namespace
