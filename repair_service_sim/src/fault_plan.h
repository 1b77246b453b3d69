#ifndef REPAIR_SERVICE_SIM_SRC_FAULT_PLAN_H_
#define REPAIR_SERVICE_SIM_SRC_FAULT_PLAN_H_

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "scenario.h"

namespace repair_sim {

// Picks the fault a request shows. Each fault counts the requests it
// selects by name and operation; the first fault, in scenario order, whose
// count falls in its occurrence range applies. Not thread-safe.
class FaultPlan {
 public:
  explicit FaultPlan(std::vector<Fault> faults);

  // `operation`: the operation the request concerns, if it names one.
  const Fault* Select(std::string_view request_name,
                      std::optional<OperationKind> operation);
  void ResetCounts();

 private:
  std::vector<Fault> faults_;
  std::vector<int64_t> counts_;
};

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_FAULT_PLAN_H_
