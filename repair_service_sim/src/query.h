#ifndef REPAIR_SERVICE_SIM_SRC_QUERY_H_
#define REPAIR_SERVICE_SIM_SRC_QUERY_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace repair_sim {

// A request's query string, percent-decoded, in the order sent. A "+" stays
// a "+": the page encodes blanks as "%20".
class Query {
 public:
  // Fails on a bad percent escape or a key given twice.
  static std::optional<Query> Parse(std::string_view raw, std::string* error);

  // The value of a key that must be present and non-empty.
  std::optional<std::string> Text(std::string_view key,
                                  std::string* error) const;
  // The value of a key that must hold a non-negative decimal integer.
  std::optional<uint64_t> Count(std::string_view key, std::string* error) const;

  const std::vector<std::pair<std::string, std::string>>& pairs() const {
    return pairs_;
  }

 private:
  const std::string* Find(std::string_view key) const;

  std::vector<std::pair<std::string, std::string>> pairs_;
};

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_QUERY_H_
