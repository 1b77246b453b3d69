// The rule against a crash loop: three deaths within a minute end the
// reloading for good.

#include "renderer_crash_guard.h"

#include <gtest/gtest.h>

namespace {

using Clock = RendererCrashGuard::Clock;
using std::chrono::seconds;

TEST(RendererCrashGuardTest, GivesUpAtTheThirdDeathWithinAMinuteForGood) {
  Clock::time_point now;
  RendererCrashGuard guard([&now] { return now; });

  // Each death a minute or more after the last but one: never three.
  for (int at : {0, 59, 119, 179, 200}) {
    now = Clock::time_point(seconds(at));
    EXPECT_TRUE(guard.MayReload()) << "death at " << at << " s";
  }
  now = Clock::time_point(seconds(201));
  EXPECT_FALSE(guard.MayReload()) << "deaths at 179, 200 and 201 s";

  now += std::chrono::hours(1);
  EXPECT_FALSE(guard.MayReload()) << "given up for good";
}

}  // namespace
