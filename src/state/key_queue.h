// Key presses as the two threads share them. The key-down handler hands each
// press over; the game thread reads last key and sets it to 0 once it has
// acted on it. A key that comes while an earlier one is still waiting in last
// key is queued instead of replacing it, and handed over at the next frame:
// when the game has used up the earlier key, or has had it for a whole frame
// without using it (then, as ever, the new key replaces it). Typing faster
// than the frames come thus loses no letter, and a key nobody wants still
// gives way to the next.
//
// Threads: Press on the handlers' thread (the main thread, or the game thread
// for scripted input); OnFrame on the game thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "state/relaxed.h"

class KeyQueue {
 public:
  static constexpr uint32_t kCapacity = 32;  // presses within one frame; more are dropped

  KeyQueue() = default;
  // Copies start from the same state (for the shared state's Reset).
  KeyQueue(const KeyQueue& o) { *this = o; }
  KeyQueue& operator=(const KeyQueue& o);

  void Press(int32_t key, Relaxed<int32_t>* lastKey);
  // The game thread has presented a frame and is about to run the next one.
  void OnFrame(Relaxed<int32_t>* lastKey);
  // The game thread drops every key still waiting.
  void Drop();

 private:
  std::atomic<int32_t> keys_[kCapacity] = {};
  std::atomic<uint32_t> head_{0};  // next to hand over (game thread)
  std::atomic<uint32_t> tail_{0};  // next free place (handlers' thread)
  // Game thread only: last key as the running frame began.
  int32_t frameKey_ = 0;
};
