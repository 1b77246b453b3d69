#ifndef REPAIR_SERVICE_SIM_SRC_SCENARIO_LIBRARY_H_
#define REPAIR_SERVICE_SIM_SRC_SCENARIO_LIBRARY_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scenario.h"

namespace repair_sim {

// The default scenario, compiled in from scenarios/default.json.
const Scenario& DefaultScenario();

// Parses a scenario whose missing members come from the default scenario.
std::optional<Scenario> ParseOverDefault(std::string_view text,
                                         std::string* error);

// The named scenarios of a directory, NAME.json each.
class ScenarioLibrary {
 public:
  explicit ScenarioLibrary(std::string directory);

  // `file_or_name`: a scenario file, or the name of one in the directory.
  std::optional<Scenario> Load(const std::string& file_or_name,
                               std::string* error) const;
  // Only names of letters, digits, "-" and "_" are looked up.
  std::optional<Scenario> LoadNamed(const std::string& name,
                                    std::string* error) const;
  std::vector<std::string> Names() const;
  const std::string& directory() const { return directory_; }

 private:
  std::string directory_;
};

// scenarios/ beside the executable (build tree), or
// ../share/lumenos-repair-sim/scenarios from it (installed).
std::string FindScenarioDirectory();

std::optional<Scenario> LoadScenarioFile(const std::string& path,
                                         std::string* error);

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_SCENARIO_LIBRARY_H_
