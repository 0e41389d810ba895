// The display device: it takes the screen, keeps a primary and a back Surface
// of the configured size, swaps them on Flip and shows the primary. Surfaces
// are lost while the display is away (window minimised, or `lose-display` in a
// script) and can be created again once it is back.
//
// Threads: created and set up on the main thread; Flip, CreatePrimary and the
// surfaces are then used by the game thread (and by the main thread's timer
// while the game thread builds a landscape). The primary surface is guarded
// against the main thread's scan-out.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/surface.h"

namespace platform {

struct PixelMasks {
  uint32_t red = 0, green = 0, blue = 0;
};

class Video {
 public:
  virtual ~Video() = default;

  // Opens the display device.
  virtual bool Create() = 0;
  // Takes the screen: fullscreen on the desktop, or a window.
  virtual bool SetCooperativeLevel() = 0;
  // Sets the picture size; refresh 0 means "any". Sets no real display mode.
  virtual bool SetDisplayMode(int width, int height, int refresh) = 0;
  // Creates the primary surface with one back buffer; fails while the display is away.
  virtual bool CreatePrimary();
  // The back buffer attached to the primary, or null.
  Surface* GetBackBuffer();
  Surface* Primary() { return primaryCreated_ ? &primary_ : nullptr; }
  // Releases the primary (and with it the back buffer).
  void ReleasePrimary();
  void ReleaseBack();
  virtual bool WaitForVerticalBlank() = 0;
  // Swaps primary and back; on the game thread it returns once the new
  // picture has been shown (one pass per display refresh, 60 a second).
  virtual bool Flip() = 0;
  // The pixel layout of the surfaces: always 5-6-5 here.
  PixelMasks GetPixelFormat() const { return {0xF800, 0x07E0, 0x001F}; }
  // Gives the display back to the desktop.
  virtual void Release() = 0;
  // The 30 ms window timer of the game.
  virtual bool StartTimer(int id, int periodMs);

  // The display goes away (surfaces lost) and comes back.
  void LoseDisplay();
  void RestoreDisplay();
  bool DisplayAvailable() const { return available_; }

  // Saves what the display shows (the primary surface) as a PNG.
  bool SaveScreen(const std::string& path, std::string* error);

  int Width() const { return width_; }
  int Height() const { return height_; }

 protected:
  // Swaps the pixels of primary and back under the primary's guard; false
  // when either is lost or missing.
  bool SwapBuffers();

  std::mutex primaryGuard_;
  Surface primary_;
  Surface back_;
  bool primaryCreated_ = false;
  bool backAttached_ = false;
  int width_ = 0, height_ = 0;
  std::atomic<bool> available_{true};
  std::atomic<uint64_t> swaps_{0};
};

// The device of this run (null before the display is set up).
Video* GetVideo();
void SetVideo(Video* video);

// Creates the device for the run's mode: headless, or an SDL window.
std::unique_ptr<Video> CreateVideoForRun();

// A display with no window: pictures live only in the surfaces. Flips on the
// game thread advance the game clock instead of waiting for a refresh.
class HeadlessVideo : public Video {
 public:
  bool Create() override { return true; }
  bool SetCooperativeLevel() override { return true; }
  bool SetDisplayMode(int width, int height, int refresh) override;
  bool WaitForVerticalBlank() override { return true; }
  bool Flip() override;
  void Release() override {}
};

}  // namespace platform
