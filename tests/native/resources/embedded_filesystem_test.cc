#include "embedded_filesystem.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "gtest/gtest.h"
#include "test_files.h"

namespace {

// Expects Open(|path|) to fail with the no-such-file error.
void ExpectNoSuchFile(const std::string& path) {
  try {
    GetEmbeddedFilesystem().Open(path);
    ADD_FAILURE() << "opened \"" << path << "\"";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::error_code(ENOENT, std::generic_category()))
        << path;
    EXPECT_EQ(e.code(), std::errc::no_such_file_or_directory) << path;
    EXPECT_EQ(std::string(e.what()),
              path + ": " + std::generic_category().message(ENOENT));
  }
}

TEST(NormalizePathTest, DropsOuterSlashesAndCollapsesRuns) {
  const struct {
    const char* in;
    const char* out;
  } kCases[] = {
      {"", ""},
      {"/", ""},
      {"///", ""},
      {"web", "web"},
      {"/web/index.html", "web/index.html"},
      {"//web//index.html", "web/index.html"},
      {"web/index.html/", "web/index.html"},
      {"web///a////b", "web/a/b"},
      {"/a//b/", "a/b"},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(NormalizePath(c.in), c.out) << '"' << c.in << '"';
}

TEST(NormalizePathTest, LeavesEverythingElseAlone) {
  for (const char* path :
       {"web/./index.html", "web/../index.html", "Web/INDEX.HTML",
        "web/index.html?x=1", "web/index.html#top", "web/%69ndex.html",
        "web/a%2Fb", "web\\index.html", "web/ index.html "}) {
    EXPECT_EQ(NormalizePath(path), path);
  }
}

TEST(EmbeddedFilesystemTest, OpensEveryWebFileWithItsExactBytes) {
  const auto files = ReadTree(WEB_DIR);
  ASSERT_TRUE(files.count("index.html"));
  for (const auto& [name, bytes] : files) {
    const EmbeddedFile file = GetEmbeddedFilesystem().Open("web/" + name);
    EXPECT_EQ(file.size(), bytes.size()) << name;
    EXPECT_TRUE(std::string(file.begin, file.end) == bytes)
        << name << " differs from its file";
  }
}

TEST(EmbeddedFilesystemTest, SlashVariantsOpenTheSameBytesWithoutCopying) {
  const EmbeddedFilesystem store = GetEmbeddedFilesystem();
  const EmbeddedFile file = store.Open("web/index.html");
  for (const char* path :
       {"/web/index.html", "//web//index.html", "web/index.html/"}) {
    const EmbeddedFile again = store.Open(path);
    EXPECT_EQ(again.begin, file.begin) << path;
    EXPECT_EQ(again.end, file.end) << path;
  }
}

TEST(EmbeddedFilesystemTest, DirectoriesAreNoFiles) {
  for (const char* path : {"", "/", "web", "web/", "//web//"})
    ExpectNoSuchFile(path);
}

TEST(EmbeddedFilesystemTest, MatchingIsExactAfterTheSlashRules) {
  for (const char* path :
       {"Web/index.html", "web/INDEX.HTML", "web/./index.html",
        "web/index.html?x=1", "web/index.html#top", "web/%69ndex.html",
        "index.html", "web/no-such-file.html", "web/index.htm"}) {
    ExpectNoSuchFile(path);
  }
}

}  // namespace
