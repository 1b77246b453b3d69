#include "repair_service.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace repair_sim {
namespace {

using RepairServiceTest = ServiceTest;

// A request and the status and message of its answer.
struct Answered {
  std::string target;
  int status;
  std::string message;
};

TEST_F(RepairServiceTest, ScanIsAcceptedThenReportsProgressThenFinishes) {
  Json scan = Call("scan");
  EXPECT_EQ(scan["status"], 102);
  std::string uuid = scan["uuid"];
  EXPECT_EQ(uuid.size(), 36u);

  Json status = Status(uuid, 0, 1);
  EXPECT_EQ(status["status"], 200);
  ASSERT_EQ(status["status_list"].size(), 1u);
  EXPECT_EQ(EntryOf(status),
            Json::array({102, "running", "Looking for discs"}));
  EXPECT_EQ(Call("list?uuid=" + uuid)["status"], 102);

  clock_.Advance(3000);
  EXPECT_EQ(EntryOf(Status(uuid)), Json::array({200, "done", "Scan finished"}));
  EXPECT_EQ(Status(uuid)["log_messages"],
            Json::array({"Found disc nvme0n1", "Found disc mmcblk0",
                         "Found 3 Lumenos images", "Scan finished"}));
}

TEST_F(RepairServiceTest, ListGivesDiscsAndImagesInScenarioOrder) {
  Json list = Call("list?uuid=" + FinishedScan());
  EXPECT_EQ(list["status"], 200);
  const Json& os_list = list["os_list"];
  ASSERT_EQ(os_list.size(), 2u);
  EXPECT_EQ(os_list.begin().key(), "nvme0n1");
  EXPECT_EQ(os_list["nvme0n1"]["disc"], "Internal disc");
  std::vector<std::string> images;
  for (const auto& image : os_list["nvme0n1"]["images"].items())
    images.push_back(image.key());
  EXPECT_EQ(images,
            (std::vector<std::string>{"lumenos-3.6.2", "lumenos-3.5.0"}));
  EXPECT_TRUE(os_list["mmcblk0"]["images"].contains("lumenos-3.6.2-recovery"));
}

TEST_F(RepairServiceTest, EachActionRunsToSuccessWithItsOwnQuery) {
  std::string scan = FinishedScan();
  const std::string disc = "disc=nvme0n1";
  for (const std::string& target :
       {"restore?" + disc + "&image=lumenos-3.5.0&scanuuid=" + scan,
        "repair?" + disc + "&image=lumenos-3.5.0&scanuuid=" + scan,
        "factory-reset?" + disc + "&efi=lumenos-3.5.0&image=" + scan,
        "reboot?" + disc + "&image=lumenos-3.5.0&scanuuid=" + scan +
            "&delay=10"}) {
    Json accepted = Call(target);
    ASSERT_EQ(accepted["status"], 102) << target << accepted.dump();
    std::string uuid = accepted["uuid"];
    EXPECT_NE(uuid, scan);
    clock_.Advance(6000);
    EXPECT_EQ(EntryOf(Status(uuid))[0], 200) << target;
  }
}

TEST_F(RepairServiceTest, PlaceholdersTakeTheRequestValues) {
  std::string scan = FinishedScan();
  Json reboot = Call(
      "reboot?disc=mmcblk0&image=lumenos-3.6.2-recovery"
      "&scanuuid=" +
      scan + "&delay=7");
  EXPECT_EQ(reboot["message"], "Reboot into lumenos-3.6.2-recovery in 7 s");
  clock_.Advance(3000);
  Json log = Status(reboot["uuid"])["log_messages"];
  EXPECT_EQ(log[0], "Boot entry set to lumenos-3.6.2-recovery on mmcblk0");
  EXPECT_EQ(log[1], "Reboot scheduled in 7 s");
}

TEST_F(RepairServiceTest, RefusesUnknownDiscsImagesScansAndRequests) {
  std::string scan = FinishedScan();
  std::string running = Call("scan")["uuid"];
  const Answered cases[] = {
      {"restore?disc=sdz&image=lumenos-3.5.0&scanuuid=" + scan, 404,
       "unknown disc \"sdz\""},
      {"restore?disc=mmcblk0&image=lumenos-3.5.0&scanuuid=" + scan, 404,
       "unknown image \"lumenos-3.5.0\" on disc \"mmcblk0\""},
      // The scan uuid under "efi", as if the page swapped the keys.
      {"factory-reset?disc=nvme0n1&efi=" + scan + "&image=lumenos-3.5.0", 404,
       "unknown image \"" + scan + "\" on disc \"nvme0n1\""},
      {"repair?disc=nvme0n1&image=lumenos-3.5.0&scanuuid=nope", 404,
       "unknown scan uuid \"nope\""},
      {RestoreOf(running), 409, "scan \"" + running + "\" has not finished"},
      // Refused, not an error.
      {"status?uuid=nope&start=0&max=1", 404, "unknown request uuid \"nope\""},
  };
  for (const Answered& c : cases) {
    Json answer = Call(c.target);
    EXPECT_EQ(answer["status"], c.status) << c.target;
    EXPECT_EQ(answer["message"], c.message) << c.target;
    EXPECT_FALSE(answer.contains("uuid"));
  }
}

TEST_F(RepairServiceTest, FailedScanIsNotListedNorUsable) {
  Use(ScenarioWith(R"({"name": "f", "operations": {"scan":
      {"final_code": 500, "final_line": "Scan failed"}}})"));
  Json list = Call("list?uuid=" + FinishedScan());
  EXPECT_EQ(list["status"], 409);
  EXPECT_FALSE(list.contains("os_list"));
}

