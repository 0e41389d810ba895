#include "state/key_queue.h"

KeyQueue& KeyQueue::operator=(const KeyQueue& o) {
  for (uint32_t i = 0; i < kCapacity; ++i) keys_[i] = o.keys_[i].load();
  head_ = o.head_.load();
  tail_ = o.tail_.load();
  frameKey_ = o.frameKey_;
  return *this;
}

void KeyQueue::Press(int32_t key, Relaxed<int32_t>* lastKey) {
  const uint32_t tail = tail_.load();
  // Nothing waits: the key goes straight to last key (also where the game
  // waits for a key without presenting frames).
  if (head_.load() == tail && *lastKey == 0) {
    *lastKey = key;
    return;
  }
  if (tail - head_.load() >= kCapacity) return;
  keys_[tail % kCapacity] = key;
  tail_.store(tail + 1);
}

void KeyQueue::OnFrame(Relaxed<int32_t>* lastKey) {
  const uint32_t head = head_.load();
  const int32_t now = *lastKey;
  // The earlier key was used up, or stood a whole frame unused: the next one.
  if (head != tail_.load() && (now == 0 || now == frameKey_)) {
    *lastKey = keys_[head % kCapacity].load();
    head_.store(head + 1);
  }
  frameKey_ = *lastKey;
}

void KeyQueue::Drop() { head_.store(tail_.load()); }
