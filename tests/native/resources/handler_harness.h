// Runs an EmbeddedResourceHandler the way the engine does, with the engine's
// own request and response, and records what it answered.

#ifndef TESTS_NATIVE_RESOURCES_HANDLER_HARNESS_H_
#define TESTS_NATIVE_RESOURCES_HANDLER_HARNESS_H_

#include <string>
#include <vector>

#include "embedded_resource_handler.h"
#include "include/cef_callback.h"
#include "scheme/request_impl.h"
#include "scheme/response_impl.h"

class CountingCallback : public CefCallback {
 public:
  void Continue() override { ++continues; }
  void Cancel() override { ++cancels; }

  int continues = 0;
  int cancels = 0;

 private:
  IMPLEMENT_REFCOUNTING(CountingCallback);
};

struct OpenResult {
  bool opened = false;
  bool handle_request = false;
  int continues = 0;
  int cancels = 0;
};

// Opens |request|, counting what the handler did with the callback.
inline OpenResult OpenRequest(EmbeddedResourceHandler& handler,
                              CefRefPtr<CefRequest> request,
                              bool handle_request) {
  CefRefPtr<CountingCallback> callback = new CountingCallback();
  OpenResult result;
  result.handle_request = handle_request;
  result.opened = handler.Open(request, result.handle_request, callback);
  result.continues = callback->continues;
  result.cancels = callback->cancels;
  return result;
}

// Opens a read-only request for |url|, as the engine makes it.
inline OpenResult OpenUrl(EmbeddedResourceHandler& handler,
                          const std::string& url,
                          bool handle_request) {
  CefRefPtr<cef_qt::RequestImpl> request = new cef_qt::RequestImpl();
  request->SetURL(url);
  request->SetReadOnly(true);
  return OpenRequest(handler, request, handle_request);
}

struct Headers {
  int status = 0;
  std::string mime_type;
  int64 length = -1;
  std::string redirect_url;
};

inline Headers GetHeaders(EmbeddedResourceHandler& handler) {
  CefRefPtr<CefResponse> response = new cef_qt::ResponseImpl();
  Headers headers;
  CefString redirect_url;
  handler.GetResponseHeaders(response, headers.length, redirect_url);
  headers.status = response->GetStatus();
  headers.mime_type = response->GetMimeType().ToString();
  headers.redirect_url = redirect_url.ToString();
  return headers;
}

// Reads 4096 bytes at a time until the handler says the body is complete;
// the count of every Read, the last one's too, goes to |counts|.
inline std::string ReadAll(EmbeddedResourceHandler& handler,
                           std::vector<int>* counts = nullptr) {
  std::string body;
  char buffer[4096];
  for (bool more = true; more;) {
    int bytes_read = -1;
    more = handler.Read(buffer, sizeof(buffer), bytes_read, nullptr);
    if (more)
      body.append(buffer, bytes_read);
    if (counts)
      counts->push_back(bytes_read);
  }
  return body;
}

#endif  // TESTS_NATIVE_RESOURCES_HANDLER_HARNESS_H_
