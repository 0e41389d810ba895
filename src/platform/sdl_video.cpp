#include "platform/sdl_video.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/game_clock.h"
#include "platform/main_loop.h"
#include "platform/runtime.h"

namespace platform {

namespace {
constexpr double kFrameMs = 1000.0 / 60.0;
}

SdlVideo::SdlVideo(SDL_Window* window) : window_(window) {}

SdlVideo::~SdlVideo() { Release(); }

bool SdlVideo::Create() {
  if (!window_) return false;
  // Real vsync only on a display that runs at 60 Hz; otherwise our own pacing.
  SDL_DisplayMode mode{};
  int display = SDL_GetWindowDisplayIndex(window_);
  bool sixty = SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 && mode.refresh_rate == 60;
  Uint32 flags = SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE | (sixty ? SDL_RENDERER_PRESENTVSYNC : 0);
  renderer_ = SDL_CreateRenderer(window_, -1, flags);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  if (!renderer_) return false;
  SDL_RendererInfo info{};
  vsync_ = sixty && SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC);
  return true;
}

bool SdlVideo::SetCooperativeLevel() {
  if (!window_) return false;
  if (GetOptions().windowed) return true;
  return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

bool SdlVideo::SetDisplayMode(int width, int height, int) {
  if (!renderer_ || width <= 0 || height <= 0) return false;
  width_ = width;
  height_ = height;
  if (!MakeTexture()) return false;
  if (GetOptions().windowed) SizeWindow();
  return true;
}

void SdlVideo::SizeWindow() {
  int scale = GetOptions().scale;
  if (scale <= 0) {
    // The largest whole scale that leaves room on the desktop.
    SDL_Rect usable{0, 0, width_, height_};
    int display = SDL_GetWindowDisplayIndex(window_);
    SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable);
    scale = std::max(1, std::min((usable.w * 9 / 10) / width_, (usable.h * 9 / 10) / height_));
  }
  SDL_SetWindowSize(window_, width_ * scale, height_ * scale);
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void SdlVideo::ToggleFullscreen() {
  if (!window_ || width_ <= 0 || height_ <= 0) return;
  if (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) {
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowResizable(window_, SDL_TRUE);
    SizeWindow();
  } else {
    CoverDesktop(window_);
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
}

void CoverDesktop(SDL_Window* window) {
  SDL_Rect bounds{0, 0, 640, 480};
  const int display = SDL_GetWindowDisplayIndex(window);
  SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds);
  SDL_SetWindowBordered(window, SDL_FALSE);
  SDL_SetWindowResizable(window, SDL_FALSE);
  SDL_SetWindowPosition(window, bounds.x, bounds.y);
  SDL_SetWindowSize(window, bounds.w, bounds.h);
}

bool SdlVideo::MakeTexture() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (sharp_) SDL_DestroyTexture(sharp_);
  sharp_ = nullptr;
  sharpScale_ = 0;
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, width_, height_);
  if (!texture_) return false;
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  return true;
}

void SdlVideo::ResetTextures() {
  if (renderer_ && width_ > 0) MakeTexture();
}

bool SdlVideo::Flip() {
  const uint64_t presentsBefore = [&] {
    std::lock_guard<std::mutex> lock(shownMutex_);
    return presents_;
  }();
  const bool ok = SwapBuffers();
  if (!OnGameThread()) return ok;  // the main thread's next scan-out shows it
  const uint64_t mySwap = swaps_.load(std::memory_order_relaxed);
  {
    std::unique_lock<std::mutex> lock(shownMutex_);
    while (!stopped_ && !QuitRequested() && (presents_ <= presentsBefore || presentedSwap_ < mySwap))
      shownCv_.wait_for(lock, std::chrono::milliseconds(50));
  }
  CountGameFrame();
  AdvanceGameClock(kClockUnitsPerFlip);
  return ok;
}

void SdlVideo::StopWaiting() {
  std::lock_guard<std::mutex> lock(shownMutex_);
  stopped_ = true;
  shownCv_.notify_all();
}

void SdlVideo::Release() {
  auto release = [this] {
    if (boxTexture_) SDL_DestroyTexture(boxTexture_);
    boxTexture_ = nullptr;
    boxKey_.clear();
    if (sharp_) SDL_DestroyTexture(sharp_);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    sharp_ = texture_ = nullptr;
    renderer_ = nullptr;
    if (window_) SDL_SetWindowFullscreen(window_, 0);
  };
  if (OnMainThread()) {
    release();
  } else {
    RunOnMainThread(release);
  }
  StopWaiting();
}

