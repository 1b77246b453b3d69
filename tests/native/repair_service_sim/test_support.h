#ifndef TESTS_NATIVE_REPAIR_SERVICE_SIM_TEST_SUPPORT_H_
#define TESTS_NATIVE_REPAIR_SERVICE_SIM_TEST_SUPPORT_H_

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "json.h"
#include "repair_service.h"
#include "reply.h"
#include "scenario_library.h"
#include "scenario_parser.h"
#include "sim_clock.h"

namespace repair_sim {

// Simulated time that moves only when told to.
class ManualClock : public SimClock {
 public:
  int64_t NowMs() const override { return now_ms_; }
  std::chrono::microseconds ToReal(int64_t sim_ms) const override {
    return std::chrono::microseconds(sim_ms * 1000);
  }
  void Advance(int64_t ms) { now_ms_ += ms; }

 private:
  int64_t now_ms_ = 0;
};

inline SimRequest Get(const std::string& target) {
  size_t mark = target.find('?');
  return {"GET", target.substr(0, mark),
          mark == std::string::npos ? "" : target.substr(mark + 1), ""};
}

inline Json BodyOf(const Reply& reply) {
  return Json::parse(reply.body);
}

// The default scenario with `overrides` (scenario JSON text) on top.
inline Scenario ScenarioWith(const std::string& overrides) {
  std::string error;
  std::optional<Scenario> scenario = ParseOverDefault(overrides, &error);
  if (!scenario)
    throw std::runtime_error(error);
  return *scenario;
}

// A scenario shipped with the stand-in, by its name.
inline Scenario ShippedScenario(const std::string& name) {
  std::string error;
  std::optional<Scenario> scenario =
      ScenarioLibrary(SIM_SCENARIO_DIR).LoadNamed(name, &error);
  if (!scenario)
    throw std::runtime_error(error);
  return *scenario;
}

inline const std::string kService = "/lumenos-repair/";

// A repair service, on the default scenario unless the test picks another,
// at a clock that the test moves; spoken to as the page speaks to it.
class ServiceTest : public testing::Test {
 protected:
  void Use(const Scenario& scenario) {
    service_ = std::make_unique<RepairService>(scenario, &clock_);
  }

  // The answer to a GET of `target` below the service prefix.
  Reply Send(const std::string& target) {
    return service_->Handle(Get(kService + target));
  }

  // The JSON of an answer that must come with HTTP 200.
  Json Call(const std::string& target) {
    Reply reply = Send(target);
    EXPECT_EQ(reply.http_status, 200) << target << ": " << reply.body;
    return BodyOf(reply);
  }

  // A scan run to its end; returns its uuid.
  std::string FinishedScan() {
    std::string uuid = Call("scan")["uuid"];
    clock_.Advance(
        service_->scenario().script(OperationKind::kScan).duration_ms);
    return uuid;
  }

  static std::string StatusOf(const std::string& uuid,
                              int start = 0,
                              int max = 100) {
    return "status?uuid=" + uuid + "&start=" + std::to_string(start) +
           "&max=" + std::to_string(max);
  }

  Json Status(const std::string& uuid, int start = 0, int max = 100) {
    return Call(StatusOf(uuid, start, max));
  }

  // The status entry of the request that |status| answers for.
  static Json EntryOf(const Json& status) {
    return status["status_list"][status["uuid"].get<std::string>()];
  }

  static std::string RestoreOf(const std::string& scan,
                               const std::string& image = "lumenos-3.5.0") {
    return "restore?disc=nvme0n1&image=" + image + "&scanuuid=" + scan;
  }

  ManualClock clock_;
  std::unique_ptr<RepairService> service_ =
      std::make_unique<RepairService>(DefaultScenario(), &clock_);
};

}  // namespace repair_sim

#endif  // TESTS_NATIVE_REPAIR_SERVICE_SIM_TEST_SUPPORT_H_
