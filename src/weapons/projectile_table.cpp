#include "weapons/projectile_table.h"

#include "audio/sound_system.h"
#include "platform/message_box.h"
#include "state/shared_state.h"
#include "weapons/flight_programs.h"
#include "weapons/weapon_table.h"

Projectile g_projectiles[kProjectileSlots];

namespace {

int Create(int type, int program, float x, float y, float vx, float vy) {
  int slot = 0;
  while (slot < kProjectileSlots && g_projectiles[slot].type != 0) ++slot;
  if (slot == kProjectileSlots) {
    platform::ShowMessage(kProjectileTableFull, kEmptyText);
    return -1;
  }
  Projectile& p = g_projectiles[slot];
  p = Projectile();
  p.type = static_cast<uint16_t>(type);
  p.x = x;
  p.y = y;
  p.vx = vx;
  p.vy = vy;
  p.program = static_cast<uint16_t>(program);
  p.programCounter = 0;
  p.stepFramesLeft = ProgramStep(program, 0).duration;
  p.state = kLaunching;
  p.animStep = 0;
  CSoundSystem& sounds = SoundSystem();
  g_game.soundChannel = sounds.FindFreeChannel();
  p.soundChannel = static_cast<int16_t>(g_game.soundChannel);
  if (const int launch = ProjectileTypeRecord(type).launchSound; launch != 0) {
    g_game.soundChannel = sounds.FindFreeChannel();
    sounds.PlayOnChannel(g_game.soundChannel, launch, 1, g_game.effectsVolume);
  }
  return slot;
}

}  // namespace

void ResetProjectiles() {
  BuildFlightPrograms();
  for (Projectile& p : g_projectiles) p = Projectile();
}

int LaunchProjectile(int type, int program, float x, float y, float vx, float vy) {
  return Create(type, program, x, y, vx, vy);
}

int SpawnProjectile(int type, int program, float x, float y) { return Create(type, program, x, y, 0, 0); }

void FreeSlot(int slot) {
  if (slot < 0 || slot >= kProjectileSlots) return;
  Projectile& p = g_projectiles[slot];
  CSoundSystem& sounds = SoundSystem();
  sounds.StopChannel(p.soundChannel);
  sounds.ReleaseChannel(p.soundChannel);
  p = Projectile();
}

int ProjectilesInUse() {
  int n = 0;
  for (const Projectile& p : g_projectiles) n += p.type != 0;
  return n;
}

int ProjectileSprite(const Projectile& p) {
  if (p.type == 0) return 0;
  const ProjectileType& t = ProjectileTypeRecord(p.type);
  switch (p.state) {
    case kLaunching:
      return t.launchSprite + p.animStep;
    case kFlying: {
      const int d = p.direction >= 1 && p.direction <= kDirections ? p.direction : 1;
      return t.directionSprites[d - 1] + p.animStep;
    }
    default:
      return t.explosionSprite + p.animStep;
  }
}
