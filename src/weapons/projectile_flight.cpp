#include "weapons/projectile_flight.h"

#include <cmath>

#include "audio/game_sounds.h"
#include "audio/sound_system.h"
#include "state/shared_state.h"
#include "weapons/bounce.h"
#include "weapons/explosion.h"
#include "weapons/flight_programs.h"
#include "weapons/projectile_table.h"
#include "weapons/weapon_table.h"

namespace {

// 18 / 3.14: an angle in radians to tens of degrees.
constexpr double kDirectionScale = 5.732484076433121;
constexpr double kQuarterTurn = 1.5707963267948966;  // the arctangent of a horizontal motion

// Below this squared speed in both components a ball that bounced is at rest.
constexpr double kRestSquared = 0.01;

// Projectiles beyond these bounds are gone: at either side, at the bottom, or
// far above the top (from where they may still come back).
constexpr float kRightBound = 1596, kLeftBound = -60, kBottomBound = 788, kTopBound = -10000;

void LimitTo(float& v, float m) {
  if (v > m) v = m;
  if (v < -m) v = -m;
}

// One animation step of the projectile in slot (every third frame).
void Animate(int slot) {
  Projectile& p = g_projectiles[slot];
  const ProjectileType& type = ProjectileTypeRecord(p.type);
  ++p.animStep;
  if (p.state == kLaunching && p.animStep > type.launchLength) {
    p.state = kFlying;
    p.animStep = 0;
    p.direction = 0;
    // The flight sound plays on the projectile's own channel, kept until it ends.
    if (type.flightSound != 0) SoundSystem().PlayOnChannel(p.soundChannel, type.flightSound, 0, g_game.effectsVolume);
    return;
  }
  p.direction = static_cast<uint16_t>(ProjectileDirection(p.vx, p.vy, p.direction));
  if (p.animStep > type.flightAnimLength && p.state == kFlying) {
    p.animStep = 0;
  } else if (p.state == kHit) {
    p.state = kExploding;
    p.animStep = 0;
    if (type.explosionSound != 0) {
      CSoundSystem& sounds = SoundSystem();
      sounds.StopChannel(p.soundChannel);
      g_game.soundChannel = sounds.FindFreeChannel();
      sounds.PlayOnChannel(g_game.soundChannel, type.explosionSound, 1, g_game.effectsVolume);
    }
  } else if (p.state == kExploding && p.animStep > type.explosionLength) {
    EndExplosion(slot);
  }
}

// The current step of the projectile's flight program, once.
void RunProgramStep(Projectile& p, const ProjectileType& type) {
  const FlightStep& step = ProgramStep(p.program, p.programCounter);
  const float m = type.maxSpeed;
  switch (step.opcode) {
    case kOpAccelerate:
      p.vx += step.a;
      p.vy += step.b;
      LimitTo(p.vx, m);
      LimitTo(p.vy, m);
      break;
    case kOpSteer: {
      // Towards (a, b), at the rates carried by the next step.
      const FlightStep& rates = ProgramStep(p.program, p.programCounter + 1);
      if (p.x < step.a) p.vx += rates.a;
      if (p.x > step.a) p.vx -= rates.a;
      if (p.y < step.b) p.vy += rates.b;
      if (p.y > step.b) p.vy -= rates.b;
      LimitTo(p.vx, m);
      LimitTo(p.vy, m);
      break;
    }
    case kOpSpawn:
      if (type.subType != 0)
        SpawnProjectile(type.subType, static_cast<int>(step.a), p.x + type.spawnOffsetX, p.y + type.spawnOffsetY);
      break;
    case kOpExplode:
      Explode(p);
      break;
    default:
      break;
  }
}

// Counts down the step's frames; at 0 the program goes on with its next step
// (step 0 after the end step, back by the jump's duration at a jump).
void AdvanceProgram(Projectile& p) {
  --p.stepFramesLeft;
  if (p.stepFramesLeft != 0) return;
  ++p.programCounter;
  if (ProgramStep(p.program, p.programCounter).opcode == kOpEnd) p.programCounter = 0;
  const FlightStep& next = ProgramStep(p.program, p.programCounter);
  if (next.opcode == kOpJump) p.programCounter = static_cast<uint16_t>(p.programCounter - next.duration);
  p.stepFramesLeft = ProgramStep(p.program, p.programCounter).duration;
}

// One frame of a launching or flying projectile: its program, the bounce or
// gravity, the move.
void Move(Projectile& p) {
  const ProjectileType& type = ProjectileTypeRecord(p.type);
  RunProgramStep(p, type);
  AdvanceProgram(p);
  bool bounced = false;
  if (type.bounceRadius != 0) {
    bounced = BounceOffTerrain(p.x, p.y, p.vx, p.vy, type.bounceRadius);
    if (bounced) PlaySoundEffect(type.bounceSound);
  }
  if (bounced && p.vx * p.vx < kRestSquared && p.vy * p.vy < kRestSquared) Explode(p);  // come to rest
  if (!bounced) p.vy += type.gravity;
  p.x += p.vx;
  p.y += p.vy;
}

bool OutOfWorld(const Projectile& p) {
  return p.x > kRightBound || p.x < kLeftBound || p.y > kBottomBound || p.y < kTopBound;
}

}  // namespace

int ProjectileDirection(float vx, float vy, int previous) {
  if (vx == 0 && vy == 0) return previous;
  const double angle = vy == 0 ? kQuarterTurn : std::atan(std::fabs(double{vx}) / std::fabs(double{vy}));
  const int i = static_cast<int>(angle * kDirectionScale);
  // Each rule that matches overrides the ones before it.
  int d = 0;
  if (vx == 0 && vy < 0) d = 0;
  if (vx >= 0 && vy < 0) d = i;
  if (vx > 0 && vy >= 0) d = 18 - i;
  if (vx <= 0 && vy > 0) d = i + 18;
  if (vx < 0 && vy <= 0) d = 36 - i;
  if (i == 0 && vy < 0) d = 0;
  return d + 1;
}

void ProjectileFlight() {
  if (g_game.framePhase == 0)
    for (int slot = 0; slot < kProjectileSlots; ++slot)
      if (g_projectiles[slot].type != 0) Animate(slot);
  for (int slot = 0; slot < kProjectileSlots; ++slot) {
    Projectile& p = g_projectiles[slot];
    if (p.type == 0) continue;
    if (p.state == kLaunching || p.state == kFlying) Move(p);
    if (OutOfWorld(p)) FreeSlot(slot);
  }
}
