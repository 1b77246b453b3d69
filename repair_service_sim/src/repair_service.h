#ifndef REPAIR_SERVICE_SIM_SRC_REPAIR_SERVICE_H_
#define REPAIR_SERVICE_SIM_SRC_REPAIR_SERVICE_H_

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "fault_plan.h"
#include "operation.h"
#include "query.h"
#include "reply.h"
#include "scenario.h"
#include "service_requests.h"
#include "sim_clock.h"
#include "uuid.h"

namespace repair_sim {

// The requests under the service prefix, answered from a scenario in
// simulated time, with the scenario's faults. Thread-safe.
class RepairService {
 public:
  RepairService(Scenario scenario, const SimClock* clock);

  Reply Handle(const SimRequest& request);
  // Replaces the scenario and forgets every request.
  void Load(Scenario scenario);
  // Forgets every request and restarts the fault counts.
  void Reset();
  Scenario scenario() const;

 private:
  Reply Serve(const ServiceRequest& request,
              const Query& query,
              const Fault* failure_entry);
  Reply Status(const Query& query, const Fault* failure_entry);
  Reply List(const Query& query);
  Reply StartAction(OperationKind kind, const Query& query);
  Reply Clear(const Query& query);
  Reply Start(OperationKind kind, OperationScript script);
  // A refusal when `uuid` names no scan that finished with 200.
  std::optional<Reply> CheckScan(const std::string& uuid);
  Operation* Find(const std::string& uuid);
  std::optional<OperationKind> Concerns(const ServiceRequest& request,
                                        const Query* query);

  const SimClock* const clock_;
  mutable std::mutex mutex_;
  Scenario scenario_;
  FaultPlan faults_;
  std::unordered_map<std::string, Operation> operations_;
  UuidGenerator uuids_;
};

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_REPAIR_SERVICE_H_
