// CefRequest as cef_qt hands it to scheme handler factories and handlers.

#ifndef CEF_QT_SRC_SCHEME_REQUEST_IMPL_H_
#define CEF_QT_SRC_SCHEME_REQUEST_IMPL_H_

#include <mutex>

#include "include/cef_request.h"

namespace cef_qt {

class RequestImpl : public CefRequest {
 public:
  RequestImpl();
  RequestImpl(const RequestImpl&) = delete;
  RequestImpl& operator=(const RequestImpl&) = delete;

  // Once read-only, every setter leaves the request as it is.
  void SetReadOnly(bool read_only);

  // CefRequest:
  bool IsReadOnly() override;
  CefString GetURL() override;
  void SetURL(const CefString& url) override;
  CefString GetMethod() override;
  void SetMethod(const CefString& method) override;
  void GetHeaderMap(HeaderMap& headerMap) override;
  void SetHeaderMap(const HeaderMap& headerMap) override;
  CefString GetHeaderByName(const CefString& name) override;
  void SetHeaderByName(const CefString& name,
                       const CefString& value,
                       bool overwrite) override;
  uint64 GetIdentifier() override;

 private:
  std::mutex lock_;
  bool read_only_ = false;
  CefString url_;
  CefString method_ = "GET";
  HeaderMap headers_;
  const uint64 identifier_;

  IMPLEMENT_REFCOUNTING(RequestImpl);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_SCHEME_REQUEST_IMPL_H_
