#ifndef REPAIR_SERVICE_SIM_SRC_UUID_H_
#define REPAIR_SERVICE_SIM_SRC_UUID_H_

#include <random>
#include <string>

namespace repair_sim {

// Random version-4 UUIDs in their usual text form. Not thread-safe.
class UuidGenerator {
 public:
  UuidGenerator();
  std::string Next();

 private:
  std::mt19937_64 engine_;
};

}  // namespace repair_sim

#endif  // REPAIR_SERVICE_SIM_SRC_UUID_H_
