#include "simulator.h"

#include <optional>
#include <string>
#include <utility>

#include "query.h"

namespace repair_sim {

namespace {

bool IsReadOrWrite(const std::string& method) {
  return method == "GET" || method == "POST";
}

Json ScenarioSummary(const Scenario& scenario, const ScenarioLibrary& library) {
  return {{"status", 200},
          {"message", "Scenario " + scenario.name},
          {"name", scenario.name},
          {"description", scenario.description},
          {"available", library.Names()}};
}

}  // namespace

Simulator::Simulator(Scenario scenario,
                     ScenarioLibrary library,
                     const SimClock* clock)
    : library_(std::move(library)), service_(std::move(scenario), clock) {}

Reply Simulator::Handle(const SimRequest& request) {
  if (request.path.compare(0, kControlPrefix.size(), kControlPrefix) == 0)
    return Control(request);
  Reply reply = service_.Handle(request);
  journal_.Record(request, reply);
  return reply;
}

Reply Simulator::Control(const SimRequest& request) {
  std::string_view name = request.path;
  name.remove_prefix(kControlPrefix.size());
  if (name != "journal" && name != "reset" && name != "scenario")
    return ErrorReply(404, "unknown control path \"" + request.path + "\"");
  if (!IsReadOrWrite(request.method) ||
      (name == "journal" && request.method == "POST")) {
    return ErrorReply(
        405, "method " + request.method + " not allowed on " + request.path);
  }
  if (name == "journal")
    return JsonReply(200, journal_.Entries());
  if (name == "reset")
    return Reset();
  return ChangeScenario(request);
}

Reply Simulator::Reset() {
  journal_.Clear();
  service_.Reset();
  return ServiceReply(200, "Journal and requests cleared");
}

// GET: the current scenario. ?name=NAME: load a named one. POST with a
// body and no name: load the scenario in the body.
Reply Simulator::ChangeScenario(const SimRequest& request) {
  std::string error;
  std::optional<Query> query = Query::Parse(request.query, &error);
  if (!query)
    return ErrorReply(400, error);
  bool named = !query->pairs().empty();
  bool inline_text = request.method == "POST" && !request.body.empty();
  if (!named && !inline_text)
    return JsonReply(200, ScenarioSummary(service_.scenario(), library_));

  std::optional<Scenario> scenario;
  if (named) {
    std::optional<std::string> name = query->Text("name", &error);
    if (name)
      scenario = library_.LoadNamed(*name, &error);
  } else {
    scenario = ParseOverDefault(request.body, &error);
  }
  if (!scenario)
    return ErrorReply(400, error);
  journal_.Clear();
  service_.Load(std::move(*scenario));
  return JsonReply(200, ScenarioSummary(service_.scenario(), library_));
}

}  // namespace repair_sim
