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

// Upper case, no extension, an unknown one, or a file without bytes: declined,
// but served when the engine asks for the request to be handled anyway.
TEST(EmbeddedResourceMimeTest, WithoutTypeOrBytesIsServedOnlyWhenAskedTo) {
  for (const std::string url :
       {"client://web/mime/UPPER.PNG", "client://web/mime/noext",
        "client://web/Z.txt", "client://web/empty.html",
        "client://web/empty"}) {
    for (const bool handle_request : {false, true}) {
      SCOPED_TRACE(url + (handle_request ? ", asked to handle" : ""));
      CefRefPtr<EmbeddedResourceHandler> handler =
          new EmbeddedResourceHandler();
      const OpenResult open = OpenUrl(*handler, url, handle_request);
      EXPECT_EQ(open.opened, handle_request);
      EXPECT_EQ(open.handle_request, handle_request);
      EXPECT_EQ(open.continues, handle_request ? 1 : 0);
      if (!handle_request)
        continue;
      const Headers headers = GetHeaders(*handler);
      EXPECT_EQ(headers.status, 200);
      EXPECT_EQ(headers.mime_type,
                url.find(".html") != std::string::npos ? "text/html" : "");
      EXPECT_EQ(headers.length, static_cast<int64>(ReadAll(*handler).size()));
    }
  }
}

}  // namespace
