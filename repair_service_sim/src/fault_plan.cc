#include "fault_plan.h"

#include <algorithm>
#include <utility>

namespace repair_sim {

namespace {

bool Selects(const Fault& fault,
             std::string_view request_name,
             std::optional<OperationKind> operation) {
  if (fault.on != "*" && fault.on != request_name)
    return false;
  if (fault.operations.empty())
    return true;
  return operation &&
         std::find(fault.operations.begin(), fault.operations.end(),
                   *operation) != fault.operations.end();
}

}  // namespace

FaultPlan::FaultPlan(std::vector<Fault> faults)
    : faults_(std::move(faults)), counts_(faults_.size(), 0) {}

const Fault* FaultPlan::Select(std::string_view request_name,
                               std::optional<OperationKind> operation) {
  const Fault* chosen = nullptr;
  for (size_t i = 0; i < faults_.size(); ++i) {
    const Fault& fault = faults_[i];
    if (!Selects(fault, request_name, operation))
      continue;
    int64_t occurrence = ++counts_[i];
    if (!chosen && occurrence >= fault.first && occurrence <= fault.last)
      chosen = &fault;
  }
  return chosen;
}

void FaultPlan::ResetCounts() {
  std::fill(counts_.begin(), counts_.end(), 0);
}

}  // namespace repair_sim
