// The generator's output over the fixture tree: every file byte for byte, the
// directory tree and the index, each key once.

#include <set>
#include <string>
#include <vector>

#include "embedded_filesystem.h"
#include "gtest/gtest.h"
#include "test_files.h"

namespace {

TEST(EmbeddedResourceGeneratorTest, EmbedsEveryFileByteForByte) {
  const auto files = ReadTree(FIXTURE_DIR);
  ASSERT_TRUE(files.count("img/deep/all_bytes.bin"));
  ASSERT_TRUE(files.count("empty"));
  for (const auto& [name, bytes] : files) {
    const EmbeddedFile file = GetEmbeddedFilesystem().Open("web/" + name);
    EXPECT_TRUE(std::string(file.begin, file.end) == bytes)
        << name << " differs from its file";
  }
}

TEST(EmbeddedResourceGeneratorTest, IndexesEveryDirectoryAndFileOnce) {
  GetEmbeddedFilesystem();                            // The one build.
  const ResourceIndex& index = BuildResourceIndex();  // Must add nothing.

  std::set<std::string> file_keys;
  for (const auto& [name, bytes] : ReadTree(FIXTURE_DIR))
    file_keys.insert("web/" + name);
  std::set<std::string> expected = {
      "", "web", "web/img", "web/img/deep", "web/mime", "web/sub"};
  expected.insert(file_keys.begin(), file_keys.end());

  std::set<std::string> keys;
  for (const auto& [key, entry] : index) {
    keys.insert(key);
    ASSERT_NE(entry, nullptr) << key;
    EXPECT_EQ(entry->is_file, file_keys.count(key) == 1) << key;
  }
  EXPECT_EQ(keys, expected);
}

TEST(EmbeddedResourceGeneratorTest, BuildsTheTreeInSortedOrder) {
  const ResourceIndex& index = BuildResourceIndex();
  const EmbeddedDirectory& root = *index.at("")->directory;
  ASSERT_EQ(root.subdirectories.size(), 1u);
  ASSERT_EQ(root.children.size(), 1u);
  const EmbeddedDirectory& web = root.subdirectories.front();
  EXPECT_EQ(root.children.at("web").directory, &web);
  EXPECT_EQ(index.at("web")->directory, &web);

  // The file list in byte order of the names: upper case before lower case,
  // a name before its extensions.
  std::vector<const EmbeddedFile*> files;
  for (const EmbeddedFile& file : web.files)
    files.push_back(&file);
  std::vector<const EmbeddedFile*> sorted;
  for (const char* name :
       {"Z.txt", "empty", "empty.html", "img.txt", "index.html"}) {
    ASSERT_TRUE(web.children.at(name).is_file) << name;
    sorted.push_back(web.children.at(name).file);
  }
  EXPECT_EQ(files, sorted);
  EXPECT_EQ(web.subdirectories.size(), 3u);

  const EmbeddedDirectory& img = *web.children.at("img").directory;
  EXPECT_EQ(index.at("web/img")->directory, &img);
  EXPECT_EQ(index.at("web/img/deep")->directory,
            img.children.at("deep").directory);
  EXPECT_EQ(index.at("web/img/deep/all_bytes.bin"),
            &img.children.at("deep").directory->children.at("all_bytes.bin"));
}

}  // namespace
