// Flight sounds that loop while a shell flies. Periodic parts have a whole
// number of cycles in the loop and are rendered cyclically (a warm-up loop
// settles the filters first); noise parts are rendered past the loop's end
// and folded back over its start, so the last sample flows into the first.
#include <algorithm>
#include <cmath>

#include "assetgen/sound/effects.h"
#include "assetgen/sound/finish.h"

namespace synth {

namespace {

// Value at loop sample n of a sine with a whole number of cycles per second.
double LoopSine(double hz, size_t n) {
  return std::sin(2.0 * kPi * hz * static_cast<double>(n % kSampleRate) / kSampleRate);
}

}  // namespace

Audio FuseFizz() {
  const size_t loop = Samples(1.5), fade = Samples(0.2), warm = Samples(0.1);
  Rng rng(31);
  Biquad hiss, hissFloor, crackle, body;
  hiss.SetBandPass(5000, 0.7);
  hissFloor.SetHighPass(2000, 0.7);
  crackle.SetBandPass(3500, 1.0);
  body.SetBandPass(900, 1.0);
  OnePole sputter;  // the burn flares and chokes a few dozen times a second
  sputter.SetCutoff(25);
  const double sparkFade = std::exp(-1.0 / (0.0012 * kSampleRate));
  double spark = 0;
  Track render(warm + loop + fade);
  for (double& v : render) {
    const double flare = std::clamp(0.65 + 15.0 * sputter.LowPass(rng.Bipolar()), 0.1, 1.3);
    if (rng.Unit() < 60.0 / kSampleRate) spark = std::max(spark, rng.Range(0.3, 1.0));
    spark *= sparkFade;
    v = hissFloor.Process(hiss.Process(rng.Bipolar())) * flare + 3.0 * crackle.Process(rng.Bipolar() * spark) +
        0.2 * body.Process(rng.Bipolar()) * flare;
  }
  render.erase(render.begin(), render.begin() + static_cast<std::ptrdiff_t>(warm));
  return {FoldLoop(render, loop), {}};
}

Audio DrillWhine() {
  // One second: every frequency below is a whole number of hertz.
  const size_t loop = static_cast<size_t>(kSampleRate), fade = Samples(0.15);
  constexpr double kMotorHz = 440, kVibratoHz = 6, kChatterHz = 24;
  auto chatter = [&](size_t n) { return 0.75 + 0.25 * LoopSine(kChatterHz, n); };

  // Motor whine, with a resonance on its fourth harmonic.
  Oscillator saw, fourth, eighth;
  Biquad tone, ring;
  tone.SetLowPass(4000, 0.7);
  ring.SetBandPass(4 * kMotorHz, 4.0);
  Track whine(loop);
  for (size_t n = 0; n < 2 * loop; ++n) {
    const double pitch = kMotorHz * (1.0 + 0.012 * LoopSine(kVibratoHz, n));
    const double raw = saw.Saw(pitch);
    const double v = tone.Process(raw) + 1.5 * ring.Process(raw) + 0.3 * fourth.Sine(4 * pitch) +
                     0.12 * eighth.Sine(8 * pitch);
    if (n >= loop) whine[n - loop] = v * chatter(n);
  }

  // Grinding noise of the bit, pulsing with the rotation.
  Rng rng(161);
  Biquad grind;
  grind.SetBandPass(2500, 2.0);
  Track noise(loop + fade);
  for (size_t n = 0; n < noise.size(); ++n) noise[n] = grind.Process(rng.Bipolar()) * chatter(n);
  const Track grit = FoldLoop(noise, loop);

  for (size_t n = 0; n < loop; ++n) whine[n] += 1.2 * grit[n];
  return {whine, {}};
}

}  // namespace synth
