#ifndef REPAIR_SERVICE_SIM_SRC_JSON_H_
#define REPAIR_SERVICE_SIM_SRC_JSON_H_

#include <nlohmann/json.hpp>

namespace repair_sim {

// Member order matters: the page lists discs and images in answer order.
using Json = nlohmann::ordered_json;

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_JSON_H_
