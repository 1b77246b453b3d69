#ifndef REPAIR_SERVICE_SIM_SRC_SIMULATOR_H_
#define REPAIR_SERVICE_SIM_SRC_SIMULATOR_H_

#include <string_view>

#include "journal.h"
#include "repair_service.h"
#include "reply.h"
#include "scenario_library.h"
#include "sim_clock.h"

namespace repair_sim {

inline constexpr std::string_view kControlPrefix = "/_sim/";

// Everything the HTTP front serves: the service, whose requests go into the
// journal, and the control endpoints under /_sim/ for tests, which do not.
// Thread-safe.
class Simulator {
 public:
  Simulator(Scenario scenario, ScenarioLibrary library, const SimClock* clock);

  Reply Handle(const SimRequest& request);

  Journal& journal() { return journal_; }

 private:
  Reply Control(const SimRequest& request);
  Reply Reset();
  Reply ChangeScenario(const SimRequest& request);

  const ScenarioLibrary library_;
  RepairService service_;
  Journal journal_;
};

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_SIMULATOR_H_
