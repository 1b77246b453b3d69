#include "renderer_crash_guard.h"

#include <utility>

RendererCrashGuard::RendererCrashGuard(std::function<Clock::time_point()> now)
    : now_(std::move(now)) {}

bool RendererCrashGuard::MayReload() {
  if (given_up_)
    return false;
  const Clock::time_point now = now_();
  while (!deaths_.empty() && now - deaths_.front() >= kWindow)
    deaths_.pop_front();
  deaths_.push_back(now);
  given_up_ = deaths_.size() >= static_cast<size_t>(kMaxDeaths);
  return !given_up_;
}
