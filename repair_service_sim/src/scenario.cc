#include "scenario.h"

namespace repair_sim {

namespace {

constexpr std::array<std::string_view, kAllOperationKinds.size()>
    kOperationNames = {"scan", "restore", "factory-reset", "repair", "reboot"};

}  // namespace

std::string_view OperationName(OperationKind kind) {
  return kOperationNames[static_cast<size_t>(kind)];
}

std::optional<OperationKind> OperationFromName(std::string_view name) {
  for (OperationKind kind : kAllOperationKinds) {
    if (OperationName(kind) == name)
      return kind;
  }
  return std::nullopt;
}

const Disc* Scenario::FindDisc(std::string_view key) const {
  for (const Disc& disc : discs) {
    if (disc.key == key)
      return &disc;
  }
  return nullptr;
}

}  // namespace repair_sim
