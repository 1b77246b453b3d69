#include "scheme/request_impl.h"

namespace cef_qt {

void RequestImpl::SetReadOnly(bool read_only) {
  std::lock_guard<std::mutex> hold(lock_);
  read_only_ = read_only;
}

CefString RequestImpl::GetURL() {
  std::lock_guard<std::mutex> hold(lock_);
  return url_;
}

void RequestImpl::SetURL(const CefString& url) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!read_only_)
    url_ = url;
}

}  // namespace cef_qt
