// CefRequest as cef_qt hands it to scheme handler factories and handlers.

#ifndef CEF_QT_SRC_SCHEME_REQUEST_IMPL_H_
#define CEF_QT_SRC_SCHEME_REQUEST_IMPL_H_

#include <mutex>

#include "include/cef_request.h"

namespace cef_qt {

class RequestImpl : public CefRequest {
 public:
  RequestImpl() = default;
  RequestImpl(const RequestImpl&) = delete;
  RequestImpl& operator=(const RequestImpl&) = delete;

  // Once read-only, SetURL leaves the request as it is.
  void SetReadOnly(bool read_only);

  // CefRequest:
  CefString GetURL() override;
  void SetURL(const CefString& url) override;

 private:
  std::mutex lock_;
  bool read_only_ = false;
  CefString url_;

  IMPLEMENT_REFCOUNTING(RequestImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_REQUEST_IMPL_H_
