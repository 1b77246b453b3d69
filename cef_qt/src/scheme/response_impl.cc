#include "scheme/response_impl.h"

namespace cef_qt {

int ResponseImpl::GetStatus() {
  std::lock_guard<std::mutex> hold(lock_);
  return status_;
}

void ResponseImpl::SetStatus(int status) {
  std::lock_guard<std::mutex> hold(lock_);
  status_ = status;
}

CefString ResponseImpl::GetMimeType() {
  std::lock_guard<std::mutex> hold(lock_);
  return mime_type_;
}

void ResponseImpl::SetMimeType(const CefString& mimeType) {
  std::lock_guard<std::mutex> hold(lock_);
  mime_type_ = mimeType;
}

}  // namespace cef_qt
