// A mouse button as the two threads share it. The handlers press and release
// it; the game thread reads it, sets it to 0 to use up a click, and steps the
// latch once a frame. A release that comes before the game thread has had the
// button down for a whole frame is held back until it has: a press and a
// release between two frames (a quick click, a touchpad's tap) is then still
// seen once. Longer presses are released at once, as ever, and a click the
// game used up stays used up: the latch only ever delays a release.
//
// Threads: Press and Release on the handlers' thread (the main thread, or the
// game thread for scripted input); OnFrame on the game thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "state/relaxed.h"

class ButtonLatch {
 public:
  ButtonLatch() = default;
  // Copies start from the same state (for the shared state's Reset).
  ButtonLatch(const ButtonLatch& o) { *this = o; }
  ButtonLatch& operator=(const ButtonLatch& o);

  void Press(Relaxed<uint8_t>* button);
  void Release(Relaxed<uint8_t>* button);
  // The game thread has presented a frame and is about to run the next one.
  void OnFrame(Relaxed<uint8_t>* button);
  // The game thread opens a screen that only a new press may close: the
  // button is cleared, a release held back is dropped, and the press so far
  // counts as seen (game thread).
  void Forget(Relaxed<uint8_t>* button);

 private:
  // Presses so far times two, plus one while the release of the latest press is held back.
  std::atomic<uint32_t> state_{0};
  // The latest press the game thread has had down for a whole frame.
  std::atomic<uint32_t> seen_{0};
  // Game thread only: the latest press and the button as the running frame began.
  uint32_t framePress_ = 0;
  bool frameDown_ = false;
};
