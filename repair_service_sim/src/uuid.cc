#include "uuid.h"

#include <cstdint>
#include <cstdio>

namespace repair_sim {

UuidGenerator::UuidGenerator() : engine_(std::random_device()()) {}

std::string UuidGenerator::Next() {
  uint64_t high = engine_();
  uint64_t low = engine_();
  high = (high & ~0xf000ULL) | 0x4000ULL;          // version 4
  low = (low & ~(0xcULL << 60)) | (0x8ULL << 60);  // RFC 4122 variant
  char text[37];
  std::snprintf(text, sizeof(text), "%08x-%04x-%04x-%04x-%012llx",
                static_cast<unsigned>(high >> 32),
                static_cast<unsigned>((high >> 16) & 0xffff),
                static_cast<unsigned>(high & 0xffff),
                static_cast<unsigned>(low >> 48),
                static_cast<unsigned long long>(low & 0xffffffffffffULL));
  return text;
}

}  // namespace repair_sim
