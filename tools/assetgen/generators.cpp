#include "assetgen/generators.h"

#include <fstream>

#include "assetgen/music/tunes.h"
#include "assetgen/sound/sound_bank.h"

bool WriteGameIni(const std::string& dir, std::string* error) {
  std::ofstream f(dir + "/game.ini", std::ios::binary | std::ios::trunc);
  const char bytes[3] = {1, 0, 0};
  if (!f.write(bytes, 3)) {
    *error = "cannot write " + dir + "/game.ini";
    return false;
  }
  return true;
}

const std::vector<Generator>& AllGenerators() {
  static const std::vector<Generator> all = {
      {"game.ini", WriteGameIni},
      {"sprite banks", WriteSpriteBanks},
      {"sound.sdf", synth::WriteSoundBank},
      {"level.frc", WriteLevelFile},
      {"tunes", music::WriteTunes},
  };
  return all;
}
