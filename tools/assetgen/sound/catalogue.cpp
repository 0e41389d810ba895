#include "assetgen/sound/catalogue.h"

#include "assetgen/sound/effects.h"
#include "assetgen/sound/finish.h"

namespace synth {

const std::vector<EffectEntry>& EffectCatalogue() {
  // Levels: explosions loudest, interface sounds well below them.
  static const std::vector<EffectEntry> entries = {
      {2, "purchase", false, -4.0, CashRegister},
      {3, "super_grenade_fuse", true, -4.0, FuseFizz},
      {4, "grenade_bounce", false, -5.0, MetalClank},
      {5, "ball_bounce", false, -5.0, RubberBoing},
      {6, "results_fanfare", false, -3.0, Fanfare},
      {7, "bomblet_launch", false, -5.0, SmallPop},
      {8, "missile_launch", false, -3.0, Whoosh},
      {9, "launch_thump", false, -6.0, Thump},
      {10, "heavy_launch", false, -4.0, HeavyThump},
      {11, "shield", false, -4.0, ShieldShimmer},
      {12, "ball_launch", false, -4.0, SpringLaunch},
      {13, "large_explosion", false, -1.0, DeepBoom},
      {14, "bomblet_explosion", false, -4.0, SmallCrack},
      {15, "grenade_explosion", false, -2.0, MidBoom},
      {16, "gimlet_drill", true, -9.0, DrillWhine},
      {17, "menu_hover", false, -12.0, SoftTick},
      {18, "click", false, -8.0, CrispClick},
      {19, "ground_built", false, -3.0, EarthRumble},
      {20, "ball_explosion", false, -2.0, RingingBoom},
      {21, "missile_explosion", false, -1.5, Boom},
      {22, "fort_destroyed", false, -1.0, Collapse},
  };
  return entries;
}

PcmSound RenderEffect(const EffectEntry& entry) {
  const Audio audio = entry.render();
  const uint64_t ditherSeed = 0xD1740000u + static_cast<uint64_t>(entry.slot);
  PcmSound sound;
  sound.slot = entry.slot;
  sound.name = entry.name;
  sound.channels = audio.Stereo() ? 2 : 1;
  sound.loop = entry.loop;
  sound.samples = entry.loop ? FinishLoop(audio, entry.peakDb, ditherSeed) : FinishOneShot(audio, entry.peakDb, ditherSeed);
  return sound;
}

std::vector<PcmSound> RenderSoundEffects() {
  std::vector<PcmSound> sounds;
  for (const EffectEntry& e : EffectCatalogue()) sounds.push_back(RenderEffect(e));
  return sounds;
}

}  // namespace synth
