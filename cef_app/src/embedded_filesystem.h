// Read access to the files compiled into the executable.

#ifndef CEF_APP_SRC_EMBEDDED_FILESYSTEM_H_
#define CEF_APP_SRC_EMBEDDED_FILESYSTEM_H_

#include <string>

#include "embedded_resource_index.h"

// A handle on the built store; cheap to copy.
class EmbeddedFilesystem {
 public:
  explicit EmbeddedFilesystem(const ResourceIndex* index) : index_(index) {}

  // Returns the bytes of the file that the normalised |path| names, without
  // copying them. Throws std::system_error with ENOENT in the generic category
  // when |path| names nothing or a directory; its message is |path| as given,
  // ": " and the category's text.
  EmbeddedFile Open(const std::string& path) const;

 private:
  const ResourceIndex* index_;
};

// Drops leading and trailing "/" and turns every run of "/" into one. Nothing
// else: ".", "..", case, "?", "#" and percent escapes stay as they are.
std::string NormalizePath(std::string path);

// Returns the store, building it on the first call. Concurrent first calls
// wait for one build; a build that throws leaves the next call to try again.
EmbeddedFilesystem GetEmbeddedFilesystem();

#endif  // CEF_APP_SRC_EMBEDDED_FILESYSTEM_H_