void SdlVideo::WindowToScreen(int wx, int wy, int* sx, int* sy) const {
  const double px = wx * outPerWindow_, py = wy * outPerWindow_;
  *sx = static_cast<int>(std::floor((px - dstX_) * width_ / dstW_));
  *sy = static_cast<int>(std::floor((py - dstY_) * height_ / dstH_));
}

bool SdlVideo::OnBoxButton(int wx, int wy) const {
  const int px = static_cast<int>(wx * outPerWindow_), py = static_cast<int>(wy * outPerWindow_);
  return okW_ > 0 && px >= okX_ && px < okX_ + okW_ && py >= okY_ && py < okY_ + okH_;
}

void SdlVideo::DrawPicture(int outW, int outH) {
  const double s = std::min(static_cast<double>(outW) / width_, static_cast<double>(outH) / height_);
  const int before[4] = {dstX_, dstY_, dstW_, dstH_};
  dstW_ = std::max(1, static_cast<int>(std::lround(width_ * s)));
  dstH_ = std::max(1, static_cast<int>(std::lround(height_ * s)));
  dstX_ = (outW - dstW_) / 2;
  dstY_ = (outH - dstH_) / 2;
  if (before[0] != dstX_ || before[1] != dstY_ || before[2] != dstW_ || before[3] != dstH_) ++layoutChanges_;
  SDL_Rect dst{dstX_, dstY_, dstW_, dstH_};
  const int whole = static_cast<int>(std::floor(s));
  if (s < 1.0 || (dstW_ == width_ * whole && dstH_ == height_ * whole)) {
    SDL_SetTextureScaleMode(texture_, s < 1.0 ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    return;
  }
  // Sharp scaling: enlarge by whole pixels past the final size, then shrink
  // smoothly, so every game pixel has the same size and edges stay crisp.
  const int k = static_cast<int>(std::ceil(s));
  if (sharpScale_ != k) {
    if (sharp_) SDL_DestroyTexture(sharp_);
    sharp_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET, width_ * k, height_ * k);
    sharpScale_ = sharp_ ? k : 0;
    if (sharp_) SDL_SetTextureScaleMode(sharp_, SDL_ScaleModeLinear);
  }
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  if (sharp_ && SDL_SetRenderTarget(renderer_, sharp_) == 0) {
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_SetRenderTarget(renderer_, nullptr);
    SDL_RenderCopy(renderer_, sharp_, nullptr, &dst);
  } else {
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
  }
}

void SdlVideo::ScanOut(const PendingBox* box) {
  const double started = NowMs();
  if (!renderer_ || !texture_) {
    Pace(started);
    std::lock_guard<std::mutex> lock(shownMutex_);
    ++presents_;
    presentedSwap_ = swaps_;
    shownCv_.notify_all();
    return;
  }
  uint64_t uploaded = 0;
  bool picture = false;
  {
    std::lock_guard<std::mutex> lock(primaryGuard_);
    uploaded = swaps_.load(std::memory_order_relaxed);
    if (primaryCreated_ && !primary_.IsLost() && primary_.Width() == width_) {
      SDL_UpdateTexture(texture_, nullptr, primary_.Data(), primary_.Pitch());
      picture = true;
    }
  }
  int outW = 0, outH = 0, winW = 1, winH = 1;
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  SDL_GetWindowSize(window_, &winW, &winH);
  outPerWindow_ = winW > 0 ? static_cast<double>(outW) / winW : 1.0;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (picture) DrawPicture(outW, outH);
  okW_ = 0;
  if (box) DrawBox(*box, outW, outH);
  SDL_RenderPresent(renderer_);
  Pace(started);
  std::lock_guard<std::mutex> lock(shownMutex_);
  ++presents_;
  presentedSwap_ = uploaded;
  shownCv_.notify_all();
}

void SdlVideo::Pace(double started) {
  const double now = NowMs();
  if (vsync_) {
    // A present that returns at once means vsync is not really working
    // (a minimised window, a compositor that ignores it): pace ourselves.
    fastPresents_ = (now - started < 4.0) ? fastPresents_ + 1 : 0;
    if (fastPresents_ < 10) return;
    vsync_ = false;
    deadline_ = now;
  }
  if (deadline_ == 0 || now - deadline_ > 100.0) deadline_ = now;  // first frame, or far behind
  deadline_ += kFrameMs;
  double wait = deadline_ - NowMs();
  if (wait > 2.0) std::this_thread::sleep_for(std::chrono::microseconds(static_cast<int64_t>((wait - 1.5) * 1000)));
  while (NowMs() < deadline_) std::this_thread::yield();
}

