// Loading sound banks into the sound system (on a fake device): where each
// slot's data is found, the conversions on the way, reloading, and banks that
// are missing, short or inconsistent.
#include <gtest/gtest.h>

#include <numeric>

#include "audio/sound_system.h"
#include "fake_audio_device.h"
#include "support/sound_bank_builder.h"

using soundtest::BankSound;
using soundtest::BuildSoundBank;
using soundtest::FakeDeviceState;
using soundtest::SystemOnFake;

namespace {

// Bytes first, first+1, ... (wrapping), so every sound's data is recognisable.
std::vector<uint8_t> Ramp(size_t n, uint8_t first) {
  std::vector<uint8_t> v(n);
  std::iota(v.begin(), v.end(), first);
  return v;
}

std::string WriteBank(const std::string& tag, const std::vector<uint8_t>& bytes) {
  return soundtest::WriteTestFile(tag, "sound.sdf", &bytes);
}

std::string MissingFile(const std::string& tag) { return soundtest::WriteTestFile(tag, "sound.sdf", nullptr); }

int LoadedCount(const CSoundSystem& sys) {
  int n = 0;
  for (int i = 1; i < CSoundSystem::kSlots; ++i) n += sys.Slot(i).loaded;
  return n;
}

}  // namespace

TEST(SoundBank, AnAllEmptyBankLoadsWithNoSounds) {
  std::shared_ptr<FakeDeviceState> dev;
  auto sys = SystemOnFake(&dev);
  const auto bank = BuildSoundBank({});
  ASSERT_EQ(bank.size(), 4411u);
  EXPECT_TRUE(sys->LoadSoundBank(WriteBank("empty-bank", bank), 11));
  EXPECT_EQ(dev->creates, 0);
  EXPECT_EQ(LoadedCount(*sys), 0);
}

TEST(SoundBank, SlotDataFollowsInOrderSkippingEmptySlots) {
  std::shared_ptr<FakeDeviceState> dev;
  auto sys = SystemOnFake(&dev);
  BankSound five{5, 2, 44100, 16, 1, Ramp(400, 0)};
  BankSound six{6, 0, 44100, 16, 0, {}, 999};  // empty: its size field means nothing
  BankSound nine{9, 1, 22050, 8, 0, Ramp(50, 200)};
  const auto path = WriteBank("gaps", BuildSoundBank({five, six, nine}));
  ASSERT_TRUE(sys->LoadSoundBank(path, 11));

  EXPECT_EQ(LoadedCount(*sys), 2);
  const SoundSlot& s5 = sys->Slot(5);
  const SoundSlot& s9 = sys->Slot(9);
  EXPECT_TRUE(s5.loaded);
  EXPECT_EQ(s5.loop, 1);
  EXPECT_EQ(s5.dataSize, 400u);
  EXPECT_FALSE(sys->Slot(6).loaded);
  ASSERT_TRUE(s9.loaded);
  EXPECT_EQ(s9.channels, 1);
  EXPECT_EQ(s9.rate, 22050u);
  EXPECT_EQ(s9.bits, 8);
  const auto& sound5 = dev->sounds.at(static_cast<size_t>(s5.buffer - 1));
  const auto& sound9 = dev->sounds.at(static_cast<size_t>(s9.buffer - 1));
  EXPECT_EQ(sound5.data, five.data);
  EXPECT_EQ(sound5.format.channels, 2);
  EXPECT_EQ(sound9.data, nine.data);  // right after slot 5's data
  EXPECT_EQ(sound9.format.rate, 22050);
}

TEST(SoundBank, TheLoaderConvertsToTheQualityAndDropsPartFrames) {
  std::shared_ptr<FakeDeviceState> dev;
  auto sys = SystemOnFake(&dev);
  std::vector<int16_t> samples(4000, 0);
  samples[0] = 1000;
  samples[1] = -3000;
  BankSound one{1, 2, 44100, 16, 0, soundtest::Samples16(samples)};
  // 4003 bytes: the last three are not a whole frame.
  BankSound two{2, 2, 44100, 16, 0, Ramp(4003, 1)};
  BankSound three{3, 1, 11025, 8, 0, Ramp(10, 90)};
  ASSERT_TRUE(sys->LoadSoundBank(WriteBank("quality4", BuildSoundBank({one, two, three})), 4));

  const SoundSlot& s1 = sys->Slot(1);
  ASSERT_TRUE(s1.loaded);
  EXPECT_EQ(s1.dataSize, 1000u);
  EXPECT_EQ(s1.channels, 1);
  EXPECT_EQ(s1.bits, 8);
  EXPECT_EQ(s1.rate, 22050u);
  const auto& sound1 = dev->sounds.at(static_cast<size_t>(s1.buffer - 1));
  ASSERT_EQ(sound1.data.size(), 1000u);
  EXPECT_EQ(sound1.data[0], 125);
  EXPECT_EQ(sound1.format.rate, 22050);

  // 1000 whole frames of 4 bytes, down to one byte each, every second kept.
  EXPECT_EQ(sys->Slot(2).dataSize, 500u);
  // Slot 3's data still starts after all 4003 bytes of slot 2.
  const auto& sound3 = dev->sounds.at(static_cast<size_t>(sys->Slot(3).buffer - 1));
  EXPECT_EQ(sound3.data, three.data);
}

