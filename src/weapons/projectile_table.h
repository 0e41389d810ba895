// The projectile table: 400 slots for every shell, grenade, bomblet and
// fragment in the air. A slot whose type is 0 is free. Projectiles are made
// by a player's shot (Launch) or by another projectile's flight program
// (Spawn, starting at rest) in the lowest free slot, and freed when they leave
// the world or their explosion ends.
//
// Each projectile holds a sound channel of its own from creation to removal
// (its flight sound plays there); its launch sound plays on a second channel
// that frees itself.
//
// Threads: the game thread.
#pragma once

#include <cstdint>

inline constexpr int kProjectileSlots = 400;

enum ProjectileState : uint16_t {
  kLaunching = 1,  // shows the launch animation, already moves
  kFlying = 2,     // shows the direction sprite
  kHit = 3,        // stopped; explodes at the next animation step
  kExploding = 4,  // shows the explosion; its effects come at the end
};

struct Projectile {
  float x = 0, y = 0;    // centre, world coordinates
  float vx = 0, vy = 0;  // pixels per frame; negative vy rises
  uint16_t type = 0;     // 1..11; 0 free slot
  uint16_t direction = 0;       // 1..36 while flying (0 until the first is computed)
  uint16_t animStep = 0;        // counts animation steps (one per three frames)
  uint16_t program = 0;
  uint16_t programCounter = 0;
  uint16_t stepFramesLeft = 0;
  uint16_t state = 0;
  int16_t soundChannel = 0;
};

extern Projectile g_projectiles[kProjectileSlots];

// Stops the projectile: it explodes at the next animation step.
inline void Explode(Projectile& p) {
  p.state = kHit;
  p.animStep = 0;
}

// The message shown when all 400 slots are in use.
inline constexpr const char* kProjectileTableFull = "Не хватает массива для ввода нового гада";

// Rebuilds the flight programs and empties every slot (at every round set-up).
void ResetProjectiles();

// A player's shot. Returns the slot, or -1 when the table is full (after the
// message; nothing is created).
int LaunchProjectile(int type, int program, float x, float y, float vx, float vy);
// A sub-projectile, starting at rest: its program's first step gives it speed.
int SpawnProjectile(int type, int program, float x, float y);

// Stops and releases the projectile's own channel and empties the slot.
void FreeSlot(int slot);

// How many slots are in use.
int ProjectilesInUse();

// The picture a projectile shows in its state: launching, launch sprite +
// step; flying, the sprite of its direction + step (direction 0, before the
// first is computed, shows direction 1); hit or exploding, explosion sprite +
// step. 0 for a free slot.
int ProjectileSprite(const Projectile& p);
