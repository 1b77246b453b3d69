#include "scenario_parser.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "scenario_library.h"
#include "test_support.h"

namespace repair_sim {
namespace {

// The error of parsing |text| over the default scenario, or over nothing.
std::string ErrorOf(const std::string& text, bool over_default = true) {
  std::string error;
  EXPECT_FALSE(over_default ? ParseOverDefault(text, &error)
                            : ParseScenario(text, nullptr, &error))
      << text;
  return error;
}

TEST(ScenarioParserTest, DefaultScenarioHasTwoDiscsAndEveryOperation) {
  const Scenario& scenario = DefaultScenario();
  EXPECT_EQ(scenario.name, "default");
  ASSERT_EQ(scenario.discs.size(), 2u);
  EXPECT_GE(scenario.discs[0].images.size() + scenario.discs[1].images.size(),
            3u);
  for (OperationKind kind : kAllOperationKinds) {
    EXPECT_FALSE(scenario.script(kind).status_lines.empty())
        << OperationName(kind);
    EXPECT_EQ(scenario.script(kind).final_code, 200) << OperationName(kind);
  }
  EXPECT_TRUE(scenario.faults.empty());
}

TEST(ScenarioParserTest, EveryShippedScenarioLoadsUnderItsFileName) {
  ScenarioLibrary library(SIM_SCENARIO_DIR);
  std::vector<std::string> names = library.Names();
  for (const char* expected :
       {"default", "scan-fails", "action-fails-midway", "service-drops-out",
        "slow-answers", "bad-answers", "service-stops-answering"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end())
        << expected;
  }
  for (const std::string& name : names)
    EXPECT_EQ(ShippedScenario(name).name, name);
}

TEST(ScenarioParserTest, MissingMembersComeFromTheBase) {
  const Scenario scenario = ScenarioWith(
      R"({"name": "x", "operations": {"scan": {"final_code": 503,
          "final_line": "no discs"}}})");
  const OperationScript& scan = scenario.script(OperationKind::kScan);
  const OperationScript& base = DefaultScenario().script(OperationKind::kScan);
  EXPECT_EQ(scan.final_code, 503);
  EXPECT_EQ(scan.final_line, "no discs");
  EXPECT_EQ(scan.duration_ms, base.duration_ms);
  EXPECT_EQ(scan.status_lines, base.status_lines);
  EXPECT_EQ(scenario.discs.size(), DefaultScenario().discs.size());
}

TEST(ScenarioParserTest, WithoutBaseEveryMemberIsRequired) {
  EXPECT_EQ(ErrorOf(R"({"name": "x"})", false), "scenario.discs: is required");
  EXPECT_EQ(ErrorOf(R"({"name": "x", "discs": [{"key": "a", "label": "A",
          "images": {"i": {}}}], "operations": {}})",
                    false),
            "scenario.operations.scan: is required");
}

TEST(ScenarioParserTest, NotJsonNamesThePosition) {
  std::string error = ErrorOf("{\"name\": \"x\",\n  oops}");
  EXPECT_EQ(error.rfind("scenario: not valid JSON: ", 0), 0u) << error;
  EXPECT_NE(error.find("line 2"), std::string::npos) << error;
}

struct BadField {
  std::string text;
  const char* error;
};

// A scenario named "x" with the members `members` (JSON text).
std::string Named(const std::string& members) {
  return R"({"name": "x", )" + members + "}";
}

