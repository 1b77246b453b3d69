#ifndef REPAIR_SERVICE_SIM_SRC_OPERATION_H_
#define REPAIR_SERVICE_SIM_SRC_OPERATION_H_

#include <cstdint>
#include <string>
#include <vector>

#include "scenario.h"

namespace repair_sim {

inline constexpr int kRunningCode = 102;

// One entry of a status answer's "status_list".
struct StatusEntry {
  int code = kRunningCode;
  std::string type;
  std::string line;
};

// One accepted request running through its script in simulated time. Status
// line i shows from duration * i / count on, log line j appears at
// duration * j / count; at the end the final code and line take over and the
// final line joins the log.
class Operation {
 public:
  Operation(OperationKind kind, OperationScript script, int64_t start_ms);

  // Brings the log and the status up to `now_ms`.
  void AdvanceTo(int64_t now_ms);
  // Runs the whole script at once.
  void RunToEnd();
  // Ends a running operation at `now_ms` with a failure code; does nothing
  // to one that has already ended.
  void FailAt(int64_t now_ms, int code, const std::string& line);
  // Drops the log lines that have appeared so far; later ones still come.
  void ClearLog();

  StatusEntry Status() const;
  // At most `max` log lines from index `start` on; empty beyond the end.
  std::vector<std::string> LogSlice(uint64_t start, uint64_t max) const;

  OperationKind kind() const { return kind_; }
  bool ended() const { return ended_; }
  int final_code() const { return final_code_; }

 private:
  void End(int code, const std::string& line);

  const OperationKind kind_;
  const OperationScript script_;
  const int64_t start_ms_;
  int64_t elapsed_ms_ = 0;
  size_t script_lines_logged_ = 0;
  std::vector<std::string> log_;
  bool ended_ = false;
  int final_code_ = kRunningCode;
  std::string final_line_;
};

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_OPERATION_H_
