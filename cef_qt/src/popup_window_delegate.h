// The delegate of the default top-level window that holds a pop-up's
// browser view.

#ifndef CEF_QT_SRC_POPUP_WINDOW_DELEGATE_H_
#define CEF_QT_SRC_POPUP_WINDOW_DELEGATE_H_

#include <QRect>

#include "include/views/cef_browser_view.h"
#include "include/views/cef_window_delegate.h"

namespace cef_qt {

class PopupWindowDelegate : public CefWindowDelegate {
 public:
  // |requested| is the geometry the page asked for; invalid if none.
  PopupWindowDelegate(CefRefPtr<CefBrowserView> browser_view,
                      const QRect& requested);

  CefSize GetPreferredSize(CefRefPtr<CefView> view) override;
  CefRect GetInitialBounds(CefRefPtr<CefWindow> window) override;
  void OnWindowCreated(CefRefPtr<CefWindow> window) override;
  void OnWindowDestroyed(CefRefPtr<CefWindow> window) override;
  bool CanClose(CefRefPtr<CefWindow> window) override;

 private:
  CefRefPtr<CefBrowserView> browser_view_;
  const QRect requested_;

  IMPLEMENT_REFCOUNTING(PopupWindowDelegate);
};

}  // namespace cef_qt

#endif  // CEF_QT_SRC_POPUP_WINDOW_DELEGATE_H_
