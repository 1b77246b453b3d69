#include "popup_window_delegate.h"

#include "include/views/cef_window.h"

namespace cef_qt {

PopupWindowDelegate::PopupWindowDelegate(CefRefPtr<CefBrowserView> browser_view,
                                         const CefPopupFeatures& features)
    : browser_view_(browser_view), features_(features) {}

CefSize PopupWindowDelegate::GetPreferredSize(CefRefPtr<CefView> view) {
  return CefSize(features_.widthSet ? features_.width : 800,
                 features_.heightSet ? features_.height : 600);
}

CefRect PopupWindowDelegate::GetInitialBounds(CefRefPtr<CefWindow> window) {
  if (!features_.xSet || !features_.ySet)
    return CefRect();
  CefSize size = GetPreferredSize(window);
  return CefRect(features_.x, features_.y, size.width, size.height);
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
