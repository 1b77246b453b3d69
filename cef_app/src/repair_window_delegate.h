// The top-level window's delegate: a framed 800 by 700 window that cannot be
// resized, or a maximized resizable one with the switch "maximized"; it
// closes only once its browser agrees.

#ifndef CEF_APP_SRC_REPAIR_WINDOW_DELEGATE_H_
#define CEF_APP_SRC_REPAIR_WINDOW_DELEGATE_H_

#include "include/views/cef_browser_view.h"
#include "include/views/cef_window.h"

class RepairWindowDelegate : public CefWindowDelegate {
 public:
  explicit RepairWindowDelegate(CefRefPtr<CefBrowserView> browser_view);
  RepairWindowDelegate(const RepairWindowDelegate&) = delete;
  RepairWindowDelegate& operator=(const RepairWindowDelegate&) = delete;

  // CefViewDelegate:
  CefSize GetPreferredSize(CefRefPtr<CefView> view) override;

  // CefWindowDelegate:
  void OnWindowCreated(CefRefPtr<CefWindow> window) override;
  void OnWindowDestroyed(CefRefPtr<CefWindow> window) override;
  cef_show_state_t GetInitialShowState(CefRefPtr<CefWindow> window) override;
  bool CanResize(CefRefPtr<CefWindow> window) override;
  bool CanClose(CefRefPtr<CefWindow> window) override;

 private:
  CefRefPtr<CefBrowserView> browser_view_;

  IMPLEMENT_REFCOUNTING(RepairWindowDelegate);
};

#endif  // CEF_APP_SRC_REPAIR_WINDOW_DELEGATE_H_
