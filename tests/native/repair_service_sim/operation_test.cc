#include "operation.h"

#include <gtest/gtest.h>

namespace repair_sim {
namespace {

using Lines = std::vector<std::string>;

OperationScript FourSecondScript() {
  OperationScript script;
  script.duration_ms = 4000;
  script.status_lines = {"s0", "s1"};
  script.log_lines = {"l0", "l1", "l2", "l3"};
  script.final_code = 200;
  script.final_line = "done";
  return script;
}

// The status entry as "code type line".
std::string Shown(const StatusEntry& entry) {
  return std::to_string(entry.code) + " " + entry.type + " " + entry.line;
}

TEST(OperationTest, RunsThroughItsScriptToTheFinalCode) {
  Operation operation(OperationKind::kRestore, FourSecondScript(), 1000);
  EXPECT_EQ(Shown(operation.Status()), "102 running s0");
  EXPECT_EQ(operation.LogSlice(0, 100), Lines({"l0"}));

  operation.AdvanceTo(3000);  // half-way
  operation.AdvanceTo(500);   // Time never runs backwards.
  EXPECT_EQ(Shown(operation.Status()), "102 running s1");
  EXPECT_EQ(operation.LogSlice(0, 100), Lines({"l0", "l1", "l2"}));
  EXPECT_FALSE(operation.ended());

  operation.AdvanceTo(4999);
  EXPECT_EQ(Shown(operation.Status()), "102 running s1");
  operation.AdvanceTo(5000);
  EXPECT_EQ(Shown(operation.Status()), "200 done done");
  EXPECT_EQ(operation.LogSlice(0, 100),
            Lines({"l0", "l1", "l2", "l3", "done"}));
}

TEST(OperationTest, ZeroDurationEndsAtOnce) {
  OperationScript script = FourSecondScript();
  script.duration_ms = 0;
  script.final_code = 503;
  Operation operation(OperationKind::kScan, script, 0);
  EXPECT_TRUE(operation.ended());
  EXPECT_EQ(Shown(operation.Status()), "503 failed done");
  EXPECT_EQ(operation.LogSlice(0, 100).size(), 5u);
}

TEST(OperationTest, LogPagingHonoursStartAndMax) {
  Operation operation(OperationKind::kRestore, FourSecondScript(), 0);
  operation.RunToEnd();  // l0..l3, done
  EXPECT_EQ(operation.LogSlice(0, 2), Lines({"l0", "l1"}));
  EXPECT_EQ(operation.LogSlice(3, 100), Lines({"l3", "done"}));
  EXPECT_EQ(operation.LogSlice(4, 1), Lines({"done"}));
  EXPECT_TRUE(operation.LogSlice(5, 100).empty());
  EXPECT_TRUE(operation.LogSlice(UINT64_MAX, UINT64_MAX).empty());
  EXPECT_TRUE(operation.LogSlice(0, 0).empty());
  EXPECT_EQ(operation.LogSlice(1, UINT64_MAX).size(), 4u);
}

TEST(OperationTest, GrowingStartReadsEachLineOnce) {
  Operation operation(OperationKind::kRestore, FourSecondScript(), 0);
  Lines seen;
  for (int64_t now = 0; seen.size() < 5 && now <= 5000; now += 700) {
    operation.AdvanceTo(now);
    Lines slice = operation.LogSlice(seen.size(), 100);
    seen.insert(seen.end(), slice.begin(), slice.end());
  }
  EXPECT_EQ(seen, Lines({"l0", "l1", "l2", "l3", "done"}));
}

TEST(OperationTest, FailAtStopsTheScriptOnce) {
  Operation operation(OperationKind::kRepair, FourSecondScript(), 0);
  operation.FailAt(1500, 500, "write error");
  EXPECT_EQ(Shown(operation.Status()), "500 failed write error");
  EXPECT_EQ(operation.LogSlice(0, 100), Lines({"l0", "l1", "write error"}));

  operation.AdvanceTo(10000);
  operation.FailAt(11000, 501, "again");
  EXPECT_EQ(Shown(operation.Status()), "500 failed write error");
  EXPECT_EQ(operation.LogSlice(0, 100).size(), 3u);
}

TEST(OperationTest, ClearDropsShownLinesAndLaterOnesStillCome) {
  Operation operation(OperationKind::kRestore, FourSecondScript(), 0);
  operation.AdvanceTo(1000);
  operation.ClearLog();
  EXPECT_TRUE(operation.LogSlice(0, 100).empty());
  operation.AdvanceTo(4000);
  EXPECT_EQ(operation.LogSlice(0, 100), Lines({"l2", "l3", "done"}));
}

}  // namespace
}  // namespace repair_sim
