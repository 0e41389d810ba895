// bulwark-assetgen: writes the game's data files, every picture, sound and
// level made by code, and review aids for them.
//
//   bulwark-assetgen --out DIR              game.ini, intro.spr, small.spr, sound.sdf, level.frc
//   bulwark-assetgen --contact-sheet FILE   every sprite of small.spr on a grid (PNG)
//   bulwark-assetgen --wav DIR              every sound as a WAV file
//   bulwark-assetgen --preview-levels DIR   one PNG per playable level
#include <cstdio>
#include <cstring>
#include <string>

#include "assetgen/generators.h"

namespace {

int Usage() {
  std::fputs(
      "usage: bulwark-assetgen [--out DIR] [--contact-sheet FILE.png] [--wav DIR] [--preview-levels DIR]\n"
      "                        [--data DIR]\n"
      "  --data DIR  where --contact-sheet and --preview-levels read the generated files (default: the --out DIR)\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, sheet, wav, previews, data;
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
    else if (!std::strcmp(argv[i], "--data")) ok = value(&data);
    else ok = false;
    if (!ok) return Usage();
  }
  if (out.empty() && sheet.empty() && wav.empty() && previews.empty()) return Usage();
  if (data.empty()) data = out.empty() ? std::string(".") : out;

  std::string error;
  auto check = [&](bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "bulwark-assetgen: %s: %s\n", what, error.c_str());
    return ok;
  };
  if (!out.empty()) {
    for (const Generator& g : AllGenerators())
      if (!check(g.write(out, &error), g.name)) return 1;
  }
  if (!sheet.empty() && !check(WriteContactSheet(data, sheet, &error), "contact sheet")) return 1;
  if (!wav.empty() && !check(WriteSoundWavs(wav, &error), "wav")) return 1;
  if (!previews.empty() && !check(WriteLevelPreviews(data, previews, &error), "level previews")) return 1;
  return 0;
}
