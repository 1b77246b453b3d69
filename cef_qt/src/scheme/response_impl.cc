#include "scheme/response_impl.h"

namespace cef_qt {

cef_errorcode_t ResponseImpl::GetError() {
  std::lock_guard<std::mutex> hold(lock_);
  return error_;
}

void ResponseImpl::SetError(cef_errorcode_t error) {
  std::lock_guard<std::mutex> hold(lock_);
  error_ = error;
}

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

CefString ResponseImpl::GetCharset() {
  std::lock_guard<std::mutex> hold(lock_);
  return charset_;
}

void ResponseImpl::SetCharset(const CefString& charset) {
  std::lock_guard<std::mutex> hold(lock_);
  charset_ = charset;
}

}  // namespace cef_qt

CefRefPtr<CefResponse> CefResponse::Create() {
  return new cef_qt::ResponseImpl();
}
