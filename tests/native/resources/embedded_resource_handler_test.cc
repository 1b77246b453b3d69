#include "embedded_resource_handler.h"

#include <map>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "handler_harness.h"
#include "test_files.h"

namespace {

const std::string kPrefix = "client://web/";

std::string WebFile(const std::string& name) {
  return ReadTree(WEB_DIR).at(name);
}

TEST(EmbeddedResourceHandlerTest, ServesEveryWebFileWithTheTypeOfItsExtension) {
  const std::map<std::string, std::string> kTypes = {
      {".html", "text/html"}, {".js", "text/javascript"},
      {".css", "text/css"},   {".png", "image/png"},
      {".jpg", "image/jpeg"}, {".gif", "image/gif"}};
  for (const auto& [name, bytes] : ReadTree(WEB_DIR)) {
    const std::string extension = name.substr(name.rfind('.'));
    ASSERT_TRUE(kTypes.count(extension)) << name;
    CefRefPtr<EmbeddedResourceHandler> handler = new EmbeddedResourceHandler();
    const OpenResult open = OpenUrl(*handler, kPrefix + name, false);
    EXPECT_TRUE(open.opened) << name;
    EXPECT_TRUE(open.handle_request) << name;
    EXPECT_EQ(open.continues, 1) << name;
    const Headers headers = GetHeaders(*handler);
    EXPECT_EQ(headers.status, 200) << name;
    EXPECT_EQ(headers.mime_type, kTypes.at(extension)) << name;
    EXPECT_EQ(headers.length, static_cast<int64>(bytes.size())) << name;
    EXPECT_TRUE(headers.redirect_url.empty()) << name;
    EXPECT_TRUE(ReadAll(*handler) == bytes) << name << " differs from its file";
  }
}

TEST(EmbeddedResourceHandlerTest, ReadsInFullChunksThenTheRestThenEnds) {
  const std::string page = WebFile("index.html");
  CefRefPtr<EmbeddedResourceHandler> handler = new EmbeddedResourceHandler();
  ASSERT_TRUE(OpenUrl(*handler, kPrefix + "index.html", false).opened);

  std::vector<int> counts;
  EXPECT_EQ(ReadAll(*handler, &counts), page);
  std::vector<int> expected(page.size() / 4096, 4096);
  if (page.size() % 4096)
    expected.push_back(static_cast<int>(page.size() % 4096));
  expected.push_back(0);  // The end: false with no bytes.
  EXPECT_EQ(counts, expected);
}

TEST(EmbeddedResourceHandlerTest, CancelChangesNothing) {
  const std::string page = WebFile("index.html");
  CefRefPtr<EmbeddedResourceHandler> handler = new EmbeddedResourceHandler();
  handler->Cancel();
  ASSERT_TRUE(OpenUrl(*handler, kPrefix + "index.html", false).opened);

  char buffer[100];
  int bytes_read = 0;
  ASSERT_TRUE(handler->Read(buffer, sizeof(buffer), bytes_read, nullptr));
  handler->Cancel();
  ASSERT_TRUE(handler->Read(buffer, sizeof(buffer), bytes_read, nullptr));
  EXPECT_EQ(std::string(buffer, bytes_read), page.substr(100, 100));
  EXPECT_EQ(GetHeaders(*handler).length, static_cast<int64>(page.size()));
}

TEST(EmbeddedResourceHandlerTest, ReadWithoutRoomFailsInsteadOfPending) {
  CefRefPtr<EmbeddedResourceHandler> handler = new EmbeddedResourceHandler();
  ASSERT_TRUE(OpenUrl(*handler, kPrefix + "index.html", false).opened);
  char buffer[1];
  for (const int bytes_to_read : {0, -1}) {
    int bytes_read = 0;
    EXPECT_FALSE(handler->Read(buffer, bytes_to_read, bytes_read, nullptr));
    EXPECT_EQ(bytes_read, -2);
  }
  EXPECT_EQ(ReadAll(*handler), WebFile("index.html"));
}

TEST(EmbeddedResourceHandlerTest, DoubledSlashAfterTheHostServesThePage) {
  CefRefPtr<EmbeddedResourceHandler> handler = new EmbeddedResourceHandler();
  EXPECT_TRUE(OpenUrl(*handler, "client://web//index.html", false).opened);
  EXPECT_EQ(GetHeaders(*handler).mime_type, "text/html");
  EXPECT_EQ(ReadAll(*handler), WebFile("index.html"));
}

TEST(EmbeddedResourceHandlerTest, PathsThatNameNoFileCancelWithoutThrowing) {
  for (const std::string& url : std::vector<std::string>{
           kPrefix + "no-such-file.html", kPrefix, "client://web",
           kPrefix + "index.html?x=1", kPrefix + "index.html#top",
           kPrefix + "INDEX.HTML", ""}) {
    for (const bool handle_request : {false, true}) {
      CefRefPtr<EmbeddedResourceHandler> handler =
          new EmbeddedResourceHandler();
      OpenResult open;
      EXPECT_NO_THROW(open = OpenUrl(*handler, url, handle_request)) << url;
      EXPECT_FALSE(open.opened) << url;
      EXPECT_TRUE(open.handle_request) << url;
      EXPECT_EQ(open.continues, 0) << url;
    }
  }
}

}  // namespace
