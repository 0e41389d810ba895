// The display device on an SDL window: the primary surface is uploaded to a
// 5-6-5 texture and shown once per display refresh, scaled with sharp pixels
// and the aspect ratio kept; frames are paced at 60 per second (real vsync only
// where the display runs at 60 Hz and vsync really works). A message box the
// game thread waits on is drawn over the picture.
//
// Threads: set up and scanned out on the main thread; Flip from the game thread
// waits until the main thread has shown the new picture; Flip on the main
// thread (the loading animation) only swaps, and the next scan-out shows it.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "platform/font.h"
#include "platform/message_box.h"
#include "platform/video.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

class SdlVideo : public Video {
 public:
  explicit SdlVideo(SDL_Window* window);
  ~SdlVideo() override;

  bool Create() override;
  bool SetCooperativeLevel() override;
  bool SetDisplayMode(int width, int height, int refresh) override;
  bool WaitForVerticalBlank() override { return true; }  // Flip itself waits for the display
  bool Flip() override;
  void Release() override;

  // Main thread: show the primary surface (and a message box over it), wait
  // for the next refresh, and wake a game thread waiting in Flip.
  void ScanOut(const PendingBox* box);
  bool CanDrawBoxes() const { return renderer_ != nullptr; }
  // Window coordinates to screen (game) pixels.
  void WindowToScreen(int wx, int wy, int* sx, int* sy) const;
  // Whether a window point lies on the OK button of the box last drawn.
  bool OnBoxButton(int wx, int wy) const;
  // The message loop has ended: flips no longer wait for it.
  void StopWaiting();
  // The renderer lost its textures: make them again.
  void ResetTextures();
  // Counts the changes of where the picture lies in the window (a new window
  // size, a fullscreen toggle): the pointer is read anew after each.
  int LayoutChanges() const { return layoutChanges_; }
  // Switches between fullscreen on the desktop and a window (Alt+Enter, F11);
  // the picture keeps its sharp, aspect-correct scaling either way.
  void ToggleFullscreen();

 private:
  // A window of a whole multiple of the picture's size (--scale, or the
  // largest that fits), centred on the desktop.
  void SizeWindow();
  bool MakeTexture();
  void DrawPicture(int outW, int outH);
  void DrawBox(const PendingBox& box, int outW, int outH);
  SDL_Texture* MakeBoxTexture(const PendingBox& box, int fontHeight, double ui);
  void Pace(double presentStartedMs);

  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Texture* sharp_ = nullptr;  // integer-scaled intermediate picture
  int sharpScale_ = 0;
  bool vsync_ = false;
  int fastPresents_ = 0;
  double deadline_ = 0;

  // Where the picture lies in the window's output, for mapping the mouse.
  int dstX_ = 0, dstY_ = 0, dstW_ = 1, dstH_ = 1;
  int layoutChanges_ = 0;
  double outPerWindow_ = 1.0;

  // Message box drawing.
  Font boxFont_;
  int boxFontHeight_ = 0;
  int okX_ = 0, okY_ = 0, okW_ = 0, okH_ = 0;
  SDL_Texture* boxTexture_ = nullptr;
  std::string boxKey_;
  struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
  } boxOk_;

  std::mutex shownMutex_;
  std::condition_variable shownCv_;
  uint64_t presents_ = 0;
  uint64_t presentedSwap_ = 0;
  bool stopped_ = false;
};

// The game's window (null in headless mode or before it exists).
SDL_Window* MainWindowHandle();

// Makes a window borderless over the whole desktop of its display, ready to
// be made fullscreen: it covers the screen even where no window manager
// carries out the fullscreen request.
void CoverDesktop(SDL_Window* window);

}  // namespace platform
