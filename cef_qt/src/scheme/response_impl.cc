#include "scheme/response_impl.h"

#include "scheme/header_map.h"

namespace cef_qt {

bool ResponseImpl::IsReadOnly() {
  return false;
}

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

CefString ResponseImpl::GetStatusText() {
  std::lock_guard<std::mutex> hold(lock_);
  return status_text_;
}

void ResponseImpl::SetStatusText(const CefString& statusText) {
  std::lock_guard<std::mutex> hold(lock_);
  status_text_ = statusText;
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

CefString ResponseImpl::GetHeaderByName(const CefString& name) {
  std::lock_guard<std::mutex> hold(lock_);
  return FindHeader(headers_, name);
}

void ResponseImpl::SetHeaderByName(const CefString& name,
                                   const CefString& value,
                                   bool overwrite) {
  std::lock_guard<std::mutex> hold(lock_);
  SetHeader(headers_, name, value, overwrite);
}

void ResponseImpl::GetHeaderMap(HeaderMap& headerMap) {
  std::lock_guard<std::mutex> hold(lock_);
  headerMap = headers_;
}

void ResponseImpl::SetHeaderMap(const HeaderMap& headerMap) {
  std::lock_guard<std::mutex> hold(lock_);
  headers_ = headerMap;
}

CefString ResponseImpl::GetURL() {
  std::lock_guard<std::mutex> hold(lock_);
  return url_;
}

void ResponseImpl::SetURL(const CefString& url) {
  std::lock_guard<std::mutex> hold(lock_);
  url_ = url;
}

}  // namespace cef_qt

CefRefPtr<CefResponse> CefResponse::Create() {
  return new cef_qt::ResponseImpl();
}
