// bulwark-assetgen: writes the game's data files, every picture, sound and
// level made by code, and review aids for them.
//
//   bulwark-assetgen --out DIR              game.ini, intro.spr, small.spr, sound.sdf, level.frc,
//                                           the tunes begin.mid, tex1.mid .. tex5.mid, mag.mid
//   bulwark-assetgen --contact-sheet FILE   every sprite of small.spr on a grid (PNG)
//       [--sheet-range FIRST-LAST] [--sheet-zoom N]   only some sprites, or all at one zoom
//   bulwark-assetgen --wav DIR              every sound and every tune as a WAV file
//   bulwark-assetgen --preview-levels DIR   one PNG per playable level
//   bulwark-assetgen --icons DIR            the desktop's icons, DIR/hicolor/NxN/apps/bulwark.png
#include <cstdio>
#include <cstring>
#include <string>

#include "assetgen/contact_sheet.h"
#include "assetgen/generators.h"
#include "assetgen/icons.h"
#include "platform/runtime.h"

namespace {

int Usage() {
  std::fputs(
      "usage: bulwark-assetgen [--out DIR] [--contact-sheet FILE.png] [--wav DIR] [--preview-levels DIR] [--icons DIR]\n"
      "                        [--data DIR] [--sheet-range FIRST-LAST] [--sheet-zoom N]\n"
      "  --data DIR  where --contact-sheet and --preview-levels read the generated files (default: the --out DIR)\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, sheet, wav, previews, icons, data, range, zoom;
  for (int i = 1; i < argc; ++i) {
    auto value = [&](std::string* v) {
      if (i + 1 >= argc) return false;
      *v = argv[++i];
      return true;
    };
    bool ok = true;
    if (!std::strcmp(argv[i], "--out")) ok = value(&out);
    else if (!std::strcmp(argv[i], "--contact-sheet")) ok = value(&sheet);
    else if (!std::strcmp(argv[i], "--wav")) ok = value(&wav);
    else if (!std::strcmp(argv[i], "--preview-levels")) ok = value(&previews);
    else if (!std::strcmp(argv[i], "--icons")) ok = value(&icons);
    else if (!std::strcmp(argv[i], "--data")) ok = value(&data);
    else if (!std::strcmp(argv[i], "--sheet-range")) ok = value(&range);
    else if (!std::strcmp(argv[i], "--sheet-zoom")) ok = value(&zoom);
    else ok = false;
    if (!ok) return Usage();
  }
  if (out.empty() && sheet.empty() && wav.empty() && previews.empty() && icons.empty()) return Usage();
  if (data.empty()) data = out.empty() ? std::string(".") : out;

  SheetOptions sheetOptions;
  if (!range.empty() && std::sscanf(range.c_str(), "%d-%d", &sheetOptions.first, &sheetOptions.last) != 2) return Usage();
  if (!zoom.empty() && (std::sscanf(zoom.c_str(), "%d", &sheetOptions.zoom) != 1 || sheetOptions.zoom < 1)) return Usage();

  // Lettering uses the game's font code, which needs the platform started
  // (headless: no window, no sound).
  std::string error;
  platform::Options platformOptions;
  platformOptions.headless = true;
  if (!platform::Init(platformOptions, &error)) {
    std::fprintf(stderr, "bulwark-assetgen: %s\n", error.c_str());
    return 1;
  }
  auto check = [&](bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "bulwark-assetgen: %s: %s\n", what, error.c_str());
    return ok;
  };
  if (!out.empty()) {
    for (const Generator& g : AllGenerators())
      if (!check(g.write(out, &error), g.name)) return 1;
  }
  if (!sheet.empty() && !check(WriteContactSheetOf(data, sheet, sheetOptions, &error), "contact sheet")) return 1;
  if (!wav.empty() && !check(WriteSoundWavs(wav, &error) && WriteTuneWavs(wav, &error), "wav")) return 1;
  if (!previews.empty() && !check(WriteLevelPreviews(data, previews, &error), "level previews")) return 1;
  if (!icons.empty() && !check(WriteIcons(icons, &error), "icons")) return 1;
  return 0;
}
