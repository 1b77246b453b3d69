// CefResponse that a resource handler fills in GetResponseHeaders.

#ifndef CEF_QT_SRC_SCHEME_RESPONSE_IMPL_H_
#define CEF_QT_SRC_SCHEME_RESPONSE_IMPL_H_

#include <mutex>

#include "include/cef_response.h"

namespace cef_qt {

class ResponseImpl : public CefResponse {
 public:
  ResponseImpl() = default;
  ResponseImpl(const ResponseImpl&) = delete;
  ResponseImpl& operator=(const ResponseImpl&) = delete;

  // CefResponse:
  int GetStatus() override;
  void SetStatus(int status) override;
  CefString GetMimeType() override;
  void SetMimeType(const CefString& mimeType) override;

 private:
  std::mutex lock_;
  int status_ = 0;
  CefString mime_type_;

  IMPLEMENT_REFCOUNTING(ResponseImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_RESPONSE_IMPL_H_