void SdlVideo::DrawBox(const PendingBox& box, int outW, int outH) {
  const double ui = std::max(1.0, std::min(outW / 800.0, outH / 600.0));
  const int fontHeight = static_cast<int>(18 * ui);
  const std::string key = box.title + '\n' + box.text + '\n' + std::to_string(fontHeight);
  if (!boxTexture_ || boxKey_ != key) {
    if (boxTexture_) SDL_DestroyTexture(boxTexture_);
    boxTexture_ = MakeBoxTexture(box, fontHeight, ui);
    boxKey_ = key;
  }
  if (!boxTexture_) return;
  int w = 0, h = 0;
  SDL_QueryTexture(boxTexture_, nullptr, nullptr, &w, &h);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 120);
  SDL_Rect all{0, 0, outW, outH};
  SDL_RenderFillRect(renderer_, &all);
  SDL_Rect dst{(outW - w) / 2, (outH - h) / 2, w, h};
  SDL_RenderCopy(renderer_, boxTexture_, nullptr, &dst);
  okX_ = dst.x + boxOk_.x;
  okY_ = dst.y + boxOk_.y;
  okW_ = boxOk_.w;
  okH_ = boxOk_.h;
}

SDL_Texture* SdlVideo::MakeBoxTexture(const PendingBox& box, int fontHeight, double ui) {
  if (boxFontHeight_ != fontHeight) {
    std::string error;
    std::string path = FindFontFile("LiberationSans-Regular.ttf");
    if (path.empty()) path = FindFontFile("DejaVuSans.ttf");
    if (path.empty() || !boxFont_.Open(path, fontHeight, &error)) return nullptr;
    boxFontHeight_ = fontHeight;
  }
  std::vector<std::string> lines;
  std::istringstream in(box.text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  if (lines.empty()) lines.emplace_back();
  const std::string title = box.title.empty() ? AppName() : box.title;

  const int pad = static_cast<int>(16 * ui), lineH = boxFont_.CellHeight() + static_cast<int>(4 * ui);
  int textW = boxFont_.TextWidth(title);
  for (const auto& l : lines) textW = std::max(textW, boxFont_.TextWidth(l));
  const int titleH = lineH + pad / 2, border = std::max(1, static_cast<int>(2 * ui));
  const int buttonW = static_cast<int>(90 * ui), buttonH = lineH + pad / 2;
  const int w = std::max(textW + 2 * pad, static_cast<int>(320 * ui)) + 2 * border;
  const int h = titleH + pad + static_cast<int>(lines.size()) * lineH + pad + buttonH + pad + 2 * border;

  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return nullptr;
  auto px = [&](int x, int y) -> uint32_t& {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x];
  };
  auto fill = [&](int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
      for (int x = std::max(0, x0); x < std::min(w, x1); ++x) px(x, y) = c;
  };
  auto text = [&](const std::string& t, int x, int y, uint32_t rgb) {
    for (size_t i = 0; i < t.size();) {
      const Font::Glyph& g = boxFont_.GetGlyph(NextUtf8(t, &i));
      for (int gy = 0; gy < g.height; ++gy)
        for (int gx = 0; gx < g.width; ++gx) {
          const int a = g.coverage[static_cast<size_t>(gy) * g.width + gx];
          const int X = x + gx, Y = y + gy;
          if (!a || X < 0 || Y < 0 || X >= w || Y >= h) continue;
          uint32_t& d = px(X, Y);
          uint32_t out = 0xFF000000;
          for (int shift = 0; shift <= 16; shift += 8) {
            const int dc = (d >> shift) & 255, sc = (rgb >> shift) & 255;
            out |= static_cast<uint32_t>((sc * a + dc * (255 - a)) / 255) << shift;
          }
          d = out;
        }
      x += g.advance;
    }
  };
  fill(0, 0, w, h, 0xFF141820);
  fill(border, border, w - border, h - border, 0xFFECE8DE);
  fill(border, border, w - border, border + titleH, 0xFF3A4A70);
  text(title, border + pad, border + pad / 4, 0xFFFFFF);
  int ty = border + titleH + pad;
  for (const auto& l : lines) {
    text(l, border + pad, ty, 0x141418);
    ty += lineH;
  }
  boxOk_ = {(w - buttonW) / 2, h - border - pad - buttonH, buttonW, buttonH};
  fill(boxOk_.x, boxOk_.y, boxOk_.x + buttonW, boxOk_.y + buttonH, 0xFF3A4A70);
  text("OK", boxOk_.x + (buttonW - boxFont_.TextWidth("OK")) / 2, boxOk_.y + pad / 4, 0xFFFFFF);
  SDL_Texture* t = SDL_CreateTextureFromSurface(renderer_, s);
  SDL_FreeSurface(s);
  return t;
}

}  // namespace platform
