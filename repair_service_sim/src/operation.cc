#include "operation.h"

#include <algorithm>
#include <utility>

namespace repair_sim {

Operation::Operation(OperationKind kind,
                     OperationScript script,
                     int64_t start_ms)
    : kind_(kind), script_(std::move(script)), start_ms_(start_ms) {
  AdvanceTo(start_ms);
}

void Operation::AdvanceTo(int64_t now_ms) {
  if (ended_)
    return;
  elapsed_ms_ =
      std::clamp(now_ms - start_ms_, elapsed_ms_, script_.duration_ms);
  const size_t count = script_.log_lines.size();
  while (script_lines_logged_ < count &&
         (elapsed_ms_ >= script_.duration_ms ||
          static_cast<int64_t>(script_lines_logged_) * script_.duration_ms <=
              elapsed_ms_ * static_cast<int64_t>(count))) {
    log_.push_back(script_.log_lines[script_lines_logged_++]);
  }
  if (elapsed_ms_ >= script_.duration_ms)
    End(script_.final_code, script_.final_line);
}

void Operation::RunToEnd() {
  AdvanceTo(start_ms_ + script_.duration_ms);
}

void Operation::FailAt(int64_t now_ms, int code, const std::string& line) {
  AdvanceTo(now_ms);
  End(code, line);
}

void Operation::End(int code, const std::string& line) {
  if (ended_)
    return;
  ended_ = true;
  final_code_ = code;
  final_line_ = line;
  if (!line.empty())
    log_.push_back(line);
}

void Operation::ClearLog() {
  log_.clear();
}

StatusEntry Operation::Status() const {
  if (ended_) {
    return {final_code_, final_code_ == 200 ? "done" : "failed", final_line_};
  }
  const auto& lines = script_.status_lines;
  if (lines.empty())
    return {kRunningCode, "running", ""};
  size_t index = 0;
  if (script_.duration_ms > 0) {
    index = static_cast<size_t>(
        elapsed_ms_ * static_cast<int64_t>(lines.size()) / script_.duration_ms);
  }
  return {kRunningCode, "running", lines[std::min(index, lines.size() - 1)]};
}

std::vector<std::string> Operation::LogSlice(uint64_t start,
                                             uint64_t max) const {
  if (start >= log_.size())
    return {};
  uint64_t count = std::min<uint64_t>(max, log_.size() - start);
  return std::vector<std::string>(log_.begin() + start,
                                  log_.begin() + start + count);
}

}  // namespace repair_sim
