#include "popup_window_delegate.h"

#include "include/views/cef_window.h"

namespace cef_qt {

PopupWindowDelegate::PopupWindowDelegate(CefRefPtr<CefBrowserView> browser_view,
                                         const QRect& requested)
    : browser_view_(browser_view), requested_(requested) {}

CefSize PopupWindowDelegate::GetPreferredSize(CefRefPtr<CefView> view) {
  return requested_.isValid() ? CefSize(requested_.width(), requested_.height())
                              : CefSize(800, 600);
}

CefRect PopupWindowDelegate::GetInitialBounds(CefRefPtr<CefWindow> window) {
  if (!requested_.isValid())
    return CefRect();
  return CefRect(requested_.x(), requested_.y(), requested_.width(),
                 requested_.height());
}

void PopupWindowDelegate::OnWindowCreated(CefRefPtr<CefWindow> window) {
  window->AddChildView(browser_view_);
  window->Show();
  browser_view_->RequestFocus();
}

void PopupWindowDelegate::OnWindowDestroyed(CefRefPtr<CefWindow> window) {
  browser_view_ = nullptr;
}

bool PopupWindowDelegate::CanClose(CefRefPtr<CefWindow> window) {
  CefRefPtr<CefBrowser> browser =
      browser_view_ ? browser_view_->GetBrowser() : nullptr;
  return !browser || browser->GetHost()->TryCloseBrowser();
}

}  // namespace cef_qt
