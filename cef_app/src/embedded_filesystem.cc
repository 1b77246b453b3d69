#include "embedded_filesystem.h"

#include <cerrno>
#include <mutex>
#include <system_error>

EmbeddedFile EmbeddedFilesystem::Open(const std::string& path) const {
  const auto found = index_->find(NormalizePath(path));
  if (found != index_->end()) {
    const EmbeddedEntry* entry = found->second;
    if (entry && entry->is_file && entry->file)
      return *entry->file;
  }
  throw std::system_error(ENOENT, std::generic_category(), path);
}

std::string NormalizePath(std::string path) {
  const size_t first = path.find_first_not_of('/');
  if (first == std::string::npos)
    return std::string();
  path.erase(0, first);
  path.erase(path.find_last_not_of('/') + 1);

  size_t kept = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '/' && path[kept - 1] == '/')
      continue;
    path[kept++] = path[i];
  }
  path.resize(kept);
  return path;
}

EmbeddedFilesystem GetEmbeddedFilesystem() {
  static std::once_flag built;
  static const ResourceIndex* index = nullptr;
  std::call_once(built, [] { index = &BuildResourceIndex(); });
  return EmbeddedFilesystem(index);
}
