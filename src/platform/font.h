// A TrueType font rasterised by SDL_ttf into glyph coverage masks, cached per
// character, for the game's text output and for the message box.
//
// Threads: one Font is used by one thread (the game's font by the game thread,
// the message box's by the main thread).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

// Full path of a font file (e.g. "LiberationSans-Bold.ttf") found in
// $BULWARK_FONT_DIR or Debian's font folders; empty when not found.
std::string FindFontFile(const std::string& fileName);

class Font {
 public:
  struct Glyph {
    int advance = 0;                // pen advance in pixels
    int width = 0, height = 0;      // size of the coverage mask
    std::vector<uint8_t> coverage;  // 0..255 per pixel, rows packed; top row = top of the cell
  };

  Font();
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Opens the font so that its cell (ascent + descent) is cellHeight pixels
  // tall; cellHeight 0 means the face's default height.
  bool Open(const std::string& path, int cellHeight, std::string* error);
  bool IsOpen() const { return font_ != nullptr; }
  int CellHeight() const { return cellHeight_; }

  // The glyph of one Unicode character (a blank one when the face lacks it).
  const Glyph& GetGlyph(uint32_t codepoint);

  // Width in pixels of a UTF-8 line.
  int TextWidth(const std::string& utf8);

  static constexpr int kDefaultCellHeight = 16;

 private:
  void* font_ = nullptr;  // TTF_Font
  int cellHeight_ = 0;
  Glyph latin_[256];
  bool latinReady_[256] = {};
  std::unordered_map<uint32_t, Glyph> others_;
  Glyph Render(uint32_t codepoint);
};

// Decodes the next UTF-8 character at text[*i] and advances *i; invalid bytes
// come back as themselves (Latin-1), so no input can stop the decoder.
uint32_t NextUtf8(const std::string& text, size_t* i);

}  // namespace platform
