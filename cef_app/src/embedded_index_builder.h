// Steps of the generated BuildResourceIndex. Every insertion keeps a key that
// is already there, so a build that failed part-way can simply run again.

#ifndef CEF_APP_SRC_EMBEDDED_INDEX_BUILDER_H_
#define CEF_APP_SRC_EMBEDDED_INDEX_BUILDER_H_

#include <string>

#include "embedded_resource_index.h"

inline void AddIndexKey(ResourceIndex& index,
                        const std::string& path,
                        const EmbeddedEntry* entry) {
  index.emplace(path, entry);
}

// Adds the subdirectory |name| to |parent| and indexes it as |path|.
inline EmbeddedDirectory& AddEmbeddedDirectory(EmbeddedDirectory& parent,
                                               const std::string& name,
                                               const std::string& path,
                                               ResourceIndex& index) {
  EmbeddedEntry& entry =
      parent.children.emplace(name, EmbeddedEntry::ForDirectory(nullptr))
          .first->second;
  if (!entry.directory) {
    parent.subdirectories.emplace_back();
    entry.directory = &parent.subdirectories.back();
  }
  AddIndexKey(index, path, &entry);
  return *entry.directory;
}

// Adds the file |name| with |bytes| to |parent| and indexes it as |path|.
inline void AddEmbeddedFile(EmbeddedDirectory& parent,
                            const std::string& name,
                            const std::string& path,
                            const EmbeddedFile& bytes,
                            ResourceIndex& index) {
  EmbeddedEntry& entry =
      parent.children.emplace(name, EmbeddedEntry::ForFile(nullptr))
          .first->second;
  if (!entry.file) {
    parent.files.push_back(bytes);
    entry.file = &parent.files.back();
  }
  AddIndexKey(index, path, &entry);
}

#endif  // CEF_APP_SRC_EMBEDDED_INDEX_BUILDER_H_
