// Costs of the display primitives every frame uses, at 1024 x 768.
#include <benchmark/benchmark.h>

#include "display/colour.h"
#include "display/display_state.h"
#include "display/text.h"
#include "platform/runtime.h"
#include "state/shared_state.h"

namespace {

void BM_FillScreen(benchmark::State& state) {
  Surface s(1024, 768);
  Rect all{0, 0, 1024, 768};
  for (auto _ : state) {
    FillSurface(&s, 0x1234, &all);
    benchmark::DoNotOptimize(s.Data());
  }
}
BENCHMARK(BM_FillScreen);

void BM_DrawTextLine(benchmark::State& state) {
  static bool ready = [] {
    platform::InitForTests();
    g_config.displayOption = 3;
    return CreateGameFont();
  }();
  Surface s(1024, 768);
  g_display.back = &s;
  g_display.pixelLayout = kLayout565;
  for (auto _ : state) {
    DrawTextCentered(512, 20, "GRENADE : 3    NONAME 01    499", Rgb(255, 255, 255));
    benchmark::DoNotOptimize(s.Data());
  }
  g_display.back = nullptr;
  if (!ready) state.SkipWithError("no font");
}
BENCHMARK(BM_DrawTextLine);

}  // namespace
