#include "state/button_latch.h"

ButtonLatch& ButtonLatch::operator=(const ButtonLatch& o) {
  state_ = o.state_.load();
  seen_ = o.seen_.load();
  framePress_ = o.framePress_;
  frameDown_ = o.frameDown_;
  return *this;
}

void ButtonLatch::Press(Relaxed<uint8_t>* button) {
  // A new press drops a release still held back for the previous one.
  uint32_t s = state_.load();
  while (!state_.compare_exchange_weak(s, ((s >> 1) + 1) << 1)) {
  }
  std::atomic_thread_fence(std::memory_order_seq_cst);  // pairs with the fence in OnFrame
  *button = 1;
}

void ButtonLatch::Release(Relaxed<uint8_t>* button) {
  const uint32_t s = state_.load();
  if (seen_.load() == (s >> 1)) {
    *button = 0;
    return;
  }
  state_.fetch_or(1);
}

void ButtonLatch::OnFrame(Relaxed<uint8_t>* button) {
  uint32_t s = state_.load();
  const uint32_t press = s >> 1;
  if (frameDown_ && framePress_ == press) seen_.store(press);
  if ((s & 1) && seen_.load() == press && state_.compare_exchange_strong(s, s & ~1u)) {
    *button = 0;
    // A press that came in meanwhile may have been overwritten: it stays down.
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if ((state_.load() >> 1) != press) *button = 1;
  }
  framePress_ = press;
  frameDown_ = *button == 1;
}

void ButtonLatch::Forget(Relaxed<uint8_t>* button) {
  uint32_t s = state_.load();
  while (!state_.compare_exchange_weak(s, s & ~1u)) {
  }
  const uint32_t press = s >> 1;
  seen_.store(press);
  framePress_ = press;
  frameDown_ = false;
  *button = 0;
  // A press that came in meanwhile is a new one: it stays down.
  std::atomic_thread_fence(std::memory_order_seq_cst);
  if ((state_.load() >> 1) != press) *button = 1;
}
