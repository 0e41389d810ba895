#include "platform/video.h"

#include <thread>

#include "platform/clock.h"
#include "platform/game_clock.h"
#include "platform/png.h"
#include "platform/runtime.h"

namespace platform {

namespace {
std::atomic<Video*> g_video{nullptr};
}

Video* GetVideo() { return g_video; }
void SetVideo(Video* video) { g_video = video; }

bool Video::CreatePrimary() {
  if (!available_ || width_ <= 0 || height_ <= 0) return false;
  std::lock_guard<std::mutex> lock(primaryGuard_);
  if (!primary_.Allocate(width_, height_) || !back_.Allocate(width_, height_)) return false;
  primary_.SetGuard(&primaryGuard_);
  primary_.SetLost(false);
  back_.SetLost(false);
  primaryCreated_ = true;
  backAttached_ = true;
  return true;
}

Surface* Video::GetBackBuffer() { return primaryCreated_ && backAttached_ ? &back_ : nullptr; }

void Video::ReleasePrimary() {
  std::lock_guard<std::mutex> lock(primaryGuard_);
  primaryCreated_ = false;
  primary_.SetLost(true);
}

void Video::ReleaseBack() {
  backAttached_ = false;
  back_.SetLost(true);
}

bool Video::StartTimer(int id, int periodMs) {
  StartWindowTimer(id, periodMs);
  return true;
}

void Video::LoseDisplay() {
  available_ = false;
  primary_.SetLost(true);
  back_.SetLost(true);
}

void Video::RestoreDisplay() { available_ = true; }

bool Video::SwapBuffers() {
  std::lock_guard<std::mutex> lock(primaryGuard_);
  if (!primaryCreated_ || !backAttached_ || primary_.IsLost() || back_.IsLost()) return false;
  primary_.SwapPixels(back_);
  swaps_.fetch_add(1, std::memory_order_relaxed);
  return true;
}

bool Video::SaveScreen(const std::string& path, std::string* error) {
  std::lock_guard<std::mutex> lock(primaryGuard_);
  if (!primaryCreated_ || primary_.Empty()) {
    *error = "the display has no picture";
    return false;
  }
  return SavePng565(path, primary_.Data(), primary_.Width(), primary_.Height(), error);
}

bool HeadlessVideo::SetDisplayMode(int width, int height, int) {
  width_ = width;
  height_ = height;
  return true;
}

bool HeadlessVideo::Flip() {
  bool ok = SwapBuffers();
  if (OnGameThread()) {
    CountGameFrame();
    AdvanceGameClock(kClockUnitsPerFlip);
    // With no script left to wait for, keep real time instead of spinning.
    if (GameClockRealTime()) std::this_thread::sleep_for(std::chrono::microseconds(16667));
  }
  return ok;
}

}  // namespace platform
