// Drives the shipped scenarios at the page's poll cadence (1 s for the scan,
// 2 s for an action) and checks each shows what it is named for.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "repair_service.h"
#include "test_support.h"

namespace repair_sim {
namespace {

struct Followed {
  int final_code = 0;
  std::string final_line;
  // One letter per poll: 'r' running, 'e' ended, 'x' fault or refusal.
  std::string polls;
};

class ShippedScenariosTest : public testing::Test {
 protected:
  void Use(const std::string& name) {
    std::string error;
    std::optional<Scenario> scenario =
        ScenarioLibrary(SIM_SCENARIO_DIR).LoadNamed(name, &error);
    ASSERT_TRUE(scenario) << error;
    service_ = std::make_unique<RepairService>(*scenario, &clock_);
  }

  Json Call(const std::string& target) {
    Reply reply = service_->Handle(Get(kService + target));
    if (reply.drop || reply.http_status != 200 || !Json::accept(reply.body))
      return nullptr;
    return BodyOf(reply);
  }

  Followed Follow(const std::string& uuid, int64_t interval_ms) {
    Followed followed;
    for (int poll = 0; poll < 100; ++poll) {
      clock_.Advance(interval_ms);
      Json status = Call("status?uuid=" + uuid + "&start=0&max=100");
      if (status.is_null() || status["status"] != 200) {
        followed.polls += 'x';
        continue;
      }
      Json entry = status["status_list"][uuid];
      if (entry[0] == 102) {
        followed.polls += 'r';
        continue;
      }
      followed.polls += 'e';
      followed.final_code = entry[0];
      followed.final_line = entry[2];
      break;
    }
    return followed;
  }

  std::string ScanToEnd() {
    std::string uuid = Call("scan")["uuid"];
    EXPECT_EQ(Follow(uuid, 1000).final_code, 200);
    return uuid;
  }

  Followed Restore(const std::string& scan) {
    Json accepted =
        Call("restore?disc=nvme0n1&image=lumenos-3.6.2&scanuuid=" + scan);
    EXPECT_EQ(accepted["status"], 102);
    return Follow(accepted["uuid"], 2000);
  }

  ManualClock clock_;
  std::unique_ptr<RepairService> service_;
};

TEST_F(ShippedScenariosTest, DefaultRestoresInThreePolls) {
  Use("default");
  Followed restore = Restore(ScanToEnd());
  EXPECT_EQ(restore.polls, "rre");
  EXPECT_EQ(restore.final_code, 200);
}

TEST_F(ShippedScenariosTest, ScanFailsEndsTheScanWithAFailureCode) {
  Use("scan-fails");
  Followed scan = Follow(Call("scan")["uuid"], 1000);
  EXPECT_EQ(scan.final_code, 500);
  EXPECT_NE(scan.final_line.find("Scan failed"), std::string::npos);
}

TEST_F(ShippedScenariosTest, ActionFailsMidwayWhileStillRunning) {
  Use("action-fails-midway");
  Followed restore = Restore(ScanToEnd());
  EXPECT_EQ(restore.polls, "rre");
  EXPECT_EQ(restore.final_code, 500);
  EXPECT_EQ(restore.final_line,
            "Write error on the system partition: input/output error");
}

TEST_F(ShippedScenariosTest, ServiceDropsOutDuringTheActionAndComesBack) {
  Use("service-drops-out");
  Followed restore = Restore(ScanToEnd());
  EXPECT_EQ(restore.polls, "rxxxe");
  EXPECT_EQ(restore.final_code, 200);
}

TEST_F(ShippedScenariosTest,
       ServiceStopsAnsweringTwoPollsOfTheActionForHalfAMinute) {
  Use("service-stops-answering");
  Json accepted =
      Call("restore?disc=nvme0n1&image=lumenos-3.6.2&scanuuid=" + ScanToEnd());
  std::string uuid = accepted["uuid"];
  std::vector<int64_t> delays;
  for (int poll = 0; poll < 4; ++poll) {
    clock_.Advance(2000);
    delays.push_back(
        service_
            ->Handle(Get(kService + "status?uuid=" + uuid + "&start=0&max=1"))
            .delay_ms);
  }
  EXPECT_EQ(delays, (std::vector<int64_t>{0, 30000, 30000, 0}));
  Followed rest = Follow(uuid, 2000);
  EXPECT_EQ(rest.final_code, 200);
  EXPECT_GT(rest.polls.size(), 5u) << "the action outlasts the silence";
}

TEST_F(ShippedScenariosTest, BadAnswersDisturbTheScanThenItFinishes) {
  Use("bad-answers");
  Followed scan = Follow(Call("scan")["uuid"], 1000);
  EXPECT_EQ(scan.polls, "xxxxre");
  EXPECT_EQ(scan.final_code, 200);
}

TEST_F(ShippedScenariosTest, SlowAnswersDelayEveryRequest) {
  Use("slow-answers");
  EXPECT_EQ(service_->Handle(Get(kService + "scan")).delay_ms, 3000);
  EXPECT_EQ(service_->Handle(Get(kService + "list?uuid=x")).delay_ms, 1500);
}

}  // namespace
}  // namespace repair_sim
