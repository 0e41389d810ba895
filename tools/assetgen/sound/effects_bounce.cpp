// Bounces of the grenades on the ground.
#include "assetgen/sound/effects.h"
#include "assetgen/sound/voices.h"

namespace synth {

Audio MetalClank() {
  // A hollow steel shell: inharmonic partials that die fast, a hard contact
  // noise and a little knock of the body.
  static const Partial kShell[] = {{523, 1.0, 0.09},   {1247, 0.7, 0.07},  {1931, 0.6, 0.06},
                                   {2788, 0.45, 0.045}, {3853, 0.35, 0.035}, {5110, 0.25, 0.025}};
  Track out = Struck(0.3, kShell, 6);
  MixInto(out, Burst(0.05, FilterKind::kHighPass, 1500, 0.7, 0.0002, 0.003, 41), 0, 0.8);
  MixInto(out, Thud(0.1, 220, 150, 0.02, 0.0005, 0.02), 0, 0.4);
  FadeOutTail(out, 0.05);
  return {out, {}};
}

Audio RubberBoing() {
  // A soft ball: a round tone that drops into its pitch and wobbles as the
  // rubber rings out, over a dull contact thud.
  Oscillator osc, wobble;
  Track out = Render(0.5, [&](double t) {
    const double bend = 1.0 + 0.5 * Decay(t, 0.02);
    const double vibrato = 1.0 + 0.07 * Decay(t, 0.18) * wobble.Sine(16.0);
    const double p = osc.Sine(260.0 * bend * vibrato);
    return (p + 0.3 * p * p * p) * Hit(t, 0.002, 0.13);
  });
  MixInto(out, Thud(0.1, 110, 60, 0.03, 0.001, 0.025), 0, 0.5);
  FadeOutTail(out, 0.05);
  return {out, {}};
}

}  // namespace synth
