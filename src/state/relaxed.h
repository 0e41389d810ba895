// Relaxed<T>: a value shared by the main thread and the game thread, read and
// written with relaxed atomic loads and stores (no locks, no ordering, but no
// data race either). It converts to and from T, so shared fields read like
// plain values. The compound assignments are a load and a store: they are for
// a value's single writer thread, as every shared value of the game has.
//
// Threads: any.
#pragma once

#include <atomic>

template <typename T>
class Relaxed {
 public:
  constexpr Relaxed(T v = T()) : v_(v) {}
  Relaxed(const Relaxed& o) : v_(o.load()) {}
  Relaxed& operator=(const Relaxed& o) {
    store(o.load());
    return *this;
  }
  Relaxed& operator=(T v) {
    store(v);
    return *this;
  }
  operator T() const { return load(); }
  T load() const { return v_.load(std::memory_order_relaxed); }
  void store(T v) { v_.store(v, std::memory_order_relaxed); }
  T exchange(T v) { return v_.exchange(v, std::memory_order_relaxed); }
  bool compare_exchange_weak(T& expected, T desired) {
    return v_.compare_exchange_weak(expected, desired, std::memory_order_relaxed);
  }

  Relaxed& operator+=(T d) {
    store(static_cast<T>(load() + d));
    return *this;
  }
  Relaxed& operator-=(T d) {
    store(static_cast<T>(load() - d));
    return *this;
  }
  Relaxed& operator++() { return *this += T(1); }
  Relaxed& operator--() { return *this -= T(1); }
  T operator++(int) {
    T old = load();
    store(static_cast<T>(old + 1));
    return old;
  }
  T operator--(int) {
    T old = load();
    store(static_cast<T>(old - 1));
    return old;
  }

 private:
  std::atomic<T> v_;
};
