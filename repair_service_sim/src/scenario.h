#ifndef REPAIR_SERVICE_SIM_SRC_SCENARIO_H_
#define REPAIR_SERVICE_SIM_SRC_SCENARIO_H_

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "json.h"

namespace repair_sim {

enum class OperationKind { kScan, kRestore, kFactoryReset, kRepair, kReboot };

inline constexpr std::array<OperationKind, 5> kAllOperationKinds = {
    OperationKind::kScan, OperationKind::kRestore, OperationKind::kFactoryReset,
    OperationKind::kRepair, OperationKind::kReboot};

// "scan", "restore", "factory-reset", "repair", "reboot".
std::string_view OperationName(OperationKind kind);
std::optional<OperationKind> OperationFromName(std::string_view name);

// How one kind of operation runs in simulated time.
struct OperationScript {
  int64_t duration_ms = 0;
  // Answered at once with the final code instead of 102.
  bool immediate = false;
  // "message" of the answer that accepts the request.
  std::string message;
  // Spread evenly over the duration; the first shows at once.
  std::vector<std::string> status_lines;
  std::vector<std::string> log_lines;
  int final_code = 200;
  std::string final_line;
};

struct Disc {
  std::string key;
  std::string label;
  // Image key -> description object, in file order.
  Json images;
};

enum class FaultKind {
  kRefusal,       // JSON "status" >= 400 in an HTTP 200 answer
  kHttpError,     // HTTP error status
  kNotJson,       // HTTP 200 with a body that is not JSON
  kDrop,          // connection closed before the body
  kSlow,          // the normal answer, late
  kFailureEntry,  // the polled request fails with a failure code
  kStillRunning,  // JSON "status" 102 without a result: ask again
  kOmit,          // the normal answer without one of its members
};

struct Fault {
  // Request name ("scan", "list", "status", ...) or "*" for every request.
  std::string on;
  // Only requests that concern one of these operations; empty: any.
  std::vector<OperationKind> operations;
  // Occurrences selected among the requests that match, 1-based, inclusive.
  int64_t first = 1;
  int64_t last = std::numeric_limits<int64_t>::max();
  FaultKind kind = FaultKind::kSlow;
  int64_t delay_ms = 0;
  // Refusal JSON status, HTTP error status or failure-entry code.
  int code = 0;
  // Refusal message, HTTP error message, non-JSON body, failure line or
  // still-running message or omitted member.
  std::string text;
};

struct Scenario {
  std::string name;
  std::string description;
  std::vector<Disc> discs;
  std::array<OperationScript, kAllOperationKinds.size()> operations;
  std::vector<Fault> faults;

  const OperationScript& script(OperationKind kind) const {
    return operations[static_cast<size_t>(kind)];
  }
  OperationScript& script(OperationKind kind) {
    return operations[static_cast<size_t>(kind)];
  }
  const Disc* FindDisc(std::string_view key) const;
};

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_SCENARIO_H_
