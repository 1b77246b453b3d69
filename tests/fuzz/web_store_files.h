// The files the store was generated from, by their store path ("web/...").

#ifndef TESTS_FUZZ_WEB_STORE_FILES_H_
#define TESTS_FUZZ_WEB_STORE_FILES_H_

#include <map>
#include <string>

#include "test_files.h"

inline const std::map<std::string, std::string>& WebStoreFiles() {
  static const auto* files = [] {
    auto* by_store_path = new std::map<std::string, std::string>();
    for (auto& [name, bytes] : ReadTree(WEB_DIR))
      by_store_path->emplace("web/" + name, std::move(bytes));
    return by_store_path;
  }();
  return *files;
}

// The non-empty "/"-separated components of |path|, joined by single "/":
// what NormalizePath must make of it.
inline std::string JoinedComponents(const std::string& path) {
  std::string joined;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos)
      end = path.size();
    if (end > start) {
      if (!joined.empty())
        joined += '/';
      joined.append(path, start, end - start);
    }
    start = end + 1;
  }
  return joined;
}

#endif  // TESTS_FUZZ_WEB_STORE_FILES_H_
