#include "sim_clock.h"

namespace repair_sim {

ScaledClock::ScaledClock(double scale)
    : scale_(scale), origin_(std::chrono::steady_clock::now()) {}

int64_t ScaledClock::NowMs() const {
  std::chrono::duration<double, std::milli> real =
      std::chrono::steady_clock::now() - origin_;
  return static_cast<int64_t>(real.count() * scale_);
}

std::chrono::microseconds ScaledClock::ToReal(int64_t sim_ms) const {
  return std::chrono::microseconds(
      static_cast<int64_t>(static_cast<double>(sim_ms) * 1000.0 / scale_));
}

}  // namespace repair_sim
