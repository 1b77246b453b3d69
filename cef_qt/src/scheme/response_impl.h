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
  cef_errorcode_t GetError() override;
  void SetError(cef_errorcode_t error) override;
  int GetStatus() override;
  void SetStatus(int status) override;
  CefString GetMimeType() override;
  void SetMimeType(const CefString& mimeType) override;
  CefString GetCharset() override;
  void SetCharset(const CefString& charset) override;

 private:
  std::mutex lock_;
  cef_errorcode_t error_ = ERR_NONE;
  int status_ = 0;
  CefString mime_type_;
  CefString charset_;

  IMPLEMENT_REFCOUNTING(ResponseImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_RESPONSE_IMPL_H_
