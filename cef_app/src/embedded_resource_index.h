// The embedded resource store's data: the files compiled into the executable,
// the directory tree that holds them and the index from full path to entry.

#ifndef CEF_APP_SRC_EMBEDDED_RESOURCE_INDEX_H_
#define CEF_APP_SRC_EMBEDDED_RESOURCE_INDEX_H_

#include <cstddef>
#include <list>
#include <map>
#include <string>

// One file's bytes in the executable's read-only data, without terminator.
struct EmbeddedFile {
  template <size_t N>
  static EmbeddedFile FromArray(const unsigned char (&bytes)[N]) {
    const char* begin = reinterpret_cast<const char*>(bytes);
    return {begin, begin + N};
  }

  size_t size() const { return static_cast<size_t>(end - begin); }

  const char* begin = nullptr;
  const char* end = nullptr;
};

struct EmbeddedDirectory;

// What a path names: a file or a directory.
struct EmbeddedEntry {
  static EmbeddedEntry ForFile(EmbeddedFile* file) {
    EmbeddedEntry entry;
    entry.file = file;
    entry.is_file = true;
    return entry;
  }
  static EmbeddedEntry ForDirectory(EmbeddedDirectory* directory) {
    EmbeddedEntry entry;
    entry.directory = directory;
    entry.is_file = false;
    return entry;
  }

  union {
    EmbeddedFile* file;
    EmbeddedDirectory* directory = nullptr;
  };
  bool is_file = false;
};

// Lists and map never move their elements, so pointers to records and entries
// stay valid for the life of the store.
struct EmbeddedDirectory {
  std::list<EmbeddedFile> files;
  std::list<EmbeddedDirectory> subdirectories;
  std::map<std::string, EmbeddedEntry> children;  // By base name.
};

// Full path ("" for the root, components joined by single "/") to entry.
using ResourceIndex = std::map<std::string, const EmbeddedEntry*>;

// Builds the store's tree and index; generated from the web directory at
// build time. Only GetEmbeddedFilesystem() calls it.
const ResourceIndex& BuildResourceIndex();

#endif  // CEF_APP_SRC_EMBEDDED_RESOURCE_INDEX_H_
