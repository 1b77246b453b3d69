#include "simulator.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

#include "test_support.h"

namespace repair_sim {
namespace {

class SimulatorTest : public testing::Test {
 protected:
  Reply Send(const std::string& method,
             const std::string& target,
             const std::string& body = "") {
    SimRequest request = Get(target);
    request.method = method;
    request.body = body;
    return simulator_.Handle(request);
  }

  ManualClock clock_;
  Simulator simulator_{DefaultScenario(), ScenarioLibrary(SIM_SCENARIO_DIR),
                       &clock_};
};

TEST_F(SimulatorTest, JournalKeepsServiceRequestsOnly) {
  Send("GET", kService + "scan");
  Send("GET", kService + "factory-reset?disc=d&efi=i%20j&image=u");
  Send("GET", "/elsewhere?x=1");
  Send("GET", "/_sim/scenario");
  Send("GET", kService + "status?uuid=%zz");

  Json journal = BodyOf(Send("GET", "/_sim/journal"));
  ASSERT_EQ(journal.size(), 4u);
  EXPECT_EQ(journal[0]["method"], "GET");
  EXPECT_EQ(journal[0]["path"], "/lumenos-repair/scan");
  EXPECT_EQ(journal[0]["query"], "");
  EXPECT_EQ(journal[1]["query"], "disc=d&efi=i%20j&image=u");
  EXPECT_EQ(journal[1]["params"],
            Json({{"disc", "d"}, {"efi", "i j"}, {"image", "u"}}));
  EXPECT_EQ(journal[2]["path"], "/elsewhere");
  std::string time = journal[0]["time"];
  EXPECT_EQ(time.size(), 24u) << time;  // 2026-01-02T03:04:05.678Z
  EXPECT_EQ(time.back(), 'Z');
  // An undecodable query is kept as sent, without parameters.
  EXPECT_EQ(journal[3]["query"], "uuid=%zz");
  EXPECT_TRUE(journal[3]["params"].is_null());
  // With the answer each got.
  EXPECT_EQ(journal[0]["answer"]["http_status"], 200);
  EXPECT_EQ(
      Json::parse(journal[0]["answer"]["body"].get<std::string>())["status"],
      102);
  EXPECT_EQ(journal[3]["answer"]["http_status"], 400);
}

TEST_F(SimulatorTest, ResetClearsJournalAndRequests) {
  std::string uuid = BodyOf(Send("GET", kService + "scan"))["uuid"];
  EXPECT_EQ(BodyOf(Send("POST", "/_sim/reset"))["status"], 200);
  EXPECT_EQ(BodyOf(Send("GET", "/_sim/journal")), Json::array());
  Json status =
      BodyOf(Send("GET", kService + "status?uuid=" + uuid + "&start=0&max=1"));
  EXPECT_EQ(status["status"], 404);
}

TEST_F(SimulatorTest, LoadsNamedAndPostedScenarios) {
  Send("GET", kService + "scan");
  Json loaded = BodyOf(Send("GET", "/_sim/scenario?name=scan-fails"));
  EXPECT_EQ(loaded["name"], "scan-fails");
  EXPECT_EQ(BodyOf(Send("GET", "/_sim/journal")), Json::array());

  Json posted = BodyOf(Send("POST", "/_sim/scenario",
                            R"({"name": "inline", "operations":
                               {"scan": {"immediate": true}}})"));
  EXPECT_EQ(posted["name"], "inline");
  EXPECT_EQ(BodyOf(Send("GET", kService + "scan"))["status"], 200);

  Json current = BodyOf(Send("GET", "/_sim/scenario"));
  EXPECT_EQ(current["name"], "inline");
  EXPECT_TRUE(current["available"].is_array());
}

TEST_F(SimulatorTest, BadScenarioIsRefusedAndTheCurrentOneStays) {
  Reply bad = Send("POST", "/_sim/scenario",
                   R"({"name": "x", "discs": [{"key": "a"}]})");
  EXPECT_EQ(bad.http_status, 400);
  EXPECT_EQ(BodyOf(bad)["message"], "scenario.discs[0].label: is required");
  Reply unknown = Send("GET", "/_sim/scenario?name=nope");
  EXPECT_EQ(unknown.http_status, 400);
  EXPECT_EQ(Send("GET", "/_sim/scenario?name=..%2Fx").http_status, 400);
  EXPECT_EQ(BodyOf(Send("GET", "/_sim/scenario"))["name"], "default");
}

TEST_F(SimulatorTest, UnknownControlPathsAndMethodsAreErrors) {
  EXPECT_EQ(Send("GET", "/_sim/nope").http_status, 404);
  EXPECT_EQ(Send("DELETE", "/_sim/reset").http_status, 405);
  EXPECT_EQ(Send("HEAD", "/_sim/reset").http_status, 405);
  EXPECT_EQ(Send("POST", "/_sim/journal").http_status, 405);
  EXPECT_EQ(Send("GET", "/_sim/scenario?x=%").http_status, 400);
}

TEST_F(SimulatorTest, RandomRequestsAlwaysGetAJsonAnswer) {
  std::vector<std::string> pieces = {kService, "/_sim/", "\xff\xfe", " "};
  std::istringstream words(
      "scan list status restore clear factory-reset reboot journal scenario ? "
      "& = % %2 %zz %C3%A9 %FF uuid start max disc image efi scanuuid delay "
      "name 0 -1 99999999999999999999 nvme0n1 lumenos-3.5.0 / +");
  for (std::string word; words >> word;)
    pieces.push_back(word);
  std::mt19937 random(7);
  std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
  for (int i = 0; i < 3000; ++i) {
    std::string target;
    for (int n = 0; n < 1 + i % 9; ++n)
      target += pieces[pick(random)];
    Reply reply = Send(i % 5 ? "GET" : "POST", target, "{");
    EXPECT_TRUE(Json::accept(reply.body)) << target << " -> " << reply.body;
    EXPECT_GE(reply.http_status, 200);
    EXPECT_LT(reply.http_status, 600);
  }
  EXPECT_TRUE(Json::accept(Send("GET", "/_sim/journal").body));
}

}  // namespace
}  // namespace repair_sim
