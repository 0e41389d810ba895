#include "weapons/collisions.h"

#include "audio/game_sounds.h"
#include "sprites/collision.h"
#include "state/player_record.h"
#include "state/shared_state.h"
#include "state/turn_state.h"
#include "weapons/centred_sprite.h"
#include "weapons/projectile_table.h"
#include "weapons/rewards.h"
#include "weapons/supply_drops.h"
#include "weapons/weapon_table.h"
#include "world/fort.h"
#include "world/terrain.h"

namespace {

constexpr int kDestroyedDamage = 2500;

// The shield of player p, when it has charges and p is not the shooter,
// absorbs the shell (one charge); then p's fort.
void TestFort(Projectile& p, const CentredSprite& shell, int player) {
  PlayerRecord& fort = g_players[player];
  const int fx = static_cast<int>(fort.x), fy = static_cast<int>(fort.y);
  if (fort.shieldCharges > 0 && player != g_game.currentPlayer &&
      SpritesCollide(shell.entry, shell.x, shell.y, Sprite(g_phases.shield), fx - kShieldLeft, fy - kShieldUp)) {
    --fort.shieldCharges;
    Explode(p);
  }
  if (SpritesCollide(shell.entry, shell.x, shell.y, Sprite(kPlayerFortPicture + player), fx, fy)) Explode(p);
}

// Every drop the shell touches explodes it and rewards the shooter.
void TestDrops(Projectile& p, const CentredSprite& shell) {
  for (SupplyDrop& drop : g_drops) {
    if (drop.kind == kDropNone) continue;
    if (!SpritesCollide(shell.entry, shell.x, shell.y, Sprite(SupplyDropPicture(drop)), static_cast<int>(drop.x),
                        static_cast<int>(drop.y)))
      continue;
    Explode(p);
    RewardSupplyDrop(drop.kind);
    drop = SupplyDrop();
  }
}

bool TouchesGround(const CentredSprite& shell) {
  return SpritesCollide(shell.entry, shell.x, shell.y, Sprite(kTerrainSprite), 0, 0);
}

}  // namespace

void DestroyedFortCheck() {
  for (int player = 0; player < FortCount(); ++player) {
    PlayerRecord& fort = g_players[player];
    if (fort.destroyed == 0 && fort.damage > kDestroyedDamage) {
      fort.destroyed = 1;
      PlaySoundEffect(kFortDestroyedSound);
    }
  }
}

void ProjectileCollisions() {
  for (Projectile& p : g_projectiles) {
    if (p.type == 0) continue;
    // Every test of one projectile is made, even after one has exploded it.
    const uint16_t state = p.state;
    if (state != kFlying && state != kLaunching) continue;
    const ProjectileType& type = ProjectileTypeRecord(p.type);
    const CentredSprite shell = CentreSprite(ProjectileSprite(p), p.x, p.y);
    // Bouncing shells are turned away by the ground while flying, not exploded.
    if (TouchesGround(shell) && (state == kLaunching || type.bounceRadius == 0)) Explode(p);
    // GROUND DEFENSE and GIMLET pass through forts, shields and drops.
    if (p.type == kTypeGroundDefense || p.type == kTypeGimlet) continue;
    for (int player = 0; player < FortCount(); ++player) {
      // A launching shell never hits its shooter's own fort or shield.
      if (state == kLaunching && player == g_game.currentPlayer) continue;
      TestFort(p, shell, player);
    }
    if (state == kFlying) TestDrops(p, shell);
  }
}
