#ifndef REPAIR_SERVICE_SIM_SRC_JOURNAL_H_
#define REPAIR_SERVICE_SIM_SRC_JOURNAL_H_

#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "json.h"
#include "reply.h"

namespace repair_sim {

// Every service request received: method, path, query as sent, its decoded
// keys ("params", null when it does not decode), the wall-clock time and the
// answer given ("answer": HTTP status and body, or "dropped").
// Kept in memory for the control endpoint and, when a file is opened,
// appended to it as JSON lines. Thread-safe.
class Journal {
 public:
  bool OpenFile(const std::string& path, std::string* error);

  void Record(const SimRequest& request, const Reply& reply);
  // The entries as a JSON array, oldest first.
  Json Entries() const;
  // Forgets the entries in memory; the file keeps them.
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<Json> entries_;
  std::ofstream file_;
};

// UTC, ISO 8601 with milliseconds.
std::string FormatUtcNow();

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_JOURNAL_H_
