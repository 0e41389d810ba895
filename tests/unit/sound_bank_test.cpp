// Loading sound banks into the sound system (on a fake device): where each
// slot's data is found, the conversions on the way (the loading quality's
// formats, down-mix, 16 to 8 bits, rate reduction by whole frames),
// reloading, and banks that are missing, short, inconsistent or that claim
// gigabytes. This file also replaces the global operator new of the test
// binary (forwarding to malloc and free, so that AddressSanitizer still sees
// every block) to measure the largest single request while a load runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <numeric>

#include "audio/sound_format.h"
#include "audio/sound_system.h"
#include "fake_audio_device.h"
#include "support/sound_bank_builder.h"

using platform::PcmFormat;
using soundtest::BankSound;
using soundtest::BuildSoundBank;
using soundtest::FakeDeviceState;
using soundtest::Samples16;

namespace {
thread_local bool tMeasuring = false;
thread_local size_t tLargest = 0;  // the largest request on this thread while measuring

void* Allocate(size_t size) noexcept {
  if (tMeasuring && size > tLargest) tLargest = size;
  return std::malloc(size ? size : 1);
}
}  // namespace

// Every form AddressSanitizer would otherwise take over, so that new and delete stay a pair.
void* operator new(size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return ::operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
// Not inlined: the compiler would see new paired with free and warn.
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { ::operator delete(p); }
void operator delete(void* p, size_t) noexcept { ::operator delete(p); }
void operator delete[](void* p, size_t) noexcept { ::operator delete(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { ::operator delete(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { ::operator delete(p); }

namespace {

// Bytes first, first+1, ... (wrapping), so every sound's data is recognisable.
std::vector<uint8_t> Ramp(size_t n, uint8_t first) {
  std::vector<uint8_t> v(n);
  std::iota(v.begin(), v.end(), first);
  return v;
}

class SoundBank : public testing::Test {
 protected:
  bool Load(const std::vector<uint8_t>& bank, int quality = 11) {
    return sys->LoadSoundBank(testfiles::WriteTestFile("bank", "sound.sdf", &bank), quality);
  }
  int Loaded() const {
    int n = 0;
    for (int i = 1; i < CSoundSystem::kSlots; ++i) n += sys->Slot(i).loaded;
    return n;
  }
  const std::vector<uint8_t>& Data(int slot) const { return dev->sounds.at(static_cast<size_t>(sys->Slot(slot).buffer - 1)).data; }

  std::shared_ptr<FakeDeviceState> dev;
  std::unique_ptr<CSoundSystem> sys = soundtest::SystemOnFake(&dev);
};

}  // namespace

TEST_F(SoundBank, SlotDataFollowsInOrderSkippingEmptySlots) {
  EXPECT_TRUE(Load(BuildSoundBank({})));
  EXPECT_EQ(dev->creates, 0);
  BankSound five{5, 2, 44100, 16, 1, Ramp(400, 0)};
  BankSound six{6, 0, 44100, 16, 0, {}, 999};  // empty: its size field means nothing
  BankSound nine{9, 1, 22050, 8, 0, Ramp(50, 200)};
  ASSERT_TRUE(Load(BuildSoundBank({five, six, nine})));
  EXPECT_EQ(Loaded(), 2);
  EXPECT_EQ(sys->Slot(5).loop, 1);
  EXPECT_EQ(sys->Slot(5).dataSize, 400u);
  EXPECT_EQ(Data(5), five.data);
  const SoundSlot& s9 = sys->Slot(9);
  EXPECT_EQ(std::tuple(s9.channels, s9.rate, s9.bits), std::tuple(uint8_t{1}, 22050u, uint8_t{8}));
  EXPECT_EQ(Data(9), nine.data);  // right after slot 5's data
  EXPECT_EQ(dev->sounds.at(static_cast<size_t>(s9.buffer - 1)).format.rate, 22050);  // the device gets the format too
}

TEST_F(SoundBank, TheLoaderConvertsToTheQualityAndDropsPartFrames) {
  // 2000 frames of 16-bit stereo: frame 0 is (1000, -3000), frame f (7f, -3f).
  std::vector<int16_t> samples(4000, 0);
  for (int f = 0; f < 2000; ++f) samples[2 * f] = static_cast<int16_t>(f * 7), samples[2 * f + 1] = static_cast<int16_t>(-f * 3);
  samples[0] = 1000;
  samples[1] = -3000;
  BankSound one{1, 2, 44100, 16, 0, Samples16(samples)};
  BankSound two{2, 2, 44100, 16, 0, Ramp(4003, 1)};  // the last three bytes are not a whole frame
  BankSound three{3, 1, 11025, 8, 0, Ramp(10, 90)};
  ASSERT_TRUE(Load(BuildSoundBank({one, two, three}), 4));
  const SoundSlot& s1 = sys->Slot(1);
  EXPECT_EQ(std::tuple(s1.dataSize, s1.channels, s1.bits, s1.rate), std::tuple(1000u, uint8_t{1}, uint8_t{8}, 22050u));
  ASSERT_EQ(Data(1).size(), 1000u);
  EXPECT_EQ(Data(1)[0], 125);  // mixed to -1000; -1000 / 256 truncated is -3, plus 128
  for (int k = 1; k < 1000; ++k)  // byte k comes from frame 2k, whose mix is (14k - 6k) / 2
    ASSERT_EQ(Data(1)[k], static_cast<uint8_t>((14 * k - 6 * k) / 2 / 256 + 128)) << "byte " << k;
  EXPECT_EQ(sys->Slot(2).dataSize, 500u);  // 1000 whole frames, one byte each, every second kept
  EXPECT_EQ(Data(3), three.data);          // still found after all 4003 bytes of slot 2
}

TEST_F(SoundBank, BadBanksAreRefusedAndKeepWhatLoadedBeforeTheFault) {
  EXPECT_FALSE(sys->LoadSoundBank(testfiles::WriteTestFile("missing", "sound.sdf", nullptr), 11));
  auto bank = BuildSoundBank({{1, 1, 44100, 16, 0, Ramp(20, 0)}});
  EXPECT_FALSE(Load(std::vector<uint8_t>(bank.begin(), bank.begin() + 4410)));  // shorter than its header
  EXPECT_EQ(Loaded(), 0);
  EXPECT_EQ(dev->creates, 0);

  // Slot 7 claims more data than the file holds: 2 and 3 load, 7 and 9 do not.
  bank = BuildSoundBank({{2, 1, 44100, 16, 0, Ramp(20, 0)},
                         {3, 1, 44100, 8, 0, Ramp(30, 0)},
                         {7, 1, 44100, 16, 0, Ramp(40, 0), 41},
                         {9, 1, 44100, 16, 0, Ramp(2, 0)}});
  bank.resize(bank.size() - 2);  // slot 9's data is cut off as well
  EXPECT_FALSE(Load(bank));
  EXPECT_TRUE(sys->Slot(2).loaded && sys->Slot(3).loaded);
  EXPECT_FALSE(sys->Slot(7).loaded || sys->Slot(9).loaded);
  EXPECT_EQ(dev->sounds.back().data, Ramp(30, 0));

  // Formats no device holds: a 12-bit sound, three channels, rate 0.
  for (auto bad : {BankSound{1, 1, 44100, 12, 0, Ramp(8, 0)}, BankSound{1, 3, 44100, 16, 0, Ramp(12, 0)},
                   BankSound{1, 1, 0, 16, 0, Ramp(8, 0)}}) {
    EXPECT_FALSE(Load(BuildSoundBank({bad})));
    EXPECT_EQ(Loaded(), 0);
  }
  EXPECT_EQ(dev->AliveSounds(), 0);
}

TEST_F(SoundBank, ASizeFieldNearFourGigabytesIsRefusedBeforeAnythingIsAllocated) {
  const auto bank = BuildSoundBank({{1, 2, 44100, 16, 0, Ramp(8, 0), 0xFFFFFFF0LL}});
  const std::string path = testfiles::WriteTestFile("huge-size", "sound.sdf", &bank);
  tLargest = 0;
  tMeasuring = true;
  const bool loaded = sys->LoadSoundBank(path, 11);
  tMeasuring = false;
  EXPECT_FALSE(loaded);
  EXPECT_LT(tLargest, size_t{1} << 20) << "the loader asked for " << tLargest << " bytes at once";
  EXPECT_EQ(Loaded(), 0);
}

TEST_F(SoundBank, ReloadingReleasesTheOldSoundsAndADeviceFailureStopsTheLoad) {
  const auto bank = BuildSoundBank(
      {{1, 1, 44100, 16, 0, Ramp(20, 0)}, {2, 1, 44100, 16, 0, Ramp(20, 50)}, {3, 2, 44100, 16, 0, Ramp(40, 100)}});
  ASSERT_TRUE(Load(bank));
  ASSERT_TRUE(Load(bank));
  EXPECT_EQ(dev->AliveSounds(), 3);  // the first load's three were released
  EXPECT_EQ(dev->sounds.size(), 6u);
  // The device refuses the second sound of the next load: slot 1 is usable,
  // slots 2 and 3 are not loaded (and their old sounds are gone).
  dev->failCreateAt = dev->creates + 2;
  EXPECT_FALSE(Load(bank));
  EXPECT_TRUE(sys->Slot(1).loaded);
  EXPECT_FALSE(sys->Slot(2).loaded || sys->Slot(3).loaded);
  EXPECT_EQ(dev->AliveSounds(), 1);
  const int channel = sys->FindFreeChannel();
  EXPECT_EQ(sys->PlayOnChannel(channel, 1, 1, 10000), 1);
  EXPECT_EQ(sys->PlayOnChannel(channel, 3, 1, 10000), 0);
}

TEST_F(SoundBank, OutputFormatIsForwardedAndAFailureReported) {
  EXPECT_TRUE(sys->SetPrimaryFormat(22050, 8, 1));
  EXPECT_EQ(std::tuple(dev->output.rate, dev->output.bits, dev->output.channels), std::tuple(22050, 8, 1));
  dev->failFormat = true;
  EXPECT_FALSE(sys->SetPrimaryFormat(44100, 16, 2));
  // Without a device neither the format nor the bank is touched: both
  // succeed, as the game run end to end without one shows.
}

TEST(SoundFormat, QualityPicksRateBitsAndChannels) {
  const std::tuple<int, int, int> expected[12] = {
      {11025, 8, 1}, {11025, 16, 1}, {11025, 8, 2}, {11025, 16, 2}, {22050, 8, 1}, {22050, 16, 1},
      {22050, 8, 2}, {22050, 16, 2}, {44100, 8, 1}, {44100, 16, 1}, {44100, 8, 2}, {44100, 16, 2}};
  for (int q = -3; q < 40; ++q) {  // out of range qualities stay within the table
    const PcmFormat f = QualityFormat(q);
    EXPECT_EQ(std::tuple(f.rate, f.bits, f.channels), expected[std::clamp(q, 0, 11)]) << "quality " << q;
  }
}

TEST(SoundFormat, DownMixAndBitReductionTruncateTowardZero) {
  std::vector<uint8_t> u8 = {255, 0, 200, 101, 128, 128};
  EXPECT_EQ(DownMixToMono(u8.data(), u8.size(), 8), 3u);
  EXPECT_EQ(std::vector<uint8_t>(u8.begin(), u8.begin() + 3), (std::vector<uint8_t>{127, 150, 128}));
  std::vector<uint8_t> s16 = Samples16({-3, 0, 3, 0, -32768, -32768, 32767, 32767});
  EXPECT_EQ(DownMixToMono(s16.data(), s16.size(), 16), 8u);
  s16.resize(8);
  EXPECT_EQ(s16, Samples16({-1, 1, -32768, 32767}));  // -1.5 truncated toward zero
  std::vector<uint8_t> bits = Samples16({-32768, 32767, -255, 255, -256, 256, 0});
  EXPECT_EQ(ReduceTo8Bits(bits.data(), bits.size()), 7u);
  bits.resize(7);
  EXPECT_EQ(bits, (std::vector<uint8_t>{0, 255, 128, 128, 127, 129, 128}));
}

TEST(SoundFormat, RateReductionKeepsWholeFramesAndNeverRaisesAFormat) {
  // 16-bit stereo frames (k, -k): every third frame kept, left and right together.
  std::vector<int16_t> samples;
  for (int k = 0; k < 10; ++k) samples.insert(samples.end(), {static_cast<int16_t>(k), static_cast<int16_t>(-k)});
  std::vector<uint8_t> data = Samples16(samples);
  ASSERT_EQ(KeepEveryNthFrame(data.data(), data.size(), 4, 3), 3u * 4);
  data.resize(12);
  EXPECT_EQ(data, Samples16({0, 0, 3, -3, 6, -6}));

  // The bytes stay as they were and the format becomes `after`: 48000 Hz has
  // the ratio 1 to 44100 and is relabelled; no sound is raised to a richer format.
  auto kept = [](std::vector<uint8_t> data, PcmFormat f, int quality, const PcmFormat& after) {
    const std::vector<uint8_t> before = data;
    EXPECT_EQ(ConvertTowardTarget(data.data(), data.size(), &f, QualityFormat(quality)), before.size());
    EXPECT_EQ(data, before);
    EXPECT_EQ(std::tuple(f.rate, f.channels, f.bits), std::tuple(after.rate, after.channels, after.bits));
  };
  kept(Samples16({1, 2, 3, 4, 5, 6, 7, 8}), {2, 48000, 16}, 11, {2, 44100, 16});
  kept({10, 20, 30, 40, 50, 60, 70, 80}, {1, 11025, 8}, 11, {1, 11025, 8});
  // The steps in their order (down-mix, 8 bits, then fewer frames): the loader's test.
}
