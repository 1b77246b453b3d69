#ifndef REPAIR_SERVICE_SIM_SRC_SERVICE_REQUESTS_H_
#define REPAIR_SERVICE_SIM_SRC_SERVICE_REQUESTS_H_

#include <array>
#include <optional>
#include <string_view>

#include "scenario.h"

namespace repair_sim {

inline constexpr std::string_view kServicePrefix = "/lumenos-repair";

enum class RequestRole { kStart, kList, kStatus, kClear };

// A request of the service, by the last component of its path.
struct ServiceRequest {
  std::string_view name;
  RequestRole role;
  // The operation it starts, or the one it reads; none for the requests
  // that name theirs by uuid.
  std::optional<OperationKind> operation;
};

inline constexpr std::array<ServiceRequest, 8> kServiceRequests = {{
    {"scan", RequestRole::kStart, OperationKind::kScan},
    {"list", RequestRole::kList, OperationKind::kScan},
    {"status", RequestRole::kStatus, std::nullopt},
    {"restore", RequestRole::kStart, OperationKind::kRestore},
    {"repair", RequestRole::kStart, OperationKind::kRepair},
    {"factory-reset", RequestRole::kStart, OperationKind::kFactoryReset},
    {"reboot", RequestRole::kStart, OperationKind::kReboot},
    {"clear", RequestRole::kClear, std::nullopt},
}};

// Null for a name the service does not know.
inline const ServiceRequest* FindRequest(std::string_view name) {
  for (const ServiceRequest& request : kServiceRequests) {
    if (request.name == name)
      return &request;
  }
  return nullptr;
}

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_SERVICE_REQUESTS_H_
