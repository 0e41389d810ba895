// A world for the weapons' tests, on the world's test sprites: the pictures
// shells use (explosion discs 16..35 of radius 6 + 2.25 (k - 16), a 16 x 16
// solid shell for every flight and launch picture from 106 to 384 but the
// ground tiles, the GROUND DEFENSE mounds
// up to the 64 x 40 one built into the ground, solid 120 x 90 shields, 24 x 24
// drops and the 24 x 2 landing mask), n players with their forts far away, an
// empty projectile and drop table, the animation phases at their start, frame
// phase 0, full effects volume and no messages. Everything is put back
// afterwards, the random numbers too.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "fake_audio_device.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "sprites/blit.h"
#include "state/turn_state.h"
#include "support/sound_bank_builder.h"
#include "weapons/collisions.h"
#include "weapons/projectile_flight.h"
#include "weapons/projectile_table.h"
#include "weapons/supply_drops.h"
#include "world_test_sprites.h"

namespace weapon_test {

inline constexpr uint16_t kBlast = 0x7BDE;
inline constexpr uint16_t kMound = 0x2529;
inline constexpr int kLastMound = 270;

class WeaponWorld {
 public:
  explicit WeaponWorld(int players = 2) : players_(players), rand_(platform::RandState()) {
    for (int k = 16; k <= 35; ++k) Disc(k, static_cast<int>(6 + 2.25 * (k - 16)));
    for (int i = 106; i <= 384; ++i)
      if (i < 142 || i > 146) sprites.Make(i, 16, 16, 0x4210);  // the ground tiles stay
    for (int i = 239; i <= 248; ++i) sprites.Make(i, 120, 90, 0x2A2A);
    for (int i = 260; i < kLastMound; ++i) sprites.Make(i, 16 + 4 * (i - 260), 10 + 3 * (i - 260), kMound);
    sprites.Make(kLastMound, 64, 40, kMound);
    for (int i = 385; i <= 424; ++i) sprites.Make(i, 24, 24, 0x3333);
    sprites.Make(425, 24, 2, 0x7FFF);
    for (int p = 0; p < players; ++p) PlaceFort(p, -5000, -5000);
    Clear();
    g_game.effectsVolume = 10000;
  }
  ~WeaponWorld() {
    Clear();
    platform::SeedRand(rand_);
  }
  WeaponWorld(const WeaponWorld&) = delete;
  WeaponWorld& operator=(const WeaponWorld&) = delete;

  // Sprite k as a solid disc of radius r in a (2r + 1) square.
  void Disc(int k, int r) {
    sprites.Make(k, 2 * r + 1, 2 * r + 1, 0);
    for (int y = -r; y <= r; ++y)
      for (int x = -r; x <= r; ++x)
        if (x * x + y * y <= r * r) sprites.Surface(k)->Row(y + r)[x + r] = kBlast;
  }

  static void PlaceFort(int player, float x, float y) { std::tie(g_players[player].x, g_players[player].y) = std::tie(x, y); }

  // One frame of the round loop's projectile steps: the collisions (unless
  // left out), the flight, then the frame phase moves on.
  static void Frame(bool collisions = true) {
    if (collisions) ProjectileCollisions();
    ProjectileFlight();
    g_game.framePhase = static_cast<uint8_t>((g_game.framePhase + 1) % 3);
  }

  // A projectile put straight into slot (no sounds; its program's first
  // step lasts long).
  static Projectile& Put(int slot, int type, uint16_t state, float x, float y, float vx = 0, float vy = 0) {
    return g_projectiles[slot] = Projectile{
               .x = x, .y = y, .vx = vx, .vy = vy, .type = static_cast<uint16_t>(type), .stepFramesLeft = 10000,
               .state = state};
  }

  world_test::TestSprites sprites;

 private:
  static void Clear() {
    ResetProjectiles();
    ClearSupplyDrops();
    g_phases.Reset();
    g_game.framePhase = 0;
    platform::ClearMessagesShown();
  }

  world_test::Players players_;
  uint32_t rand_;
};

// The program's sound system on a fake device holding a short sound in each
// of the given slots (looping where asked), for the lifetime of the object.
// The device's handle of a sound is its position in the list, from 1.
class FakeSounds {
 public:
  struct Slot {
    int slot;
    bool loop = false;
  };
  explicit FakeSounds(const std::vector<Slot>& slots) {
    std::vector<soundtest::BankSound> bank;
    for (const Slot& s : slots)
      bank.push_back({s.slot, 1, 44100, 16, static_cast<uint8_t>(s.loop), std::vector<uint8_t>(64, 1)});
    auto sys = soundtest::SystemOnFake(&device);
    const auto bytes = soundtest::BuildSoundBank(bank);
    EXPECT_TRUE(sys->LoadSoundBank(testfiles::WriteTestFile("weapons", "sound.sdf", &bytes), 11));
    system = sys.get();
    InstallSoundSystem(std::move(sys));
  }
  ~FakeSounds() { InstallSoundSystem(nullptr); }
  FakeSounds(const FakeSounds&) = delete;
  FakeSounds& operator=(const FakeSounds&) = delete;

  // How many voices play the sound of the given handle.
  int Playing(int handle) const {
    return static_cast<int>(std::count_if(device->voices.begin(), device->voices.end(),
                                          [handle](const auto& v) { return v.sound == handle && v.playing; }));
  }

  std::shared_ptr<soundtest::FakeDeviceState> device;
  CSoundSystem* system = nullptr;
};

}  // namespace weapon_test
