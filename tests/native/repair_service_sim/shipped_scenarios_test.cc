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

class ShippedScenariosTest : public ServiceTest {
 protected:
  Followed Follow(const std::string& uuid, int64_t interval_ms) {
    Followed followed;
    for (int poll = 0; poll < 100; ++poll) {
      clock_.Advance(interval_ms);
      Reply reply = Send(StatusOf(uuid));
      Json status = Json::parse(reply.body, nullptr, false);
      if (reply.drop || reply.http_status != 200 || status.is_discarded() ||
          status["status"] != 200) {
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

  // Starts a restore of lumenos-3.6.2 after |scan|; returns its uuid.
  std::string StartRestore(const std::string& scan) {
    Json accepted = Call(RestoreOf(scan, "lumenos-3.6.2"));
    EXPECT_EQ(accepted["status"], 102);
    return accepted["uuid"];
  }
};

// Followed scan, or restore after a scan, ends as the scenario is named for.
TEST_F(ShippedScenariosTest, EachEndsAsItIsNamedFor) {
  const struct {
    const char* scenario;
    bool restore;
    const char* polls;
    int final_code;
    const char* final_line;
  } cases[] = {
      {"default", true, "rre", 200, "Restore of lumenos-3.6.2 finished"},
      {"scan-fails", false, "rre", 500,
       "Scan failed: cannot read the partition table of nvme0n1"},
      {"action-fails-midway", true, "rre", 500,
       "Write error on the system partition: input/output error"},
      {"service-drops-out", true, "rxxxe", 200,
       "Restore of lumenos-3.6.2 finished"},
      {"bad-answers", false, "xxxxre", 200, "Scan finished"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    Use(ShippedScenario(c.scenario));
    const Followed followed = c.restore
                                  ? Follow(StartRestore(ScanToEnd()), 2000)
                                  : Follow(Call("scan")["uuid"], 1000);
    EXPECT_EQ(followed.polls, c.polls);
    EXPECT_EQ(followed.final_code, c.final_code);
    EXPECT_EQ(followed.final_line, c.final_line);
  }
}

TEST_F(ShippedScenariosTest,
       ServiceStopsAnsweringTwoPollsOfTheActionForHalfAMinute) {
  Use(ShippedScenario("service-stops-answering"));
  std::string uuid = StartRestore(ScanToEnd());
  std::vector<int64_t> delays;
  for (int poll = 0; poll < 4; ++poll) {
    clock_.Advance(2000);
    delays.push_back(Send(StatusOf(uuid, 0, 1)).delay_ms);
  }
  EXPECT_EQ(delays, (std::vector<int64_t>{0, 30000, 30000, 0}));
  Followed rest = Follow(uuid, 2000);
  EXPECT_EQ(rest.final_code, 200);
  EXPECT_GT(rest.polls.size(), 5u) << "the action outlasts the silence";
}

TEST_F(ShippedScenariosTest, SlowAnswersDelayEveryRequest) {
  Use(ShippedScenario("slow-answers"));
  EXPECT_EQ(Send("scan").delay_ms, 3000);
  EXPECT_EQ(Send("list?uuid=x").delay_ms, 1500);
}

}  // namespace
}  // namespace repair_sim