TEST(SoundBank, BadBanksAreRefusedAndKeepWhatLoadedBeforeTheFault) {
  std::shared_ptr<FakeDeviceState> dev;
  auto sys = SystemOnFake(&dev);
  EXPECT_FALSE(sys->LoadSoundBank(MissingFile("missing-bank"), 11));
  EXPECT_EQ(LoadedCount(*sys), 0);

  // Shorter than its header.
  auto bank = BuildSoundBank({{1, 1, 44100, 16, 0, Ramp(20, 0)}});
  EXPECT_FALSE(sys->LoadSoundBank(WriteBank("short-header", std::vector<uint8_t>(bank.begin(), bank.begin() + 4410)), 11));
  EXPECT_EQ(LoadedCount(*sys), 0);
  EXPECT_EQ(dev->creates, 0);

  // Slot 7 claims more data than the file holds: 2 and 3 load, 7 and 9 do not.
  bank = BuildSoundBank({{2, 1, 44100, 16, 0, Ramp(20, 0)},
                         {3, 1, 44100, 8, 0, Ramp(30, 0)},
                         {7, 1, 44100, 16, 0, Ramp(40, 0), 41},
                         {9, 1, 44100, 16, 0, Ramp(2, 0)}});
  bank.resize(bank.size() - 2);  // slot 9's data is cut off as well
  EXPECT_FALSE(sys->LoadSoundBank(WriteBank("past-end", bank), 11));
  EXPECT_TRUE(sys->Slot(2).loaded);
  EXPECT_TRUE(sys->Slot(3).loaded);
  EXPECT_FALSE(sys->Slot(7).loaded);
  EXPECT_FALSE(sys->Slot(9).loaded);
  EXPECT_EQ(dev->sounds.back().data, Ramp(30, 0));

  // A size field near 4 GB is refused without reading or allocating it.
  bank = BuildSoundBank({{1, 2, 44100, 16, 0, Ramp(8, 0), 0xFFFFFFF0LL}});
  EXPECT_FALSE(sys->LoadSoundBank(WriteBank("huge-size", bank), 11));
  EXPECT_EQ(LoadedCount(*sys), 0);

  // Formats no device holds: a 12-bit sound, three channels, rate 0.
  for (auto bad : {BankSound{1, 1, 44100, 12, 0, Ramp(8, 0)}, BankSound{1, 3, 44100, 16, 0, Ramp(12, 0)},
                   BankSound{1, 1, 0, 16, 0, Ramp(8, 0)}}) {
    EXPECT_FALSE(sys->LoadSoundBank(WriteBank("bad-format", BuildSoundBank({bad})), 11));
    EXPECT_EQ(LoadedCount(*sys), 0);
  }
  EXPECT_EQ(dev->AliveSounds(), 0);
}

TEST(SoundBank, ReloadingReleasesTheOldSoundsAndADeviceFailureStopsTheLoad) {
  std::shared_ptr<FakeDeviceState> dev;
  auto sys = SystemOnFake(&dev);
  const auto bank = BuildSoundBank({{1, 1, 44100, 16, 0, Ramp(20, 0)},
                                    {2, 1, 44100, 16, 0, Ramp(20, 50)},
                                    {3, 2, 44100, 16, 0, Ramp(40, 100)}});
  const auto path = WriteBank("reload", bank);
  ASSERT_TRUE(sys->LoadSoundBank(path, 11));
  EXPECT_EQ(dev->AliveSounds(), 3);

  ASSERT_TRUE(sys->LoadSoundBank(path, 11));
  EXPECT_EQ(dev->AliveSounds(), 3);  // the first load's three were released
  EXPECT_EQ(dev->sounds.size(), 6u);

  // The device refuses the second sound of the next load: slot 1 is usable,
  // slots 2 and 3 are not loaded (and their old sounds are gone).
  dev->failCreateAt = dev->creates + 2;
  EXPECT_FALSE(sys->LoadSoundBank(path, 11));
  EXPECT_TRUE(sys->Slot(1).loaded);
  EXPECT_FALSE(sys->Slot(2).loaded);
  EXPECT_FALSE(sys->Slot(3).loaded);
  EXPECT_EQ(dev->AliveSounds(), 1);
  const int channel = sys->FindFreeChannel();
  EXPECT_EQ(sys->PlayOnChannel(channel, 1, 1, 10000), 1);
  EXPECT_EQ(sys->PlayOnChannel(channel, 3, 1, 10000), 0);
}

TEST(SoundBank, OutputFormatIsForwardedAndAFailureReported) {
  std::shared_ptr<FakeDeviceState> dev;
  auto sys = SystemOnFake(&dev);
  EXPECT_TRUE(sys->SetPrimaryFormat(22050, 8, 1));
  EXPECT_EQ(dev->output.rate, 22050);
  EXPECT_EQ(dev->output.bits, 8);
  EXPECT_EQ(dev->output.channels, 1);
  dev->failFormat = true;
  EXPECT_FALSE(sys->SetPrimaryFormat(44100, 16, 2));

  // Without a device neither the format nor the bank is touched: both succeed.
  CSoundSystem silent(nullptr);
  EXPECT_FALSE(silent.Available());
  EXPECT_TRUE(silent.SetPrimaryFormat(44100, 16, 2));
  EXPECT_TRUE(silent.LoadSoundBank(MissingFile("no-device"), 11));
}
