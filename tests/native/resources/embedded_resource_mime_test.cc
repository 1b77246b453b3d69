// The extension table, over the fixture tree, which has a file for every
// extension and for the cases without a type.

#include <string>

#include "gtest/gtest.h"
#include "handler_harness.h"

namespace {

TEST(EmbeddedResourceMimeTest, EveryTableExtensionIsServedAtOnce) {
  const struct {
    const char* extension;
    const char* mime_type;
  } kTable[] = {
      {"gif", "image/gif"},         {"jpeg", "image/jpeg"},
      {"jpg", "image/jpeg"},        {"png", "image/png"},
      {"webp", "image/webp"},       {"mhtml", "multipart/related"},
      {"mht", "multipart/related"}, {"css", "text/css"},
      {"html", "text/html"},        {"htm", "text/html"},
      {"mjs", "text/javascript"},   {"js", "text/javascript"},
      {"xml", "text/xml"},
  };
  for (const auto& entry : kTable) {
    const std::string url =
        std::string("client://web/mime/a.") + entry.extension;
    CefRefPtr<EmbeddedResourceHandler> handler = new EmbeddedResourceHandler();
    const OpenResult open = OpenUrl(*handler, url, false);
    EXPECT_TRUE(open.opened) << url;
    EXPECT_TRUE(open.handle_request) << url;
    EXPECT_EQ(open.continues, 1) << url;
    EXPECT_EQ(GetHeaders(*handler).mime_type, entry.mime_type) << url;
    EXPECT_EQ(ReadAll(*handler),
              std::string("bytes of a.") + entry.extension + "\n");
  }
}

// Upper case, no extension, an unknown one, or a file without bytes.
const char* const kUntyped[] = {
    "client://web/mime/UPPER.PNG", "client://web/mime/noext",
    "client://web/Z.txt", "client://web/empty.html", "client://web/empty"};

TEST(EmbeddedResourceMimeTest, WithoutTypeOrBytesIsDeclined) {
  for (const char* url : kUntyped) {
    CefRefPtr<EmbeddedResourceHandler> handler = new EmbeddedResourceHandler();
    const OpenResult open = OpenUrl(*handler, url, false);
    EXPECT_FALSE(open.opened) << url;
    EXPECT_FALSE(open.handle_request) << url;
    EXPECT_EQ(open.continues, 0) << url;
  }
}

TEST(EmbeddedResourceMimeTest, WithoutTypeOrBytesIsServedWhenAskedTo) {
  for (const char* url : kUntyped) {
    CefRefPtr<EmbeddedResourceHandler> handler = new EmbeddedResourceHandler();
    const OpenResult open = OpenUrl(*handler, url, true);
    EXPECT_TRUE(open.opened) << url;
    EXPECT_TRUE(open.handle_request) << url;
    EXPECT_EQ(open.continues, 1) << url;
    const Headers headers = GetHeaders(*handler);
    EXPECT_EQ(headers.status, 200) << url;
    const std::string path(url);
    EXPECT_EQ(headers.mime_type,
              path.find(".html") != std::string::npos ? "text/html" : "")
        << url;
    EXPECT_EQ(headers.length, static_cast<int64>(ReadAll(*handler).size()))
        << url;
  }
}

}  // namespace