const BadField kBadFields[] = {
    {"[]", "scenario: must be an object"},
    {R"({"discs": []})", "scenario.name: is required"},
    {Named(R"("dics": [])"), "scenario.dics: unknown field"},
    {Named(R"("discs": [])"), "scenario.discs: must be a non-empty array"},
    {Named(R"("discs": [{"key": "a", "label": "A", "images": {"i": {}}},)"
           R"({"key": "b", "label": "B", "images": {}}])"),
     "scenario.discs[1].images: must be a non-empty object"},
    {Named(R"("discs": [{"key": "a", "label": "A", "images": {"i": 3}}])"),
     "scenario.discs[0].images.i: must be an object"},
    {Named(R"("discs": [{"key": "a", "label": "A", "images": {"i": {}}},)"
           R"({"key": "a", "label": "B", "images": {"j": {}}}])"),
     "scenario.discs[1].key: duplicate disc key \"a\""},
    {Named(R"("discs": [{"label": "A", "images": {"i": {}}}])"),
     "scenario.discs[0].key: is required"},
    {Named(R"("operations": {"format": {}})"),
     "scenario.operations.format: unknown operation"},
    {Named(R"("operations": {"restore": {"duration_ms": -1}})"),
     "scenario.operations.restore.duration_ms: must be an integer from 0 to "
     "604800000"},
    {Named(R"("operations": {"restore": {"duration_ms": 1.5}})"),
     "scenario.operations.restore.duration_ms: must be an integer from 0 to "
     "604800000"},
    {Named(R"("operations": {"scan": {"final_code": 302}})"),
     "scenario.operations.scan.final_code: must be 200 or a failure code from "
     "400 to 999"},
    {Named(R"("operations": {"scan": {"status_lines": []}})"),
     "scenario.operations.scan.status_lines: must be a non-empty array of "
     "strings"},
    {Named(R"("operations": {"scan": {"log_lines": ["a", 2]}})"),
     "scenario.operations.scan.log_lines[1]: must be a string"},
    {Named(R"("operations": {"reboot": {"durationms": 5}})"),
     "scenario.operations.reboot.durationms: unknown field"},
    {Named(R"("faults": {})"), "scenario.faults: must be an array"},
    {Named(R"("faults": [{"kind": "drop"}])"),
     "scenario.faults[0].on: is required"},
    {Named(R"("faults": [{"on": "format", "kind": "drop"}])"),
     "scenario.faults[0].on: must be \"*\" or one of scan, list, status, "
     "restore, repair, factory-reset, reboot, clear"},
    {Named(R"("faults": [{"on": "scan", "kind": "explode"}])"),
     "scenario.faults[0].kind: must be one of refusal, http-error, not-json, "
     "drop, slow, failure-entry, still-running, omit"},
    {Named(R"("faults": [{"on": "scan", "kind": "omit"}])"),
     "scenario.faults[0].member: is required"},
    {Named(R"("faults": [{"on": "status", "operation": ["restore", "format"],)"
           R"( "kind": "drop"}])"),
     "scenario.faults[0].operation: unknown operation \"format\""},
    {Named(R"("faults": [{"on": "scan", "occurrence": 2, "from": 1,)"
           R"( "kind": "drop"}])"),
     "scenario.faults[0].occurrence: cannot be combined with from or to"},
    {Named(R"("faults": [{"on": "scan", "occurrence": 0, "kind": "drop"}])"),
     "scenario.faults[0].occurrence: must be an integer from 1 to "
     "9223372036854775807"},
    {Named(R"("faults": [{"on": "scan", "from": 5, "to": 3, "kind": "drop"}])"),
     "scenario.faults[0].to: must be an integer from 5 to 9223372036854775807"},
    {Named(R"("faults": [{"on": "scan", "kind": "slow"}])"),
     "scenario.faults[0].delay_ms: a slow answer needs a delay above 0"},
    {Named(R"("faults": [{"on": "list", "kind": "failure-entry"}])"),
     "scenario.faults[0].on: a failure-entry fault applies to status requests "
     "only"},
    {Named(R"("faults": [{"on": "scan", "kind": "not-json",)"
           R"( "body": "{\"status\": 200}"}])"),
     "scenario.faults[0].body: must not be valid JSON"},
    {Named(
         R"("faults": [{"on": "scan", "kind": "http-error", "status": 200}])"),
     "scenario.faults[0].status: must be an integer from 400 to 599"},
    {Named(R"("faults": [{"on": "scan", "kind": "drop", "message": "m"}])"),
     "scenario.faults[0].message: unknown field"},
};

TEST(ScenarioParserTest, BadFieldIsNamedInTheError) {
  for (const BadField& field : kBadFields)
    EXPECT_EQ(ErrorOf(field.text), field.error) << field.text;
}

TEST(ScenarioLibraryTest, RefusesUnreadableFilesAndUnsafeNames) {
  ScenarioLibrary library(SIM_SCENARIO_DIR);
  std::string error;
  EXPECT_FALSE(library.LoadNamed("../scenarios/default", &error));
  EXPECT_NE(error.find("bad scenario name"), std::string::npos) << error;
  EXPECT_FALSE(library.LoadNamed("no-such-scenario", &error));
  EXPECT_NE(error.find("no scenario \"no-such-scenario\""), std::string::npos);
  EXPECT_FALSE(library.Load("/nonexistent/x.json", &error));
  EXPECT_EQ(error, "cannot read scenario file /nonexistent/x.json");
  EXPECT_FALSE(library.Load(SIM_SCENARIO_DIR, &error));
  EXPECT_NE(error.find("cannot read scenario file"), std::string::npos);
}

}  // namespace
}  // namespace repair_sim
