// FrameValue<T>: an input value as the two threads see it. The handlers write
// the live value (the Relaxed<T> base: the button latches and the key queue
// take it by pointer); the game thread reads the frame's copy, taken once at
// the start of each frame, so that everything it reads within one frame comes
// from the same moment. When the game uses a value up (sets it to 0), the
// frame's copy and the live value change alike, so a used click or key is
// never seen twice.
//
// Threads: Live() and the base on the handlers' thread; the rest on the game
// thread.
#pragma once

#include "state/relaxed.h"

template <typename T>
class FrameValue : public Relaxed<T> {
 public:
  constexpr FrameValue(T v = T()) : Relaxed<T>(v), frame_(v) {}

  // The frame's copy.
  operator T() const { return frame_.load(); }
  T load() const { return frame_.load(); }
  // Using up (or setting) the value: the frame's copy and the live value.
  FrameValue& operator=(T v) {
    frame_.store(v);
    Relaxed<T>::store(v);
    return *this;
  }

  Relaxed<T>& Live() { return *this; }
  // The start of a frame: the live value becomes the frame's.
  void Take() { frame_.store(Relaxed<T>::load()); }
  // A frame's value from elsewhere (a replay); the live value stays.
  void SetFrame(T v) { frame_.store(v); }

 private:
  Relaxed<T> frame_;
};
