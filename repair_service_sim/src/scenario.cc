#include "scenario.h"

#include "service_requests.h"

namespace repair_sim {

// An operation is named after the request that starts it.
std::string_view OperationName(OperationKind kind) {
  for (const ServiceRequest& request : kServiceRequests) {
    if (request.role == RequestRole::kStart && request.operation == kind)
      return request.name;
  }
  return {};
}

std::optional<OperationKind> OperationFromName(std::string_view name) {
  const ServiceRequest* request = FindRequest(name);
  if (!request || request->role != RequestRole::kStart)
    return std::nullopt;
  return request->operation;
}

const Disc* Scenario::FindDisc(std::string_view key) const {
  for (const Disc& disc : discs) {
    if (disc.key == key)
      return &disc;
  }
  return nullptr;
}

}  // namespace repair_sim
