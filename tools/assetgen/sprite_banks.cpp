// Writes the two sprite banks, intro.spr and small.spr, from the painters of
// the catalogue.
#include "assetgen/art/catalogue.h"
#include "assetgen/generators.h"
#include "assetgen/spr_writer.h"

bool WriteSpriteBanks(const std::string& dir, std::string* error) {
  std::vector<SpriteImage> bank;
  std::vector<uint8_t> bytes;
  if (!art::PaintStartupBank(&bank, error) || !EncodeSpriteBank(bank, &bytes, error) ||
      !WriteBytesToFile(dir + "/intro.spr", bytes, error))
    return false;
  return art::PaintGameBank(&bank, error) && EncodeSpriteBank(bank, &bytes, error) &&
         WriteBytesToFile(dir + "/small.spr", bytes, error);
}
