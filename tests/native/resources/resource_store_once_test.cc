// GetEmbeddedFilesystem's once-only guard, over a build routine that fails on
// its first run and is slow on its second.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "embedded_filesystem.h"
#include "gtest/gtest.h"

namespace {

std::atomic<int> builds{0};
std::atomic<int> builds_running{0};
std::atomic<int> most_builds_running{0};

}  // namespace

const ResourceIndex& BuildResourceIndex() {
  static const char kBytes[] = {'a', 'b', 'c'};
  static EmbeddedFile file{kBytes, kBytes + sizeof(kBytes)};
  static const EmbeddedEntry entry = EmbeddedEntry::ForFile(&file);
  static ResourceIndex index;
  const int running = ++builds_running;
  most_builds_running = std::max(most_builds_running.load(), running);
  const int build = ++builds;
  if (build == 1) {
    --builds_running;
    throw std::runtime_error("first build fails");
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  index.emplace("f", &entry);
  --builds_running;
  return index;
}

namespace {

TEST(ResourceStoreOnceTest, FailedBuildIsRetriedAndRacingCallsShareOneBuild) {
  EXPECT_THROW(GetEmbeddedFilesystem(), std::runtime_error);
  EXPECT_EQ(builds, 1);

  std::atomic<bool> go{false};
  const char* opened[2] = {};
  auto first_call = [&](int i) {
    while (!go) {
    }
    opened[i] = GetEmbeddedFilesystem().Open("f").begin;
  };
  std::thread a(first_call, 0);
  std::thread b(first_call, 1);
  go = true;
  a.join();
  b.join();
  EXPECT_EQ(builds, 2);
  EXPECT_EQ(most_builds_running, 1);
  ASSERT_NE(opened[0], nullptr);
  EXPECT_EQ(opened[0], opened[1]);

  GetEmbeddedFilesystem();
  EXPECT_EQ(builds, 2);
}

}  // namespace
