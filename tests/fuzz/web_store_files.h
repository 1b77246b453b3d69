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

#endif  // TESTS_FUZZ_WEB_STORE_FILES_H_
