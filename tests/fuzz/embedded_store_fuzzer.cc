// NormalizePath and EmbeddedFilesystem::Open on arbitrary bytes.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

#include "embedded_filesystem.h"
#include "fuzz_check.h"
#include "web_store_files.h"

namespace {

void CheckNormalizePath(const std::string& path) {
  const std::string normalized = NormalizePath(path);
  FUZZ_CHECK(normalized.empty() || normalized.front() != '/',
             "leading slash left");
  FUZZ_CHECK(normalized.empty() || normalized.back() != '/',
             "trailing slash left");
  FUZZ_CHECK(normalized.find("//") == std::string::npos, "double slash left");
  FUZZ_CHECK(NormalizePath(normalized) == normalized, "not idempotent");
  FUZZ_CHECK(normalized == JoinedComponents(path),
             "changed more than the slashes");
}

void CheckOpen(const std::string& path) {
  const auto& files = WebStoreFiles();
  const auto expected = files.find(JoinedComponents(path));
  try {
    const EmbeddedFile file = GetEmbeddedFilesystem().Open(path);
    FUZZ_CHECK(expected != files.end(), "opened a path that names no file");
    FUZZ_CHECK(file.begin && file.end >= file.begin, "invalid range");
    FUZZ_CHECK(std::string(file.begin, file.end) == expected->second,
               "range differs from the file's bytes");
    const EmbeddedFile canonical =
        GetEmbeddedFilesystem().Open(expected->first);
    FUZZ_CHECK(file.begin == canonical.begin && file.end == canonical.end,
               "not the store's own range");
  } catch (const std::system_error& error) {
    FUZZ_CHECK(expected == files.end(), "failed on a path that names a file");
    FUZZ_CHECK(error.code() == std::error_code(ENOENT, std::generic_category()),
               "error code is not ENOENT");
    // what() is a C string: compare up to the path's first NUL byte.
    const std::string shown = path.substr(0, path.find('\0'));
    FUZZ_CHECK(std::strncmp(error.what(), shown.c_str(), shown.size()) == 0,
               "message does not start with the path");
    if (shown.size() == path.size()) {
      FUZZ_CHECK(std::string(error.what()) ==
                     path + ": " + std::generic_category().message(ENOENT),
                 "message is not the path and the category's text");
    }
  } catch (...) {
    FUZZ_CHECK(false, "Open threw something other than std::system_error");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  CheckNormalizePath(path);
  CheckOpen(path);
  return 0;
}