TEST_F(RepairServiceTest, ImmediateOperationAnswersWithItsFinalCode) {
  Use(ScenarioWith(R"({"name": "i", "operations": {"restore":
      {"immediate": true}}})"));
  Json restore = Call(RestoreOf(FinishedScan()));
  EXPECT_EQ(restore["status"], 200);
  EXPECT_EQ(restore["message"], "Restore of lumenos-3.5.0 finished");
}

TEST_F(RepairServiceTest, StatusPagesTheLog) {
  std::string uuid = Call("scan")["uuid"];
  clock_.Advance(3000);  // four lines
  EXPECT_EQ(Status(uuid, 0, 2)["log_messages"].size(), 2u);
  EXPECT_EQ(Status(uuid, 3, 100)["log_messages"],
            Json::array({"Scan finished"}));
  EXPECT_EQ(Status(uuid, 4, 100)["log_messages"], Json::array());
  EXPECT_EQ(Status(uuid, 0, 0)["log_messages"], Json::array());
  Json far = Call("status?uuid=" + uuid + "&start=18446744073709551615&max=1");
  EXPECT_EQ(far["log_messages"], Json::array());
  EXPECT_EQ(EntryOf(far)[0], 200);
}

TEST_F(RepairServiceTest, ClearEmptiesOnlyThatRequestsLog) {
  std::string first = Call("scan")["uuid"];
  std::string second = Call("scan")["uuid"];
  clock_.Advance(3000);
  Json cleared = Call("clear?uuid=" + first);
  EXPECT_EQ(cleared["status"], 200);
  EXPECT_EQ(cleared["uuid"], first);
  EXPECT_EQ(Status(first)["log_messages"], Json::array());
  EXPECT_EQ(Status(second)["log_messages"].size(), 4u);
  EXPECT_EQ(Call("clear?uuid=nope")["status"], 404);
}

TEST_F(RepairServiceTest, MalformedRequestsGetAnHttpErrorWithJson) {
  std::string uuid = Call("scan")["uuid"];
  const Answered cases[] = {
      {"status?uuid=" + uuid + "&start=0", 400, "missing query key \"max\""},
      {"status?uuid=" + uuid + "&start=-1&max=1", 400,
       "query key \"start\" must be a non-negative integer, got \"-1\""},
      {"status?start=0&max=1", 400, "missing query key \"uuid\""},
      {"list?uuid=", 400, "query key \"uuid\" is empty"},
      {"status?uuid=%zz&start=0&max=1", 400,
       "bad percent escape in query part \"uuid=%zz\""},
      {"reboot?disc=a&image=b&scanuuid=c&delay=ten", 400,
       "query key \"delay\" must be a non-negative integer, got \"ten\""},
      {"factory-reset?disc=a&image=b&scanuuid=c", 400,
       "missing query key \"efi\""},
      {"scan/", 404, "unknown path \"/lumenos-repair/scan/\""},
      {"", 404, "unknown path \"/lumenos-repair/\""},
  };
  for (const Answered& c : cases) {
    Reply reply = Send(c.target);
    EXPECT_EQ(reply.http_status, c.status) << c.target;
    Json body = BodyOf(reply);
    EXPECT_EQ(body["status"], c.status) << c.target;
    EXPECT_EQ(body["message"], c.message) << c.target;
  }
  EXPECT_EQ(service_->Handle(Get("/lumenos-repairscan")).http_status, 404);
  for (const char* method : {"POST", "HEAD"}) {
    SimRequest request = Get(kService + "scan");
    request.method = method;
    EXPECT_EQ(service_->Handle(request).http_status, 405) << method;
  }
}

TEST_F(RepairServiceTest, LoadAndResetForgetRequests) {
  std::string uuid = Call("scan")["uuid"];
  service_->Reset();
  EXPECT_EQ(Call(StatusOf(uuid))["status"], 404);
  service_->Load(ScenarioWith(R"({"name": "other"})"));
  EXPECT_EQ(service_->scenario().name, "other");
}

}  // namespace
}  // namespace repair_sim
