#include "repair_window_delegate.h"

#include "include/cef_command_line.h"

namespace {

constexpr char kMaximizedSwitch[] = "maximized";

// Asked anew on every call: the answer is never cached.
bool HasMaximizedSwitch() {
  return CefCommandLine::GetGlobalCommandLine()->HasSwitch(kMaximizedSwitch);
}

}  // namespace

RepairWindowDelegate::RepairWindowDelegate(
    CefRefPtr<CefBrowserView> browser_view)
    : browser_view_(browser_view) {}

CefSize RepairWindowDelegate::GetPreferredSize(CefRefPtr<CefView> view) {
  return CefSize(800, 700);
}

void RepairWindowDelegate::OnWindowCreated(CefRefPtr<CefWindow> window) {
  window->AddChildView(browser_view_);
  window->SetBackgroundColor(0);
  window->Show();
  browser_view_->RequestFocus();
}

void RepairWindowDelegate::OnWindowDestroyed(CefRefPtr<CefWindow> window) {
  browser_view_ = nullptr;
}

cef_show_state_t RepairWindowDelegate::GetInitialShowState(
    CefRefPtr<CefWindow> window) {
  return HasMaximizedSwitch() ? CEF_SHOW_STATE_MAXIMIZED
                              : CEF_SHOW_STATE_NORMAL;
}

bool RepairWindowDelegate::CanResize(CefRefPtr<CefWindow> window) {
  return HasMaximizedSwitch();
}

bool RepairWindowDelegate::CanClose(CefRefPtr<CefWindow> window) {
  CefRefPtr<CefBrowser> browser =
      browser_view_ ? browser_view_->GetBrowser() : nullptr;
  if (!browser)
    return true;
  return browser->GetHost()->TryCloseBrowser();
}
