#include <gtest/gtest.h>

#include "repair_service.h"
#include "test_support.h"

namespace repair_sim {
namespace {

class RepairServiceFaultsTest : public ServiceTest {
 protected:
  void UseFaults(const std::string& faults) {
    Use(ScenarioWith(R"({"name": "faults", "faults": )" + faults + "}"));
  }
};

TEST_F(RepairServiceFaultsTest, EachKindShowsItsOwnAnswer) {
  UseFaults(R"([
      {"on": "status", "occurrence": 1, "kind": "refusal", "status": 503,
       "message": "busy"},
      {"on": "status", "occurrence": 2, "kind": "http-error", "status": 502,
       "message": "bad gateway"},
      {"on": "status", "occurrence": 3, "kind": "not-json",
       "body": "<html>oops"},
      {"on": "status", "occurrence": 4, "kind": "drop"},
      {"on": "status", "occurrence": 5, "kind": "slow", "delay_ms": 2500},
      {"on": "status", "occurrence": 6, "kind": "still-running"},
      {"on": "status", "occurrence": 7, "kind": "omit",
       "member": "status_list"}])");
  std::string uuid = Call("scan")["uuid"];

  Reply refusal = Send(StatusOf(uuid));
  EXPECT_EQ(refusal.http_status, 200);
  EXPECT_EQ(BodyOf(refusal), Json({{"status", 503}, {"message", "busy"}}));

  Reply http_error = Send(StatusOf(uuid));
  EXPECT_EQ(http_error.http_status, 502);
  EXPECT_EQ(BodyOf(http_error)["message"], "bad gateway");

  Reply not_json = Send(StatusOf(uuid));
  EXPECT_EQ(not_json.http_status, 200);
  EXPECT_EQ(not_json.body, "<html>oops");
  EXPECT_FALSE(Json::accept(not_json.body));
  EXPECT_NE(not_json.content_type.find("text/html"), std::string::npos);

  EXPECT_TRUE(Send(StatusOf(uuid)).drop);

  Reply slow = Send(StatusOf(uuid));
  EXPECT_EQ(slow.delay_ms, 2500);
  EXPECT_FALSE(slow.drop);
  EXPECT_EQ(BodyOf(slow)["status_list"][uuid][0], 102);

  Reply still_running = Send(StatusOf(uuid));
  EXPECT_EQ(still_running.http_status, 200);
  EXPECT_EQ(BodyOf(still_running),
            Json({{"status", 102}, {"message", "Still running, ask again"}}));

  // The normal answer, but for the member left out.
  Json omitted = BodyOf(Send(StatusOf(uuid)));
  EXPECT_FALSE(omitted.contains("status_list"));
  EXPECT_EQ(omitted["uuid"], uuid);
  EXPECT_TRUE(omitted["log_messages"].is_array());

  Reply normal = Send(StatusOf(uuid));
  EXPECT_EQ(normal.delay_ms, 0);
  EXPECT_EQ(BodyOf(normal)["status"], 200);
}

TEST_F(RepairServiceFaultsTest, FailureEntryFailsTheRunningRequestForGood) {
  UseFaults(R"([{"on": "status", "operation": "restore", "occurrence": 2,
           "kind": "failure-entry", "code": 507, "line": "disc full"}])");
  std::string scan = FinishedScan();
  // Scan polls do not count for a fault that selects restores.
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(Call(StatusOf(scan))["status_list"][scan][0], 200);

  std::string restore = Call(RestoreOf(scan))["uuid"];
  clock_.Advance(1000);
  EXPECT_EQ(Call(StatusOf(restore))["status_list"][restore][0], 102);
  Json failed = Call(StatusOf(restore));
  EXPECT_EQ(failed["status_list"][restore],
            Json::array({507, "failed", "disc full"}));
  EXPECT_EQ(failed["log_messages"].back(), "disc full");

  clock_.Advance(10000);
  EXPECT_EQ(Call(StatusOf(restore))["status_list"][restore][0], 507);
}

TEST_F(RepairServiceFaultsTest, WindowDropsOutThenTheServiceComesBack) {
  UseFaults(R"([{"on": "*", "from": 3, "to": 5, "kind": "http-error",
           "status": 503}])");
  std::string uuid = Call("scan")["uuid"];           // 1
  EXPECT_EQ(Send(StatusOf(uuid)).http_status, 200);  // 2
  for (int i = 3; i <= 5; ++i)
    EXPECT_EQ(Send(StatusOf(uuid)).http_status, 503) << i;
  clock_.Advance(3000);
  Reply back = Send(StatusOf(uuid));  // 6
  EXPECT_EQ(back.http_status, 200);
  EXPECT_EQ(BodyOf(back)["status_list"][uuid][0], 200);
  EXPECT_EQ(Call("list?uuid=" + uuid)["status"], 200);
}

TEST_F(RepairServiceFaultsTest, FirstMatchingFaultWinsAndAllCount) {
  UseFaults(R"([{"on": "scan", "occurrence": 2, "kind": "refusal"},
          {"on": "scan", "from": 2, "to": 3, "kind": "drop"}])");
  EXPECT_EQ(Call("scan")["status"], 102);
  EXPECT_EQ(Call("scan")["status"], 503);
  EXPECT_TRUE(Send("scan").drop);
  EXPECT_EQ(Call("scan")["status"], 102);
}

TEST_F(RepairServiceFaultsTest, RefusedRequestStartsNothingAndResetRecounts) {
  UseFaults(R"([{"on": "scan", "occurrence": 1, "kind": "drop"}])");
  EXPECT_TRUE(Send("scan").drop);
  EXPECT_EQ(Call("list?uuid=" + FinishedScan())["status"], 200);
  service_->Reset();
  EXPECT_TRUE(Send("scan").drop);
  EXPECT_FALSE(Send("scan").drop);
}

TEST_F(RepairServiceFaultsTest, FaultsComeBeforeQueryChecks) {
  UseFaults(R"([{"on": "status", "kind": "drop"}])");
  EXPECT_TRUE(Send("status?uuid=%zz").drop);
  EXPECT_EQ(Send("nope").http_status, 404);
}

}  // namespace
}  // namespace repair_sim
