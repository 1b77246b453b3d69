// The browser view's delegate. It keeps the engine's behaviour throughout:
// pop-ups get this same delegate and open in default windows of their own.

#ifndef CEF_APP_SRC_REPAIR_BROWSER_VIEW_DELEGATE_H_
#define CEF_APP_SRC_REPAIR_BROWSER_VIEW_DELEGATE_H_

#include "include/views/cef_browser_view_delegate.h"

class RepairBrowserViewDelegate : public CefBrowserViewDelegate {
 public:
  RepairBrowserViewDelegate() = default;
  RepairBrowserViewDelegate(const RepairBrowserViewDelegate&) = delete;
  RepairBrowserViewDelegate& operator=(const RepairBrowserViewDelegate&) =
      delete;

 private:
  IMPLEMENT_REFCOUNTING(RepairBrowserViewDelegate);
};

#endif  // CEF_APP_SRC_REPAIR_BROWSER_VIEW_DELEGATE_H_
