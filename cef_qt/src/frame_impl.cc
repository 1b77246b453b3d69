#include "frame_impl.h"

#include <QUrl>

#include "browser_impl.h"

namespace cef_qt {

namespace {

QString ToQString(const CefString& text) {
  return QString::fromStdU16String(text.ToString16());
}

}  // namespace

bool FrameImpl::IsValid() {
  return browser_ && browser_->IsValid();
}

void FrameImpl::LoadURL(const CefString& url) {
  if (IsValid() && browser_->Page())
    browser_->Page()->load(QUrl(ToQString(url)));
}

void FrameImpl::ExecuteJavaScript(const CefString& code,
                                  const CefString& script_url,
                                  int start_line) {
  if (IsValid() && browser_->Page())
    browser_->Page()->runJavaScript(ToQString(code));
}

int64 FrameImpl::GetIdentifier() {
  return browser_ ? browser_->GetIdentifier() : -1;
}

CefString FrameImpl::GetURL() {
  if (!IsValid() || !browser_->Page())
    return CefString();
  return browser_->Page()->url().toString().toStdU16String();
}

CefRefPtr<CefBrowser> FrameImpl::GetBrowser() {
  return browser_;
}

}  // namespace cef_qt
