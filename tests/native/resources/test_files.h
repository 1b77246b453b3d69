// Reading the files that a store was generated from, for comparison.

#ifndef TESTS_NATIVE_RESOURCES_TEST_FILES_H_
#define TESTS_NATIVE_RESOURCES_TEST_FILES_H_

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

// Every regular file below |root|, by path relative to it, with its bytes.
inline std::map<std::string, std::string> ReadTree(
    const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
    if (!item.is_regular_file())
      continue;
    std::ifstream in(item.path(), std::ios::binary);
    files[item.path().lexically_relative(root).generic_string()] =
        std::string(std::istreambuf_iterator<char>(in), {});
  }
  return files;
}

#endif  // TESTS_NATIVE_RESOURCES_TEST_FILES_H_
