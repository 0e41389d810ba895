#include "weapons/explosion.h"

#include "sprites/collision.h"
#include "state/player_record.h"
#include "weapons/centred_sprite.h"
#include "weapons/projectile_table.h"
#include "weapons/rewards.h"
#include "weapons/weapon_table.h"
#include "world/crater.h"
#include "world/fort.h"
#include "world/terrain.h"
#include "world/terrain_changes.h"

int CraterRadius(int e) { return 10 - static_cast<int>(-2.25 * (e - 17)); }

void EndExplosion(int slot) {
  if (slot < 0 || slot >= kProjectileSlots) return;
  const Projectile& p = g_projectiles[slot];
  const ProjectileType& type = ProjectileTypeRecord(p.type);
  const int e = type.explosionSprite + p.animStep;
  const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
  if (type.buildsGround == 1) {
    const CentredSprite ground = CentreSprite(e, p.x, p.y);
    DrawSpriteClippedWorld(TerrainSurface(), ground.entry, ground.x, ground.y);
    MarkTerrainChanged(ground.x, ground.y, ground.x + ground.entry.width, ground.y + ground.entry.height);
  } else {
    if (p.type != kTypeGimlet) {
      // The picture before the last one erases; every fort counts, the
      // shooter's own and destroyed ones too.
      const CentredSprite blast = CentreSprite(e - 1, p.x, p.y);
      for (int victim = 0; victim < FortCount(); ++victim) {
        const PlayerRecord& fort = g_players[victim];
        const uint16_t erased = EraseUnderSprite(blast.entry, blast.x, blast.y, Sprite(kPlayerFortPicture + victim),
                                                 static_cast<int>(fort.x), static_cast<int>(fort.y));
        PayForDamage(victim, static_cast<int16_t>(erased));
      }
    }
    CarveCrater(x, y, CraterRadius(e));
  }
  FreeSlot(slot);
}
