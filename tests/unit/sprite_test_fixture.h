// Shared set-up of the sprite tests: a fresh sprite table of the running
// game, the display and configuration state restored after each test, the
// messages shown during the test, sprites made from pixels, and bank files
// written to a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/display_state.h"
#include "platform/message_box.h"
#include "sprites/sprite_table.h"
#include "state/shared_state.h"
#include "support/test_files.h"

// A sprite entry of width x height holding pixels (rows packed), or `fill`
// everywhere when pixels is empty.
inline SpriteEntry MakeSprite(int width, int height, std::vector<uint16_t> pixels = {}, uint16_t fill = 0) {
  SpriteEntry e;
  e.width = static_cast<uint16_t>(width);
  e.height = static_cast<uint16_t>(height);
  e.surface = std::make_unique<platform::Surface>(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      e.surface->Row(y)[x] = pixels.empty() ? fill : pixels[static_cast<size_t>(y) * width + x];
  return e;
}

// The pixels of a surface, rows packed.
inline std::vector<uint16_t> PixelsOf(const platform::Surface& s) {
  return std::vector<uint16_t>(s.Data(), s.Data() + static_cast<size_t>(s.Width()) * s.Height());
}

class SpriteTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedDisplay_ = g_display;
    savedConfig_ = g_config;
    table_ = std::make_unique<SpriteTable>();
    SetSprites(table_.get());
    platform::ClearMessagesShown();
  }

  void TearDown() override {
    SetSprites(nullptr);
    g_display = savedDisplay_;
    g_config = savedConfig_;
    platform::ClearMessagesShown();
  }

  SpriteTable& Table() { return *table_; }

  // Writes bytes to a file of this test's own and returns its path.
  std::string WriteTemp(const std::string& name, const std::vector<uint8_t>& bytes) {
    return testfiles::WriteTestFile("sprites", name, &bytes);
  }

  std::vector<std::string> Messages() const { return platform::MessagesShown(); }

 private:
  std::unique_ptr<SpriteTable> table_;
  DisplayState savedDisplay_;
  ConfigState savedConfig_;
};
