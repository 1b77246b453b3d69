// Decides what follows a renderer's death: the page again, or, once the
// renderer has died kMaxDeaths times within kWindow, the fixed message for
// good, so that a page that kills its renderer cannot loop.

#ifndef CEF_APP_SRC_RENDERER_CRASH_GUARD_H_
#define CEF_APP_SRC_RENDERER_CRASH_GUARD_H_

#include <chrono>
#include <deque>
#include <functional>

class RendererCrashGuard {
 public:
  using Clock = std::chrono::steady_clock;

  static constexpr int kMaxDeaths = 3;
  static constexpr Clock::duration kWindow = std::chrono::minutes(1);

  explicit RendererCrashGuard(
      std::function<Clock::time_point()> now = Clock::now);

  // Counts a death now; true while the page may be loaded again.
  bool MayReload();

 private:
  const std::function<Clock::time_point()> now_;
  std::deque<Clock::time_point> deaths_;  // within kWindow of the latest
  bool given_up_ = false;
};

#endif  // CEF_APP_SRC_RENDERER_CRASH_GUARD_H_
