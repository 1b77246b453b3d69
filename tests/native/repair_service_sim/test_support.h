#ifndef TESTS_NATIVE_REPAIR_SERVICE_SIM_TEST_SUPPORT_H_
#define TESTS_NATIVE_REPAIR_SERVICE_SIM_TEST_SUPPORT_H_

#include <string>

#include "json.h"
#include "repair_service.h"
#include "reply.h"
#include "scenario_library.h"
#include "scenario_parser.h"
#include "sim_clock.h"

namespace repair_sim {

// Simulated time that moves only when told to.
class ManualClock : public SimClock {
 public:
  int64_t NowMs() const override { return now_ms_; }
  std::chrono::microseconds ToReal(int64_t sim_ms) const override {
    return std::chrono::microseconds(sim_ms * 1000);
  }
  void Advance(int64_t ms) { now_ms_ += ms; }

 private:
  int64_t now_ms_ = 0;
};

inline SimRequest Get(const std::string& target) {
  size_t mark = target.find('?');
  return {"GET", target.substr(0, mark),
          mark == std::string::npos ? "" : target.substr(mark + 1), ""};
}

inline Json BodyOf(const Reply& reply) {
  return Json::parse(reply.body);
}

// The default scenario with `overrides` (scenario JSON text) on top.
inline Scenario ScenarioWith(const std::string& overrides) {
  std::string error;
  std::optional<Scenario> scenario = ParseOverDefault(overrides, &error);
  if (!scenario)
    throw std::runtime_error(error);
  return *scenario;
}

inline const std::string kService = "/lumenos-repair/";

}  // namespace repair_sim

#endif  // TESTS_NATIVE_REPAIR_SERVICE_SIM_TEST_SUPPORT_H_
