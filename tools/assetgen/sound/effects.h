// The game's sound effects, each rendered from scratch by the synthesiser.
// A renderer returns unscaled audio; the catalogue sets its level and makes
// 16-bit PCM of it. The renderers live in effects_<family>.cpp.
// Used only by the asset generator (one thread).
#pragma once

#include "assetgen/sound/audio.h"

namespace synth {

// Menus, shop, results, shield.
Audio CashRegister();   // bright "ka-ching"
Audio Fanfare();        // short brass arpeggio, stereo
Audio ShieldShimmer();  // rising, sparkling chord, stereo
Audio SoftTick();       // pointer over a menu item
Audio CrispClick();     // button or key accepted

// Bounces.
Audio MetalClank();   // grenade
Audio RubberBoing();  // ball grenade

// Launches.
Audio SmallPop();      // bomblet
Audio Whoosh();        // missile
Audio Thump();         // grenade, ground defence, gimlet
Audio HeavyThump();    // super grenade, hyper tube
Audio SpringLaunch();  // ball grenade

// Explosions and earth.
Audio DeepBoom();     // large explosion, stereo
Audio SmallCrack();   // bomblet
Audio MidBoom();      // grenade
Audio EarthRumble();  // ground built
Audio RingingBoom();  // ball grenade
Audio Boom();         // missile
Audio Collapse();     // fort destroyed, stereo

// Flight loops: the last sample flows into the first.
Audio FuseFizz();    // super grenade
Audio DrillWhine();  // gimlet

}  // namespace synth
