#ifndef REPAIR_SERVICE_SIM_SRC_SERVICE_REQUESTS_H_
#define REPAIR_SERVICE_SIM_SRC_SERVICE_REQUESTS_H_

#include <array>
#include <string_view>

namespace repair_sim {

inline constexpr std::string_view kServicePrefix = "/lumenos-repair";

// The requests of the service, by the last component of their path.
inline constexpr std::array<std::string_view, 8> kRequestNames = {
    "scan",   "list",          "status", "restore",
    "repair", "factory-reset", "reboot", "clear"};

inline bool IsRequestName(std::string_view name) {
  for (std::string_view known : kRequestNames) {
    if (known == name)
      return true;
  }
  return false;
}

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_SERVICE_REQUESTS_H_
