#ifndef CEF_INCLUDE_BASE_CEF_ATOMIC_REF_COUNT_H_
#define CEF_INCLUDE_BASE_CEF_ATOMIC_REF_COUNT_H_

#include <atomic>

namespace base {

class AtomicRefCount {
 public:
  constexpr AtomicRefCount() : ref_count_(0) {}
  explicit constexpr AtomicRefCount(int initial_value)
      : ref_count_(initial_value) {}

  // Returns the previous value.
  int Increment() { return ref_count_.fetch_add(1, std::memory_order_relaxed); }

  // Returns false once the count has dropped to zero.
  bool Decrement() {
    return ref_count_.fetch_sub(1, std::memory_order_acq_rel) != 1;
  }

  bool IsOne() const { return ref_count_.load(std::memory_order_acquire) == 1; }
  bool IsZero() const {
    return ref_count_.load(std::memory_order_acquire) == 0;
  }

 private:
  std::atomic_int ref_count_;
};

}  // namespace base

#endif  // CEF_INCLUDE_BASE_CEF_ATOMIC_REF_COUNT_H_
