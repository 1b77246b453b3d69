#include "scheme/request_impl.h"

#include <atomic>

#include "scheme/header_map.h"

namespace cef_qt {

namespace {

uint64 NextIdentifier() {
  static std::atomic<uint64> last{0};
  return ++last;
}

}  // namespace

RequestImpl::RequestImpl() : identifier_(NextIdentifier()) {}

void RequestImpl::SetReadOnly(bool read_only) {
  std::lock_guard<std::mutex> hold(lock_);
  read_only_ = read_only;
}

bool RequestImpl::IsReadOnly() {
  std::lock_guard<std::mutex> hold(lock_);
  return read_only_;
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

CefString RequestImpl::GetMethod() {
  std::lock_guard<std::mutex> hold(lock_);
  return method_;
}

void RequestImpl::SetMethod(const CefString& method) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!read_only_)
    method_ = method;
}

void RequestImpl::GetHeaderMap(HeaderMap& headerMap) {
  std::lock_guard<std::mutex> hold(lock_);
  headerMap = headers_;
}

void RequestImpl::SetHeaderMap(const HeaderMap& headerMap) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!read_only_)
    headers_ = headerMap;
}

CefString RequestImpl::GetHeaderByName(const CefString& name) {
  std::lock_guard<std::mutex> hold(lock_);
  return FindHeader(headers_, name);
}

void RequestImpl::SetHeaderByName(const CefString& name,
                                  const CefString& value,
                                  bool overwrite) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!read_only_)
    SetHeader(headers_, name, value, overwrite);
}

uint64 RequestImpl::GetIdentifier() {
  return identifier_;
}

}  // namespace cef_qt

CefRefPtr<CefRequest> CefRequest::Create() {
  return new cef_qt::RequestImpl();
}
