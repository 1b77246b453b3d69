#include "http_front.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <thread>

#include "test_support.h"

namespace repair_sim {
namespace {

constexpr double kTimeScale = 10;

class HttpFrontTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(port_, 0);
    server_ = std::thread([this] { front_.Run(); });
  }

  void TearDown() override {
    front_.Stop();
    if (server_.joinable())
      server_.join();
  }

  void LoadScenario(const std::string& text) {
    httplib::Result result =
        client_.Post("/_sim/scenario", text, "application/json");
    ASSERT_TRUE(result);
    ASSERT_EQ(result->status, 200) << result->body;
  }

  // The answer to a GET of |target| below the service prefix; if none comes,
  // the test fails and an empty answer stands in.
  httplib::Response Fetch(const std::string& target) {
    httplib::Result result = client_.Get(kService + target);
    EXPECT_TRUE(result) << "no answer to " << target;
    return result ? *result : httplib::Response();
  }

  ScaledClock clock_{kTimeScale};
  Simulator simulator_{DefaultScenario(), ScenarioLibrary(SIM_SCENARIO_DIR),
                       &clock_};
  HttpFront front_{&simulator_, &clock_};
  const int port_ = front_.Bind("127.0.0.1", 0);
  httplib::Client client_{"127.0.0.1", port_};
  std::thread server_;
};

TEST_F(HttpFrontTest, DecodesTheQueryAndAnswersJson) {
  LoadScenario(R"({"name": "odd keys", "discs": [{"key": "disc one",
      "label": "A", "images": {"img+1/é": {}}}],
      "operations": {"scan": {"duration_ms": 0}}})");
  httplib::Response scan = Fetch("scan");
  EXPECT_EQ(scan.get_header_value("Content-Type"), "application/json");
  EXPECT_EQ(scan.get_header_value("Access-Control-Allow-Origin"), "*");
  std::string uuid = Json::parse(scan.body)["uuid"];

  // As the page's encodeURIComponent sends it.
  httplib::Response restore =
      Fetch("restore?disc=disc%20one&image=img%2B1%2F%C3%A9&scanuuid=" + uuid);
  EXPECT_EQ(Json::parse(restore.body)["status"], 102) << restore.body;
}

TEST_F(HttpFrontTest, ErrorsAreJsonWithAnHttpStatus) {
  httplib::Response unknown = Fetch("format");
  EXPECT_EQ(unknown.status, 404);
  EXPECT_EQ(Json::parse(unknown.body)["status"], 404);
  httplib::Result put = client_.Put("/lumenos-repair/scan", "", "text/plain");
  ASSERT_TRUE(put);
  EXPECT_EQ(put->status, 405);
  httplib::Response bad = Fetch("status?uuid=a&start=x");
  EXPECT_EQ(bad.status, 400);
  EXPECT_EQ(Json::parse(bad.body)["message"],
            "query key \"start\" must be a non-negative integer, got \"x\"");
}

TEST_F(HttpFrontTest, FaultsReachTheWire) {
  LoadScenario(R"({"name": "wire", "faults": [
      {"on": "scan", "occurrence": 1, "kind": "drop"},
      {"on": "scan", "occurrence": 2, "kind": "http-error", "status": 503},
      {"on": "scan", "occurrence": 3, "kind": "not-json", "body": "<b>x"},
      {"on": "scan", "occurrence": 4, "kind": "slow", "delay_ms": 2000}]})");
  EXPECT_FALSE(client_.Get(kService + "scan")) << "not dropped";

  EXPECT_EQ(Fetch("scan").status, 503);

  httplib::Response not_json = Fetch("scan");
  EXPECT_EQ(not_json.status, 200);
  EXPECT_EQ(not_json.body, "<b>x");

  auto before = std::chrono::steady_clock::now();
  httplib::Response slow = Fetch("scan");
  auto waited = std::chrono::steady_clock::now() - before;
  EXPECT_EQ(Json::parse(slow.body)["status"], 102);
  EXPECT_GE(waited, clock_.ToReal(2000));
}

TEST_F(HttpFrontTest, BurstOfConcurrentRequestsGetsEachItsOwnAnswer) {
  constexpr int kThreads = 64;
  constexpr int kPerThread = 8;
  std::vector<std::string> uuids;
  for (int i = 0; i < kThreads * kPerThread; ++i)
    uuids.push_back(BodyOf(simulator_.Handle(Get(kService + "scan")))["uuid"]);

  std::atomic<int> right{0};
  std::vector<std::string> failures(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      httplib::Client client("127.0.0.1", port_);
      for (int i = 0; i < kPerThread; ++i) {
        const std::string& uuid = uuids[t * kPerThread + i];
        httplib::Result result = client.Get(
            "/lumenos-repair/status?uuid=" + uuid + "&start=0&max=1");
        if (!result) {
          failures[t] += "no answer for " + uuid + "; ";
          continue;
        }
        Json body = Json::parse(result->body, nullptr, false);
        if (body.is_discarded() || body["uuid"] != uuid ||
            body["status_list"].size() != 1 ||
            !body["status_list"].contains(uuid)) {
          failures[t] += "wrong answer for " + uuid + ": " + result->body;
          continue;
        }
        ++right;
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(failures, std::vector<std::string>(kThreads));
  EXPECT_EQ(right, kThreads * kPerThread);
  EXPECT_EQ(simulator_.journal().Entries().size(), 2u * kThreads * kPerThread);
}

}  // namespace
}  // namespace repair_sim
