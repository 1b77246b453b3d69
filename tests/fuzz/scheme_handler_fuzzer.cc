// EmbeddedResourceHandler's Open with arbitrary URLs, then the response's
// headers and body the way the engine reads them.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "embedded_resource_handler.h"
#include "fake_request.h"
#include "fuzz_check.h"
#include "handler_harness.h"
#include "web_store_files.h"

namespace {

constexpr size_t kPrefixLength = sizeof("client://web/") - 1;
// Smaller reads only slow the run down: the largest file would take 100 000.
constexpr int kSmallestRead = 64;

// The handler never waits, so it must never use the read callback.
class UnusedReadCallback : public CefResourceReadCallback {
 public:
  void Continue(int bytes_read) override {
    FUZZ_CHECK(false, "Read used its callback");
  }

 private:
  IMPLEMENT_REFCOUNTING(UnusedReadCallback);
};

OpenResult CheckOpen(EmbeddedResourceHandler& handler,
                     const std::string& url,
                     bool handle_request) {
  OpenResult result;
  try {
    result = OpenRequest(handler, new FakeRequest(url), handle_request);
  } catch (...) {
    FUZZ_CHECK(false, "an exception left Open");
  }
  FUZZ_CHECK(result.cancels == 0, "Open cancelled through its callback");
  if (result.opened) {
    FUZZ_CHECK(result.handle_request, "true without handle_request");
    FUZZ_CHECK(result.continues == 1, "true without exactly one Continue");
  } else {
    FUZZ_CHECK(result.continues == 0, "false but continued");
  }
  return result;
}

// Reads the body in |chunk|-byte pieces until the handler says it is done.
std::string CheckRead(EmbeddedResourceHandler& handler,
                      int64 response_length,
                      int chunk) {
  CefRefPtr<CefResourceReadCallback> callback = new UnusedReadCallback();
  std::vector<char> buffer(chunk);
  std::string body;
  const int64 most_reads = response_length / chunk + 2;
  for (int64 reads = 0;; ++reads) {
    FUZZ_CHECK(reads < most_reads, "Read does not end");
    int bytes_read = -1;
    if (!handler.Read(buffer.data(), chunk, bytes_read, callback)) {
      FUZZ_CHECK(bytes_read == 0, "the last Read did not report 0 bytes");
      break;
    }
    FUZZ_CHECK(bytes_read > 0 && bytes_read <= chunk,
               "Read handed out a count outside the buffer");
    body.append(buffer.data(), bytes_read);
  }
  int bytes_read = -1;
  FUZZ_CHECK(!handler.Read(buffer.data(), chunk, bytes_read, callback) &&
                 bytes_read == 0,
             "Read after the end did not stay at the end");
  return body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const bool handle_request = input.ConsumeBool();
  const int chunk = input.ConsumeIntegralInRange<int>(kSmallestRead, 1 << 17);
  const std::string url = input.ConsumeRemainingBytesAsString();

  // What the handler sees: the URL after its UTF-16 round trip.
  const std::string seen = CefString(url).ToString();
  const std::string request_path =
      seen.substr(std::min(kPrefixLength, seen.size()));
  const auto& files = WebStoreFiles();
  const auto file = files.find(JoinedComponents("web/" + request_path));
  const bool names_file = file != files.end();

  CefRefPtr<EmbeddedResourceHandler> handler = new EmbeddedResourceHandler();
  const OpenResult answer = CheckOpen(*handler, url, handle_request);
  const Headers headers = GetHeaders(*handler);
  FUZZ_CHECK(headers.redirect_url.empty(), "redirected");
  FUZZ_CHECK(headers.length >= 0, "negative response length");
  if (names_file) {
    FUZZ_CHECK(headers.status == 200, "a file without status 200");
    FUZZ_CHECK(headers.length == static_cast<int64>(file->second.size()),
               "response length is not the file's size");
    if (!file->second.empty() && !headers.mime_type.empty())
      FUZZ_CHECK(answer.opened, "a file with a MIME type was not served");
  } else {
    FUZZ_CHECK(headers.length == 0, "a body for a path that names no file");
    FUZZ_CHECK(!answer.opened || headers.status != 200,
               "served a path that names no file with status 200");
  }

  const std::string body = CheckRead(*handler, headers.length, chunk);
  FUZZ_CHECK(static_cast<int64>(body.size()) == headers.length,
             "Read handed out other than the response length");
  if (names_file)
    FUZZ_CHECK(body == file->second, "body differs from the file's bytes");
  return 0;
}
