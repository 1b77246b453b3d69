#ifndef REPAIR_SERVICE_SIM_SRC_SIM_CLOCK_H_
#define REPAIR_SERVICE_SIM_SRC_SIM_CLOCK_H_

#include <chrono>
#include <cstdint>

namespace repair_sim {

// Simulated time, in milliseconds from an arbitrary origin.
class SimClock {
 public:
  virtual ~SimClock() = default;
  virtual int64_t NowMs() const = 0;
  // Real time that `sim_ms` of simulated time takes.
  virtual std::chrono::microseconds ToReal(int64_t sim_ms) const = 0;
};

// Runs `scale` times faster than the steady clock.
class ScaledClock : public SimClock {
 public:
  explicit ScaledClock(double scale);

  int64_t NowMs() const override;
  std::chrono::microseconds ToReal(int64_t sim_ms) const override;

 private:
  const double scale_;
  const std::chrono::steady_clock::time_point origin_;
};

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_SIM_CLOCK_H_
