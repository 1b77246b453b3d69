#ifndef CEF_INCLUDE_VIEWS_CEF_WINDOW_H_
#define CEF_INCLUDE_VIEWS_CEF_WINDOW_H_

#include "include/views/cef_panel.h"
#include "include/views/cef_window_delegate.h"

// A top-level window.
class CefWindow : public CefPanel {
 public:
  static CefRefPtr<CefWindow> CreateTopLevelWindow(
      CefRefPtr<CefWindowDelegate> delegate);

  // The first call shows the window in the delegate's initial show state.
  virtual void Show() = 0;
  virtual void SetFullscreen(bool fullscreen) = 0;
  virtual void SetTitle(const CefString& title) = 0;
};

#endif  // CEF_INCLUDE_VIEWS_CEF_WINDOW_H_
