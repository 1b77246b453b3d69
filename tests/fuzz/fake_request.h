// A read-only request with a fixed URL, as the engine hands to handlers.

#ifndef TESTS_FUZZ_FAKE_REQUEST_H_
#define TESTS_FUZZ_FAKE_REQUEST_H_

#include <string>

#include "fuzz_check.h"
#include "include/cef_request.h"

class FakeRequest : public CefRequest {
 public:
  explicit FakeRequest(const std::string& url) : url_(url) {}

  CefString GetURL() override { return url_; }
  void SetURL(const CefString& url) override { Written(); }

 private:
  static void Written() {
    FUZZ_CHECK(false, "the handler wrote to a read-only request");
  }

  const CefString url_;

  IMPLEMENT_REFCOUNTING(FakeRequest);
};

#endif  // TESTS_FUZZ_FAKE_REQUEST_H_
