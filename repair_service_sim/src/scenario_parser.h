#ifndef REPAIR_SERVICE_SIM_SRC_SCENARIO_PARSER_H_
#define REPAIR_SERVICE_SIM_SRC_SCENARIO_PARSER_H_

#include <optional>
#include <string>
#include <string_view>

#include "scenario.h"

namespace repair_sim {

// Parses and validates a scenario file's text. Members that the text leaves
// out ("discs", "faults", any operation or any field of one) come from
// `base`; without a base all of them are required. On failure returns
// nullopt and sets `error` to a message that names the bad field, such as
// "scenario.discs[1].images: must be a non-empty object".
std::optional<Scenario> ParseScenario(std::string_view text,
                                      const Scenario* base,
                                      std::string* error);

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_SCENARIO_PARSER_H_
